#include "view/EditCommands.h"

#include "document/MorvekDoc.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/Section.h"
#include "section/UndoManager.h"

namespace {

MenuItemState ItemFor(const UndoStep* next, int stepText, int emptyText)
{
    if (next == nullptr)
        return {false, Translate(emptyText)};
    return {true, platform::cformat("%s : %s", Translate(stepText), Translate(next->title))};
}

void AfterStep(CMorvekDoc& doc)
{
    doc.ValidateAllElements();
    doc.RefreshAllBridges();
}

void EndCommand(CMorvekDoc& doc)
{
    doc.commandActive = 0;
    doc.Undo().Close();
}

} // namespace

MenuItemState UndoMenuItem(const CUndoManager& undo)
{
    return ItemFor(undo.NextUndo(), kTextUndoStep, kTextNothingToUndo);
}

MenuItemState RedoMenuItem(const CUndoManager& undo)
{
    return ItemFor(undo.NextRedo(), kTextRedoStep, kTextNothingToRedo);
}

void UndoOneStep(CMorvekDoc& doc)
{
    EndCommand(doc);
    doc.Undo().Undo();
    AfterStep(doc);
}

void RedoOneStep(CMorvekDoc& doc)
{
    EndCommand(doc);
    doc.Undo().Redo();
    AfterStep(doc);
}

namespace {

// Section::SelectElements' modes.
constexpr int kSelectEvery = 1;
constexpr int kToggleEvery = 2;

void SelectInCurrentSection(CMorvekDoc& doc, int mode)
{
    if (Section* section = doc.GetCurrentSection())
        section->SelectElements(mode);
}

} // namespace

void SelectAllElements(CMorvekDoc& doc)
{
    SelectInCurrentSection(doc, kSelectEvery);
}

void InvertElementSelection(CMorvekDoc& doc)
{
    SelectInCurrentSection(doc, kToggleEvery);
}

bool MergeDrawing(CMorvekDoc& doc, const QString& path)
{
    return MergeDrawingAt(doc, path, nullptr);
}

bool MergeDrawingAt(CMorvekDoc& doc, const QString& path, const SpecStandardComponent* place)
{
    if (!doc.MergeFileAt(path, FormulaTable::MergeNothing, QString(), place))
        return false;
    doc.RefreshAllBridges();
    doc.MarkChangedWithoutUndo(); // a merge has no undo step
    BringUpToDate(doc);
    return true;
}

void BringUpToDate(CMorvekDoc& doc)
{
    doc.UpdateAllElements();
    (void)doc.Nodes().SetCacheValid(false);
    doc.RefreshAllBridges();
}

QString ZoomText(double zoom)
{
    return platform::cformat("%6.3f", zoom);
}

std::optional<double> ZoomFromText(QStringView text)
{
    double value = 0.0;
    if (platform::readLeadingDouble(text, value) == 0)
        return std::nullopt;
    return value;
}
