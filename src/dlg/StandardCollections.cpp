#include "dlg/StandardCollections.h"

#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/Prompt.h"

namespace dlg {

int StandardCollections::Count() const
{
    return options_.GetStandards().Count();
}

CollectionValues StandardCollections::At(int i) const
{
    const StandardRecord& record = options_.GetStandards().At(i);
    return {record.name, record.file};
}

void StandardCollections::Add(const CollectionValues& values)
{
    (void)options_.AddStandard(values.name, values.file);
    options_.SaveStandardsList();
}

void StandardCollections::TellNoneSelected() const
{
    (void)platform::ask(Translate(kTextNoneSelected), QString(), platform::PromptButtons::Ok,
                        platform::PromptIcon::Error);
}

std::optional<CollectionValues> StandardCollections::StartModify(int selected) const
{
    if (!Valid(selected)) {
        TellNoneSelected();
        return std::nullopt;
    }
    return At(selected);
}

void StandardCollections::Modify(int selected, const CollectionValues& values)
{
    if (options_.ModifyStandard(selected, values.name, values.file))
        options_.SaveStandardsList();
}

bool StandardCollections::Delete(int selected)
{
    if (!Valid(selected)) {
        TellNoneSelected();
        return false;
    }
    const QString question = Translate(kTextConfirmDelete) + u'\n' + At(selected).name;
    if (platform::ask(question, QString(), platform::PromptButtons::YesNo, platform::PromptIcon::Question)
        != platform::PromptResult::Yes)
        return false;
    options_.RemoveStandard(selected);
    options_.SaveStandardsList();
    return true;
}

} // namespace dlg
