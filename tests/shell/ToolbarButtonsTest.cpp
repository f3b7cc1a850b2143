#include "shell/ToolbarButtons.h"

#include "shell/CommandCatalogue.h"

#include <gtest/gtest.h>

namespace {

using shell::ToolbarButtons;

ToolbarButtons FromText(const char* text)
{
    ToolbarButtons buttons;
    buttons.SetButtonsFromText(QString::fromLatin1(text));
    return buttons;
}

TEST(ToolbarButtons, ReadsTheLayoutText)
{
    const struct {
        const char* text;
        std::vector<int> ids;
        bool empty;
        const char* written;
    } cases[] = {
        {"", {}, true, "0"},
        {"0", {0}, true, "0"},
        {"12,-1,0,13", {12, -1, 13}, false, "12,-1,13"},
        {"0,12", {0, 12}, true, "0,12"},
        {"-5", {}, true, "0"},
        {"12,", {12}, false, "12"},          // an empty last token is not applied
        {",12", {0, 12}, true, "0,12"},      // an empty token reads 0
        {"12,,13", {12, 13}, false, "12,13"},
        {" 57600, +57601,x,-1", {57600, 57601, -1}, false, "57600,57601,-1"},
        {"99999", {99999}, false, "99999"},  // unknown to the catalogue, kept
        {"7abc,-1-1", {7, -1}, false, "7,-1"},
    };
    for (const auto& c : cases) {
        const auto buttons = FromText(c.text);
        EXPECT_EQ(buttons.Ids(), c.ids) << c.text;
        EXPECT_EQ(buttons.IsEmpty(), c.empty) << c.text;
        EXPECT_EQ(buttons.GetButtonsText(), QString::fromLatin1(c.written)) << c.text;
    }
}

TEST(ToolbarButtons, FacesTakeTheCataloguePicture)
{
    shell::CommandCatalogue catalogue;
    catalogue.Build();
    const auto buttons = FromText("57600,-1,228,99999,57602");
    EXPECT_EQ(buttons.Face(0, catalogue).imageIndex, 51);
    EXPECT_TRUE(buttons.Face(1, catalogue).separator);
    EXPECT_EQ(buttons.Face(2, catalogue).imageIndex, -1);
    // An unknown command shows no picture rather than File > Close's.
    EXPECT_EQ(buttons.Face(3, catalogue).imageIndex, -1);
    EXPECT_EQ(buttons.Face(4, catalogue).imageIndex, 0);
}

TEST(ToolbarButtons, MovesWithinTheToolbar)
{
    const struct {
        const char* text;
        int from, to;
        bool moved;
        std::vector<int> ids;
    } cases[] = {
        {"1,2,3", 0, 2, true, {2, 3, 1}},
        {"1,2,3", 2, 0, true, {3, 1, 2}},
        {"1,2,3", 1, 1, false, {1, 2, 3}},   // onto its own place
        {"0", 0, 0, false, {0}},
        {"0,-1", 1, 0, false, {0, -1}},      // a placeholder toolbar is not reordered
        {"1,2", 5, 0, false, {1, 2}},        // a stale index from the drag
        {"1,2", -1, 0, false, {1, 2}},
    };
    for (const auto& c : cases) {
        auto buttons = FromText(c.text);
        EXPECT_EQ(buttons.MoveButton(c.from, c.to), c.moved) << c.text << ' ' << c.from << "->" << c.to;
        EXPECT_EQ(buttons.Ids(), c.ids) << c.text;
    }
}

TEST(ToolbarButtons, CopiesDroppedButtons)
{
    const struct {
        const char* text;
        int id, target, position;
        std::vector<int> ids;
    } cases[] = {
        {"1,2", 9, 0, 0, {9, 1, 2}},     // where there is no button: first
        {"1,2", 9, 1, 1, {1, 9, 2}},
        {"1,2", -1, 2, 2, {1, 2, -1}},
        {"", 9, 0, 0, {9}},
        {"0", 9, 0, 0, {9}},             // replaces the placeholder
        {"0", -1, 0, 1, {0, -1}},        // a separator goes behind it
        {"0,-1", 9, 1, 0, {9, -1}},
        {"0,-1", 9, 2, 1, {-1, 9}},
    };
    for (const auto& c : cases) {
        auto buttons = FromText(c.text);
        EXPECT_EQ(buttons.CopyDropped(c.id, c.target), c.position) << c.text << " +" << c.id;
        EXPECT_EQ(buttons.Ids(), c.ids) << c.text << " +" << c.id;
    }
}

TEST(ToolbarButtons, RemovesButtonsDraggedOff)
{
    const struct {
        const char* text;
        int index;
        bool removed;
        std::vector<int> ids;
    } cases[] = {
        {"1,2", 0, true, {2}},
        {"1", 0, true, {0}},             // the last button leaves the placeholder
        {"-1,1,-1", 1, true, {0, -1, -1}},
        {"1,-1", 1, true, {1}},          // a separator never adds the placeholder
        {"0", 0, false, {0}},            // the placeholder stays
        {"1", 3, false, {1}},
    };
    for (const auto& c : cases) {
        auto buttons = FromText(c.text);
        EXPECT_EQ(buttons.RemoveDragged(c.index), c.removed) << c.text;
        EXPECT_EQ(buttons.Ids(), c.ids) << c.text;
    }
}

} // namespace
