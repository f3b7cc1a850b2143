// File > Merge: a drawing file's variables, nodes and sections added to the
// document. The file is read and checked whole first; the variables and
// nodes are merged, then the sections appended with their node indices
// moved past the document's own nodes. When a layer cannot be read, the
// variables, nodes and layers are put back as they were.
#include "document/MorvekDoc.h"

#include "exchange/FormatTable.h"
#include "exchange/native/NativeDrawing.h"
#include "formula/SpecStandardComponent.h"
#include "formula/VariableList.h"
#include "options/LanguageTable.h"
#include "platform/BinaryStream.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QFileInfo>

#include <utility>

namespace {

void Tell(const QString& text)
{
    (void)platform::ask(text, QString(), platform::PromptButtons::Ok, platform::PromptIcon::Error); // Ok only
}

QString PathText(int id, const QString& path)
{
    return platform::cformat(Translate(id).toUtf8().constData(), path);
}

} // namespace

bool CMorvekDoc::MergeFile(const QString& path, int mergeMode, QString prefix)
{
    return MergeDrawing(path, mergeMode, std::move(prefix), nullptr);
}

bool CMorvekDoc::MergeFileAt(const QString& path, int mergeMode, QString prefix, const SpecStandardComponent* place)
{
    if (place == nullptr)
        return MergeFile(path, mergeMode, std::move(prefix));
    // Only the placement: no variable of the file is overridden.
    SpecStandardComponent origin;
    origin.x = place->x;
    origin.y = place->y;
    origin.rotation = place->rotation;
    return MergeDrawing(path, mergeMode, std::move(prefix), &origin);
}

bool CMorvekDoc::MergeDrawing(const QString& path, int mergeMode, QString prefix,
                              const SpecStandardComponent* component)
{
    QByteArray bytes;
    QString error;
    if (!ReadWhole(path, bytes, error)) {
        Tell(PathText(kTextCannotOpen, path) + QStringLiteral("\n") + error);
        return false;
    }
    if (prefix.isEmpty())
        prefix = QFileInfo(path).fileName().section(QLatin1Char('.'), 0, 0);
    prefix += QLatin1Char('_');

    if (native::ReadTag(bytes) != native::kDrawingTag) {
        // A drawing in the older text layout goes into a layer of its own.
        if (bytes.startsWith("D]") && exchange::FormatOf(path, bytes).id == exchange::FormatId::OldText)
            return LoadFileByName(path);
        Tell(PathText(kTextNotADrawing, path));
        return false;
    }
    native::Drawing drawing;
    if (!native::ReadDrawing(bytes, drawing, &error)) {
        Tell(QStringLiteral("%1 cannot be merged: %2").arg(path, error));
        return false;
    }
    const int before = GetSectionCount();
    if (before + static_cast<int>(drawing.sections.size()) > kMaxSections) {
        Tell(QStringLiteral("%1 cannot be merged: the drawing would have more than %2 layers").arg(path).arg(kMaxSections));
        return false;
    }

    if (mergeMode == FormulaTable::MergeNothing) {
        const auto answer = platform::ask(Translate(kTextMergeVariables), QString(), platform::PromptButtons::YesNo,
                                          platform::PromptIcon::Question);
        mergeMode = answer == platform::PromptResult::Yes ? FormulaTable::MergeOverwrite : FormulaTable::MergeRename;
    }
    // The variables as they are, to put back when the merge fails after
    // they were merged: a failed merge changes nothing.
    platform::BinaryWriter ownVariables;
    (void)variables_.Save(ownVariables); // the whole table always saves
    const int ownNodes = nodes_.GetCount();
    Section* const current = current_;
    const auto undo = [&](const QString& why) {
        // The layers first: their elements stand on the merged nodes.
        while (GetSectionCount() > before)
            DeleteSection(GetSectionCount() - 1);
        current_ = current;
        nodes_.DropAppended(ownNodes);
        variables_.Clear();
        platform::BinaryReader saved(ownVariables.data());
        (void)variables_.Load(saved); // written just now: it reads back
        (void)nodes_.SetCacheValid(false);
        Tell(QStringLiteral("%1 cannot be merged: %2").arg(path, why));
        return false;
    };

    VariableList renames;
    platform::BinaryReader variables(drawing.variableBlock);
    platform::BinaryReader nodes(drawing.nodeBlock);
    if (!variables_.Import(variables, prefix, mergeMode, renames, component))
        return undo(variables.error());
    int nodeBase = -1;
    if (component != nullptr) {
        // The component's nodes turn about its place in the standard.
        QString centerX, centerY, angle;
        nodes_.OriginRotation(centerX, centerY, angle);
        const bool applying = nodes_.IsApplyingOriginRotation();
        nodes_.SetOriginRotation(component->x, component->y, component->rotation);
        nodes_.SetApplyOriginRotation(true);
        nodeBase = nodes_.Append(nodes, mergeMode, renames);
        nodes_.SetOriginRotation(centerX, centerY, angle);
        nodes_.SetApplyOriginRotation(applying);
    } else {
        nodeBase = nodes_.Append(nodes, mergeMode, renames);
    }
    if (nodeBase < 0)
        return undo(QStringLiteral("its nodes do not fit into this drawing"));
    if (!ReadSections(drawing, prefix, nodeBase, &error))
        return undo(error);
    for (int n = before; n < GetSectionCount(); ++n)
        (void)GetSection(n)->SetCenterOfInstances(); // always true
    return true;
}
