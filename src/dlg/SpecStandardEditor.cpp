#include "dlg/SpecStandardEditor.h"

#include "dlg/StandardFileAsker.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "support/StoredPath.h"

#include <QFileInfo>

namespace dlg {

namespace {

const QString kStandardPattern = QStringLiteral("*.nst");
const QString kStandardSuffix = QStringLiteral("nst");

QString Formatted(int textId, const QString& argument)
{
    return platform::cformat(Translate(textId).toUtf8().constData(), argument);
}

void ShowError(const QString& text)
{
    (void)platform::ask(text, QString(), platform::PromptButtons::Ok, platform::PromptIcon::Error);
}

} // namespace

SpecStandardEditor::SpecStandardEditor(const ExtendedEntryEdit& entry, bool isNew, const QString& startFolder,
                                       StandardFileAsker& files, ComponentEditing& components)
    : entry_(entry), isNew_(isNew), startFolder_(startFolder), files_(files), components_(components)
{
}

QString SpecStandardEditor::StandardPath() const
{
    return support::MakeAbsolutePath(entry_.file, entry_.catalogueFile);
}

QString SpecStandardEditor::Relative(const QString& path) const
{
    return support::MakeRelativePath(path, entry_.catalogueFile);
}

bool SpecStandardEditor::Open()
{
    if (!isNew_) {
        QString reason;
        if (entry_.file.isEmpty() || !table_.Load(StandardPath(), &reason)) {
            isNew_ = true;
            table_ = SpecStandardTable();
        }
    }
    if (table_.GetCount() > 0)
        selected_ = 0;
    if (!isNew_)
        return true;
    const QString path = AskSavePath();
    if (path.isEmpty() || !SaveTo(path))
        return false;
    entry_.file = Relative(path);
    return true;
}

QString SpecStandardEditor::AskSavePath()
{
    // A standard whose file went missing is offered under its own name.
    QString name = QFileInfo(StandardPath()).fileName();
    if (entry_.file.isEmpty() || name.isEmpty())
        name = QStringLiteral("untitled.nst");
    return files_.Save(startFolder_, name, FileFilter(kTextFilterStandard, kStandardPattern), kStandardSuffix);
}

bool SpecStandardEditor::SaveTo(const QString& path)
{
    QString reason;
    if (table_.Save(path, &reason))
        return true;
    ShowError(Formatted(kTextCannotWrite, path) + u'\n' + reason);
    return false;
}

void SpecStandardEditor::SetDimensions(double a, double b, double h, double matThick)
{
    table_.A = a;
    table_.B = b;
    table_.H = h;
    table_.MatThick = matThick;
}

void SpecStandardEditor::Select(int row)
{
    if (row >= -1 && row < table_.GetCount())
        selected_ = row;
}

bool SpecStandardEditor::Add()
{
    if (!CanAdd()) {
        ShowError(platform::cformat(Translate(kTextFullTable).toUtf8().constData(),
                                    SpecStandardTable::kMaxComponents));
        return false;
    }
    SpecStandardComponent c;
    c.name = platform::cformat(Translate(kTextNewComponent).toUtf8().constData(), table_.GetCount());
    if (!components_.Edit(c, StandardPath()) || c.file.isEmpty())
        return false;
    const int n = table_.AddComponent(c.name, c.file, c.x, c.y, c.rotation);
    if (n < 0)
        return false;
    table_.Component(n) = c;
    selected_ = n;
    return true;
}

bool SpecStandardEditor::Modify()
{
    if (selected_ < 0 || selected_ >= table_.GetCount())
        return false;
    SpecStandardComponent c = table_.Component(selected_);
    if (!components_.Edit(c, StandardPath()))
        return false;
    table_.Component(selected_) = c;
    return true;
}

bool SpecStandardEditor::Delete()
{
    if (selected_ < 0 || selected_ >= table_.GetCount())
        return false;
    if (platform::ask(Formatted(kTextDeleteComponent, table_.Component(selected_).name), QString(),
                      platform::PromptButtons::YesNo, platform::PromptIcon::Question) != platform::PromptResult::Yes)
        return false;
    table_.RemoveAt(selected_);
    // The row below moves up into the selection; after the last row the
    // new last one is selected.
    if (selected_ >= table_.GetCount())
        selected_ = table_.GetCount() - 1;
    return true;
}

bool SpecStandardEditor::Move(int step)
{
    if (selected_ < 0)
        return false;
    const int moved = table_.SwapComponents(selected_, selected_ + step);
    selected_ += moved;
    return moved != 0;
}

bool SpecStandardEditor::Save()
{
    if (table_.A == 0.0 || table_.B == 0.0 || table_.H == 0.0) {
        ShowError(Translate(kTextZeroDimension));
        return false;
    }
    return SaveTo(StandardPath());
}

bool SpecStandardEditor::SaveAs()
{
    const QString path = AskSavePath();
    if (path.isEmpty() || !SaveTo(path))
        return false;
    entry_.file = Relative(path);
    return true;
}

bool SpecStandardEditor::Load()
{
    const QString path = files_.Open(startFolder_, FileFilter(kTextFilterStandard, kStandardPattern), kStandardSuffix);
    if (path.isEmpty())
        return false;
    if (platform::ask(Translate(kTextLoadOther), QString(), platform::PromptButtons::YesNo,
                      platform::PromptIcon::Question) != platform::PromptResult::Yes)
        return false;
    QString reason;
    if (!table_.Load(path, &reason)) {
        ShowError(Formatted(kTextCannotRead, path) + u'\n' + reason);
        return false;
    }
    entry_.file = Relative(path);
    selected_ = table_.GetCount() > 0 ? 0 : -1;
    return true;
}

bool SpecStandardEditor::BrowseBitmap()
{
    const QString path = files_.Open(startFolder_, FileFilter(kTextFilterBitmap, QStringLiteral("*.bmp")),
                                     QStringLiteral("bmp"));
    if (path.isEmpty())
        return false;
    entry_.bitmap = Relative(path);
    return true;
}

} // namespace dlg
