// The Die menu's parts, Clear Common Lines and the view's two switches of
// Construct and Modify through the real window and its menus.
#include "app/WindowFixture.h"

#include "command/SelectionBridges.h"
#include "dlg/OneValue.h"
#include "element/ElementTypes.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/UndoManager.h"
#include "shell/CommandId.h"

#include <QTest>

#include <deque>

namespace {

using shell::CommandId;
using shell::ToInt;

class DieWindow : public apptest::WindowFixture {
protected:
    void Click(double x, double y)
    {
        QTest::mouseMove(view_, PixelOf(x, y));
        QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, PixelOf(x, y));
    }
    void Box(double x1, double y1, double x2, double y2)
    {
        QTest::mouseMove(view_, PixelOf(x1, y1));
        QTest::mousePress(view_, Qt::LeftButton, Qt::NoModifier, PixelOf(x1, y1));
        QTest::mouseMove(view_, PixelOf(x2, y2));
        QTest::mouseRelease(view_, Qt::LeftButton, Qt::NoModifier, PixelOf(x2, y2));
    }
    std::vector<CElement*> Elements(int layer)
    {
        std::vector<CElement*> found;
        for (CElement* e : *Doc().GetSection(layer))
            found.push_back(e);
        return found;
    }
    bool Checked(CommandId id)
    {
        window_.RefreshActions();
        QAction* action = window_.CommandAction(ToInt(id));
        return action && action->isChecked();
    }
};

TEST_F(DieWindow, EasySetSPAndAClickPlaceAPattern)
{
    // A click takes a point from the rule it hits.
    ASSERT_FALSE(Doc().GetCurrentSection()->AddLine3(0, 0, 60, 0, true, 1).AtEnd());
    Choose(ToInt(CommandId::EasySetSP));
    Click(30, 0);
    const std::vector<CElement*> placed = Elements(0);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[1]->GetTypeId(), ElementTypeId::BobstSP);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().commandActive, 1) << "the next click places another";
    Doc().SetModifiedFlag(false); // closing asks nothing
}

TEST_F(DieWindow, ClearCommonLinesLayoutAndBlockLeavesEachRuleOnce)
{
    // Layer 0: a 10 × 10 square placed twice side by side, sharing an edge;
    // layer 1: a rule and a shorter one lying on it.
    Section& first = *Doc().GetSection(0);
    for (const auto& [x1, y1, x2, y2] : {std::array{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 0, 10}, {0, 10, 0, 0}})
        ASSERT_FALSE(first.AddLine3(x1, y1, x2, y2, true, 1).AtEnd());
    first.NewInstance(10, 0, 0);
    Section* second = Doc().AppendSection(QStringLiteral("second"));
    ASSERT_NE(second, nullptr);
    ASSERT_FALSE(second->AddLine3(0, 50, 100, 50, true, 1).AtEnd());
    ASSERT_FALSE(second->AddLine3(20, 50, 60, 50, true, 1).AtEnd());
    Doc().SetModifiedFlag(false);
    const int steps = Doc().Undo().GetUndoCount();

    Choose(ToInt(CommandId::ClearCommonLayoutAndBlock));
    // The square's bottom and top stay repeated; its sides become fixed
    // rules, the shared one once.
    EXPECT_EQ(Elements(0).size(), 5u);
    EXPECT_EQ(Elements(1).size(), 1u);
    EXPECT_EQ(Doc().Undo().GetUndoCount(), steps + 2) << "a step per layer";
    EXPECT_EQ(Doc().Undo().NextUndo()->title, CMorvekDoc::kTextClearCommonLines);
    EXPECT_TRUE(Doc().IsModified());
    Doc().SetModifiedFlag(false); // closing asks nothing
}

TEST_F(DieWindow, AvoidLayoutAndExtendedSelectionToggleWithTheirCheckMarks)
{
    Section& layer = *Doc().GetCurrentSection();
    EXPECT_FALSE(Checked(CommandId::AvoidLayout));
    Choose(ToInt(CommandId::AvoidLayout));
    EXPECT_TRUE(Checked(CommandId::AvoidLayout));
    CElement* fixed = layer.AddLine3(0, 0, 40, 0, true, 1).Get();
    EXPECT_EQ(fixed->GetNotInstanced(), 1) << "not repeated in the placements";
    Choose(ToInt(CommandId::AvoidLayout));
    EXPECT_FALSE(Checked(CommandId::AvoidLayout));
    EXPECT_EQ(layer.AddLine3(0, 20, 40, 20, true, 1).Get()->GetNotInstanced(), 0);

    // A box round the right end of the upper line only.
    CElement* upper = layer.GetElement(1);
    for (const bool extended : {false, true, false}) {
        SCOPED_TRACE(extended);
        if (extended != Checked(CommandId::ExtendedSelection))
            Choose(ToInt(CommandId::ExtendedSelection));
        EXPECT_EQ(Checked(CommandId::ExtendedSelection), extended);
        layer.Deselect();
        Box(30, 30, 50, 10);
        EXPECT_EQ(upper->IsSelected(), extended);
        EXPECT_FALSE(layer.GetElement(0)->IsSelected());
    }
}

// The popup's Change Bridge Length refuses a width that is not a number
// above 0 with a message, and changes nothing.
TEST_F(DieWindow, ChangeBridgeLengthRefusesAWidthThatIsNotAboveZero)
{
    struct Typed : dlg::OneValueAsker {
        std::deque<QString> answers;
        std::optional<QString> Ask(const dlg::OneValueRequest&) override
        {
            const QString answer = answers.front();
            answers.pop_front();
            return answer;
        }
    } typed;
    typed.answers = {QStringLiteral("0"), QStringLiteral("wide"), QStringLiteral("2.5")};
    const auto useTyped = dlg::InstallOneValueAsker(typed);
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok, platform::PromptResult::Ok};
    const auto usePrompt = platform::installPrompt(prompt);
    Section& layer = *Doc().GetCurrentSection();
    CElement* line = layer.AddLine3(0, 0, 100, 0, true, 1).Get();
    line->SetSelection(1);
    Doc().SetModifiedFlag(false);
    const int steps = Doc().Undo().GetUndoCount();

    for (int refused = 1; refused <= 2; ++refused) {
        ASSERT_TRUE(view_->RunCommand(ToInt(CommandId::PopupChangeBridgeLength)));
        ASSERT_EQ(prompt.texts().size(), refused);
        EXPECT_EQ(prompt.texts().back(), Translate(selectionbridges::kTextWidthRefused));
        EXPECT_EQ(layer.GetElement(0), line);
        EXPECT_EQ(Doc().Undo().GetUndoCount(), steps);
        EXPECT_FALSE(Doc().IsModified());
    }
    ASSERT_TRUE(view_->RunCommand(ToInt(CommandId::PopupChangeBridgeLength)));
    EXPECT_DOUBLE_EQ(layer.GetElement(0)->GetAutoWidth(), 2.5);
    EXPECT_EQ(Doc().Undo().GetUndoCount(), steps + 1);
    EXPECT_TRUE(Doc().IsModified());
    Doc().SetModifiedFlag(false); // closing asks nothing
}

} // namespace
