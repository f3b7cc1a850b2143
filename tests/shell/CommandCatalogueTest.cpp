#include "shell/CommandCatalogue.h"

#include <gtest/gtest.h>

namespace {

shell::CommandCatalogue Built()
{
    shell::CommandCatalogue catalogue;
    catalogue.Build();
    return catalogue;
}

TEST(CommandCatalogue, HoldsEveryCommandInAscendingOrder)
{
    const auto catalogue = Built();
    const auto& commands = catalogue.GetCommands();
    ASSERT_EQ(commands.size(), 119u);
    EXPECT_EQ(commands.begin()->first, 176);
    EXPECT_EQ(commands.rbegin()->first, 59393);
}

TEST(CommandCatalogue, LooksUpNamesAndImages)
{
    const auto catalogue = Built();
    const struct {
        int id, nameId, image;
    } cases[] = {
        {176, 43, 4},       // first row
        {228, 75, -1},      // a command without a picture
        {57602, 3, 0},      // picture 0 is a real picture
        {32968, 45, 69},    // shares its name with the ellipse
        {59393, 23, -1},    // last row
        {0, 0, 0},          // not catalogued
        {10301, 0, 0},      // exporter items are filled at run time
    };
    for (const auto& c : cases) {
        EXPECT_EQ(catalogue.GetNameId(c.id), c.nameId) << c.id;
        EXPECT_EQ(catalogue.GetImage(c.id), c.image) << c.id;
    }
    EXPECT_FALSE(catalogue.Find(0).has_value());
    EXPECT_TRUE(catalogue.Find(57602).has_value());
}

TEST(CommandCatalogue, FindsCategoriesByExactName)
{
    const auto catalogue = Built();
    const struct {
        const char16_t* name;
        int nameId;
    } cases[] = {
        {u"Mesaure", 89},  {u"Measure", 0},           {u"File", 877}, {u"file", 0},
        {u"Quick", 315},   {u"ManipulationQuick", 311}, {u"Clear Common Lines", 710},
        {u"Standard", 0},  {u"&File", 0},             {u"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(catalogue.GetCategoryNameId(QString::fromUtf16(c.name)), c.nameId) << QString::fromUtf16(c.name).toStdString();
}

} // namespace
