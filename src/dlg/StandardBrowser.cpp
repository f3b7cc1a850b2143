#include "dlg/StandardBrowser.h"

#include "exchange/native/StandardDimensions.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "support/StoredPath.h"

#include <QFile>
#include <QFileInfo>

namespace dlg {

using standards::StandardChoice;

void TakePickedOrigin(BrowserMemory& memory, double x, double y)
{
    memory.originX = platform::cformat("%f", x);
    memory.originY = platform::cformat("%f", y);
}

std::optional<int> RefuseEntry(const EntryFields& fields)
{
    constexpr int kTextEntryIncomplete = 422;
    if (fields.name.trimmed().isEmpty())
        return kTextEntryIncomplete;
    if (fields.type == CatalogueEntry::Standard && fields.file.trimmed().isEmpty())
        return kTextEntryIncomplete;
    return std::nullopt;
}

int NewEntryType(const EntryFields& fields)
{
    if (fields.type == CatalogueEntry::Folder)
        return CatalogueEntry::Folder;
    return fields.pickedExtension.compare(u"nst", Qt::CaseInsensitive) == 0 ? CatalogueEntry::ExtendedStandard
                                                                            : CatalogueEntry::Standard;
}

StandardBrowser::StandardBrowser(COptions* options, BrowserMemory& memory, bool useSecondaryRelativity)
    : options_(options), memory_(memory), useSecondary_(useSecondaryRelativity)
{
}

void StandardBrowser::Open(const standards::CatalogueSource& source, bool withDocument)
{
    source_ = source;
    withDocument_ = withDocument;
    catalogue_ = StandardCatalogue();
    QString error;
    damaged_ = false;
    if (source.path.isEmpty() || !catalogue_.LoadSif(source.path, &error)) {
        damaged_ = !source.path.isEmpty() && QFileInfo::exists(source.path);
        catalogue_ = standards::CatalogueOfFolder(source.folder);
    }
    selected_ = -1;
    readable_ = false;
    dimensions = {};
    secondary = false;
    preview = true;
}

QString StandardBrowser::StartFolder() const
{
    if (!source_.path.isEmpty())
        return QFileInfo(source_.path).absolutePath();
    return source_.folder;
}

QString StandardBrowser::AbsolutePath(const QString& stored) const
{
    return stored.isEmpty() ? QString() : support::MakeAbsolutePath(stored, source_.path);
}

QString StandardBrowser::StoredPath(const QString& absolute) const
{
    return support::MakeRelativePath(absolute, source_.path);
}

const CatalogueEntry* StandardBrowser::SelectedEntry() const
{
    return selected_ >= 0 && selected_ < catalogue_.GetCount() ? &catalogue_.Entry(selected_) : nullptr;
}

bool StandardBrowser::StandardSelected() const
{
    const CatalogueEntry* entry = SelectedEntry();
    return entry && entry->type != CatalogueEntry::Folder;
}

QString StandardBrowser::PreviewFile() const
{
    const CatalogueEntry* entry = SelectedEntry();
    return entry && entry->type != CatalogueEntry::Folder ? AbsolutePath(entry->bitmap) : QString();
}

void StandardBrowser::Select(int n)
{
    selected_ = n >= 0 && n < catalogue_.GetCount() ? n : -1;
    secondary = false;
    readable_ = false;
    const CatalogueEntry* entry = SelectedEntry();
    if (!entry || entry->type == CatalogueEntry::Folder)
        return;
    const std::optional<native::MainDimensions> read = native::ReadStandardDimensionsFile(AbsolutePath(entry->file));
    if (!read)
        return; // the values shown stay; nothing remembered is read
    readable_ = true;
    dimensions = {read->a, read->b, read->h, read->matThick};
    standards::BoxDimensions remembered;
    if (options_ && options_->ReadStandardBox(entry->file, remembered.a, remembered.b, remembered.h, remembered.matThick))
        dimensions = remembered;
}

void StandardBrowser::SetSecondary(bool on)
{
    secondary = on && useSecondary_ && SecondaryBoxEnabled();
}

bool StandardBrowser::SecondaryBoxEnabled() const
{
    return MergeEnabled();
}

bool StandardBrowser::MergeEnabled() const
{
    const CatalogueEntry* entry = SelectedEntry();
    return withDocument_ && entry && entry->type == CatalogueEntry::Standard;
}

std::optional<StandardChoice> StandardBrowser::Load(bool doubleClick)
{
    const CatalogueEntry* entry = SelectedEntry();
    if (!StandardSelected()) {
        if (!doubleClick)
            (void)platform::ask(Translate(kTextNoStandardChosen), QString(), platform::PromptButtons::Ok,
                                platform::PromptIcon::Warning);
        return std::nullopt;
    }
    if (options_)
        (void)options_->WriteStandardBox(entry->file, dimensions.a, dimensions.b, dimensions.h, dimensions.matThick);
    StandardChoice choice;
    choice.action = StandardChoice::Action::Load;
    choice.file = AbsolutePath(entry->file);
    choice.key = entry->file;
    choice.extended = entry->type == CatalogueEntry::ExtendedStandard;
    choice.dimensions = dimensions;
    TakeOrigin(choice);
    return choice;
}

void StandardBrowser::TakeOrigin(StandardChoice& choice) const
{
    choice.secondary = secondary && useSecondary_;
    if (choice.secondary) {
        choice.originX = memory_.originX;
        choice.originY = memory_.originY;
        choice.rotation = memory_.rotation;
    }
}

std::optional<StandardChoice> StandardBrowser::Merge()
{
    if (!withDocument_)
        return std::nullopt;
    const CatalogueEntry* entry = SelectedEntry();
    if (!MergeEnabled()) {
        (void)platform::ask(Translate(kTextNoStandardChosen), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning);
        return std::nullopt;
    }
    StandardChoice choice;
    choice.action = StandardChoice::Action::Merge;
    choice.file = AbsolutePath(entry->file);
    choice.key = entry->file;
    choice.dimensions = dimensions;
    TakeOrigin(choice);
    return choice;
}

std::optional<StandardChoice> StandardBrowser::PickOrigin()
{
    if (!withDocument_)
        return std::nullopt;
    memory_.pickCatalogue = source_;
    StandardChoice choice;
    choice.action = StandardChoice::Action::PickOrigin;
    return choice;
}

int StandardBrowser::ParentForAdd() const
{
    const CatalogueEntry* entry = SelectedEntry();
    if (!entry)
        return -1;
    return entry->type == CatalogueEntry::Folder ? selected_ : entry->parent;
}

bool StandardBrowser::Save()
{
    if (damaged_) {
        // Whatever the unreadable file held is not lost with the first edit.
        const QString kept = source_.path + QStringLiteral(".damaged");
        QFile::remove(kept);
        damaged_ = !QFile::copy(source_.path, kept);
        if (damaged_) {
            (void)platform::ask(platform::cformat(Translate(kTextCannotWrite).toUtf8().constData(), kept, QString()),
                                QString(), platform::PromptButtons::Ok, platform::PromptIcon::Error);
            return false;
        }
    }
    QString error;
    if (catalogue_.SaveSif(source_.path, &error))
        return true;
    (void)platform::ask(platform::cformat(Translate(kTextCannotWrite).toUtf8().constData(), source_.path, error),
                        QString(), platform::PromptButtons::Ok, platform::PromptIcon::Error);
    return false;
}

int StandardBrowser::Add(const EntryFields& fields)
{
    const int type = NewEntryType(fields);
    const bool folder = type == CatalogueEntry::Folder;
    const int n = catalogue_.AddEntry(fields.name, folder ? QString() : fields.file, folder ? QString() : fields.bitmap,
                                      ParentForAdd(), type);
    if (n < 0)
        return -1;
    (void)Save();
    return n;
}

int StandardBrowser::AddExtended(const QString& name, const QString& file, const QString& bitmap)
{
    const int n = catalogue_.AddEntry(name, file, bitmap, ParentForAdd(), CatalogueEntry::ExtendedStandard);
    if (n < 0)
        return -1;
    (void)Save();
    return n;
}

bool StandardBrowser::ModifySelected(const QString& name, const QString& file, const QString& bitmap)
{
    if (!catalogue_.ModifyEntry(selected_, name, file, bitmap))
        return false;
    (void)Save();
    Select(selected_);
    return true;
}

bool StandardBrowser::DeleteSelected()
{
    const CatalogueEntry* entry = SelectedEntry();
    if (!entry)
        return false;
    const QString question = platform::cformat(Translate(kTextConfirmDelete).toUtf8().constData(), entry->name);
    if (platform::ask(question, QString(), platform::PromptButtons::YesNo, platform::PromptIcon::Question)
        != platform::PromptResult::Yes)
        return false;
    catalogue_.RemoveEntry(selected_);
    (void)Save();
    Select(-1);
    return true;
}

bool StandardBrowser::MoveSelected(StandardCatalogue::Direction direction)
{
    if (!SelectedEntry())
        return false;
    const int moved = catalogue_.MoveEntry(selected_, direction);
    if (moved == selected_)
        return false;
    (void)Save();
    selected_ = moved;
    return true;
}

} // namespace dlg
