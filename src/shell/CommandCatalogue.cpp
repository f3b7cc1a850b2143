#include "shell/CommandCatalogue.h"

#include "shell/CommandTable.h"

namespace shell {
namespace {

struct CategoryRow {
    const char16_t* name;
    int nameId;
};

// The popup titles of the main menu (without '&') that have a text of their
// own; "Mesaure" is the title's spelling.
constexpr CategoryRow kCategories[] = {
    {u"File", 877},         {u"Help", 28},           {u"Basic", 40},
    {u"QuickConstruct", 311}, {u"Dimension", 47},    {u"Geometry", 51},
    {u"Shapes", 58},        {u"Construct", 39},      {u"View", 11},
    {u"Modify", 67},        {u"Die", 94},            {u"Manipulation", 76},
    {u"Mesaure", 89},       {u"Stripper", 832},      {u"Window", 103},
    {u"Output", 97},        {u"ManipulationQuick", 311}, {u"Clear Common Lines", 710},
    {u"ManipulationDelete", 82}, {u"ModifyQuick", 311}, {u"Toolbars", 198},
    {u"Custom Toolbars", 110}, {u"Debug", 789},      {u"Quick", 315},
    {u"Options", 2800},
};

} // namespace

void CommandCatalogue::Build()
{
    for (const CommandRow& row : CommandRows())
        if (row.catalogued)
            commands_[ToInt(row.id)] = CommandEntry{row.nameId, row.image};
    for (const CategoryRow& row : kCategories)
        categories_[QString::fromUtf16(row.name)] = row.nameId;
}

std::optional<CommandEntry> CommandCatalogue::Find(int commandId) const
{
    const auto it = commands_.find(commandId);
    if (it == commands_.end())
        return std::nullopt;
    return it->second;
}

int CommandCatalogue::GetImage(int commandId) const
{
    const auto entry = Find(commandId);
    return entry ? entry->imageIndex : 0;
}

int CommandCatalogue::GetNameId(int commandId) const
{
    const auto entry = Find(commandId);
    return entry ? entry->nameId : 0;
}

int CommandCatalogue::GetCategoryNameId(const QString& name) const
{
    const auto it = categories_.find(name);
    return it == categories_.end() ? 0 : it->second;
}

} // namespace shell
