// The modify commands without a window: the driver shows a scripted sheet,
// whose answers set the pages as a user would, and applies what they hold
// to the selection in one undo step. Points picked from the drawing go
// through the command engine and reopen the sheet.
#include "app/ModifyDriver.h"
#include "command/ModifyApply.h"

#include "command/CommandTestSupport.h"
#include "element/Line.h"
#include "element/NodePoint.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "view/EditCommands.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>

namespace {

using namespace commandtest;
using app::ModifyDriver;
using Answer = std::function<int(dlg::ModifyPages&)>;

struct ScriptedSheet : app::ModifySheetUi {
    std::deque<Answer> answers;
    std::vector<int> kinds;
    std::vector<QString> captions;

    int ShowModifySheet(dlg::ModifyPages& pages, int kind, const QString& caption) override
    {
        kinds.push_back(kind);
        captions.push_back(caption);
        // What the sheet's pages do when they are shown.
        pages.move.Show();
        pages.rotate.Show();
        pages.scale.Show();
        if (answers.empty())
            return ModifyDriver::kSheetCancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer(pages);
    }
};

struct Ends {
    double x1, y1, x2, y2;
};

class ModifyDriverTest : public CommandTest {
protected:
    void SetUp() override
    {
        Show();
        // a: selected; b: not selected, sharing a's end node (10, 0).
        (void)AddLine(0, 0, 10, 0);
        (void)AddLine(10, 0, 10, 10);
        A()->SetSelection(1);
    }
    CLine* AddLine(double x1, double y1, double x2, double y2)
    {
        return static_cast<CLine*>(Layer().AddLine3(x1, y1, x2, y2, true, 1).Get());
    }
    Ends EndsOf(const CLine* line)
    {
        const die::coord s = Layer().Point(line->GetStartNode());
        const die::coord e = Layer().Point(line->GetEndNode());
        return {s.x, s.y, e.x, e.y};
    }
    static void ExpectEnds(const Ends& got, const Ends& want, const char* what)
    {
        // Nodes hold whole micrometres; a turn may round either way.
        constexpr double kTolerance = 1.5e-3;
        EXPECT_NEAR(got.x1, want.x1, kTolerance) << what;
        EXPECT_NEAR(got.y1, want.y1, kTolerance) << what;
        EXPECT_NEAR(got.x2, want.x2, kTolerance) << what;
        EXPECT_NEAR(got.y2, want.y2, kTolerance) << what;
    }
    void Click(double x, double y)
    {
        input_.OnMouseMove(Pixel(x, y), {});
        input_.OnLButtonDown(Pixel(x, y), {});
        input_.OnLButtonUp(Pixel(x, y), {});
    }
    int ElementCount()
    {
        int n = 0;
        for (CElement* e : Layer()) {
            (void)e;
            ++n;
        }
        return n;
    }
    static Answer Ok(std::function<void(dlg::ModifyPages&)> set)
    {
        return [set](dlg::ModifyPages& p) {
            set(p);
            return ModifyDriver::kSheetOk;
        };
    }

    // The lines in their slots (a run replaces the selected ones by copies
    // and keeps the old objects in its undo step).
    CLine* A() { return static_cast<CLine*>(Layer().GetElement(0)); }
    CLine* B() { return static_cast<CLine*>(Layer().GetElement(1)); }

    ScriptedSheet sheet_;
    ModifyDriver driver_{input_, sheet_};
};

TEST_F(ModifyDriverTest, EachPageAppliesItsTransformInOneUndoStep)
{
    struct Case {
        const char* what;
        int command;
        bool detached;
        std::function<void(dlg::ModifyPages&)> set;
        Ends a;
        Ends b;
    };
    const Case cases[] = {
        {"move by a typed distance", ModifyDriver::kCmdMove, true, [](auto& p) { p.move.SetDistance(10, 5); },
         {10, 5, 20, 5}, {10, 0, 10, 10}},
        {"connected move drags the shared node", ModifyDriver::kCmdMove, false,
         [](auto& p) { p.move.SetDistance(10, 5); }, {10, 5, 20, 5}, {20, 5, 10, 10}},
        {"rotate about the grid's centre", ModifyDriver::kCmdRotate, true,
         [this](auto& p) {
             p.rotate.Choose(dlg::kCentreMiddle, Layer().GetSelectedBorders());
             p.rotate.angle = 90;
         },
         {5, -5, 5, 5}, {10, 0, 10, 10}},
        {"scale about a static point", ModifyDriver::kCmdScale, true,
         [](auto& p) {
             p.scale.SetStatic(0, 0);
             p.scale.SetFx(2);
         },
         {0, 0, 20, 0}, {10, 0, 10, 10}},
        {"mirror about a vertical axis", ModifyDriver::kCmdMirror, true,
         [](auto& p) {
             p.scale.axisX1 = 20;
             p.scale.ChooseAxis(dlg::ScalePage::kAxisVertical);
         },
         {40, 0, 30, 0}, {10, 0, 10, 10}},
        {"mirror about two points", ModifyDriver::kCmdMirror, true,
         [](auto& p) {
             p.scale.axisX1 = 0; // the page kept the last run's point
             p.scale.axisX2 = 10;
             p.scale.axisY2 = 10;
             p.scale.ChooseAxis(dlg::ScalePage::kAxisTwoPoints);
         },
         {0, 0, 0, 10}, {10, 0, 10, 10}},
    };
    for (const Case& c : cases) {
        doc_.moveDetached = c.detached;
        const Ends a0 = EndsOf(A());
        const Ends b0 = EndsOf(B());
        const int steps = doc_.Undo().GetUndoCount();
        sheet_.answers.push_back(Ok(c.set));
        ASSERT_TRUE(driver_.RunCommand(c.command));
        ExpectEnds(EndsOf(A()), c.a, c.what);
        ExpectEnds(EndsOf(B()), c.b, c.what);
        EXPECT_EQ(doc_.Undo().GetUndoCount(), steps + 1) << c.what;
        EXPECT_TRUE(doc_.IsModified());
        UndoOneStep(doc_);
        ExpectEnds(EndsOf(A()), a0, c.what);
        ExpectEnds(EndsOf(B()), b0, c.what);
        ASSERT_TRUE(A()->IsSelected());
    }
}

TEST_F(ModifyDriverTest, MoveByTwoPointsPickedThroughTheEngine)
{
    ASSERT_GE(doc_.Nodes().AddPoint(3, 4, false), 0);
    ASSERT_GE(doc_.Nodes().AddPoint(13, 8, false), 0);
    sheet_.answers.push_back([](auto&) { return ModifyDriver::kEndMoveStart; });
    sheet_.answers.push_back([](auto&) { return ModifyDriver::kEndMoveEnd; });
    double dx = 0, dy = 0;
    sheet_.answers.push_back([&](dlg::ModifyPages& p) {
        dx = p.move.dx;
        dy = p.move.dy;
        return ModifyDriver::kSheetOk;
    });
    ASSERT_TRUE(driver_.RunCommand(ModifyDriver::kCmdMove));
    EXPECT_TRUE(Request().IsRunning()) << "the sheet handed over to a point pick";
    EXPECT_EQ(driver_.Pages().move.startX, 0.0);
    Click(3, 4);
    EXPECT_EQ(sheet_.kinds.size(), 2u) << "the pick reopens the sheet";
    Click(13, 8);
    ASSERT_EQ(sheet_.kinds, (std::vector<int>{111, 111, 111}));
    EXPECT_NEAR(dx, 10.0, 1e-9);
    EXPECT_NEAR(dy, 4.0, 1e-9);
    ExpectEnds(EndsOf(A()), {10, 4, 20, 4}, "moved by the picked points");
    EXPECT_FALSE(Request().IsRunning());
}

TEST_F(ModifyDriverTest, RotateAboutAPickedCentre)
{
    ASSERT_GE(doc_.Nodes().AddPoint(20, 0, false), 0);
    sheet_.answers.push_back([](auto&) { return ModifyDriver::kEndRotateCentre; });
    sheet_.answers.push_back(Ok([](auto& p) { p.rotate.angle = 180; }));
    ASSERT_TRUE(driver_.RunCommand(ModifyDriver::kCmdRotate));
    Click(20, 0);
    ASSERT_EQ(sheet_.kinds, (std::vector<int>{112, 112}));
    EXPECT_EQ(driver_.Pages().rotate.centreX, 20.0);
    ExpectEnds(EndsOf(A()), {40, 0, 30, 0}, "turned half round (20, 0)");
}

TEST_F(ModifyDriverTest, CopyLeavesUnselectedCopiesAndMovesTheSelectionDetached)
{
    doc_.moveDetached = false; // the copy flag forces the detached form
    const int steps = doc_.Undo().GetUndoCount();
    sheet_.answers.push_back(Ok([](auto& p) { p.move.SetDistance(10, 0); }));
    ASSERT_TRUE(driver_.RunCommand(ModifyDriver::kCmdCopy));
    EXPECT_EQ(sheet_.captions.back(), Translate(ModifyDriver::kTextCaptionCopy));
    EXPECT_TRUE(driver_.copy);
    ASSERT_EQ(ElementCount(), 3);
    ExpectEnds(EndsOf(A()), {10, 0, 20, 0}, "the selected line moved");
    ExpectEnds(EndsOf(B()), {10, 0, 10, 10}, "the neighbour kept its node");
    auto* copy = static_cast<CLine*>(Layer().GetElement(2));
    ExpectEnds(EndsOf(copy), {0, 0, 10, 0}, "the copy stays");
    EXPECT_FALSE(copy->IsSelected());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), steps + 1);
    UndoOneStep(doc_);
    EXPECT_EQ(ElementCount(), 2) << "one undo takes copy and move back";
    // The next command is a plain move again.
    sheet_.answers.push_back(Ok([](auto&) {}));
    ASSERT_TRUE(driver_.RunCommand(ModifyDriver::kCmdMove));
    EXPECT_FALSE(driver_.copy);
    EXPECT_EQ(sheet_.captions.back(), Translate(ModifyDriver::kTextCaptionModify));
}

TEST_F(ModifyDriverTest, OneOkAppliesEveryPageAndOneUndoTakesAllBack)
{
    driver_.Pages().rotate.angle = 90; // kept from an earlier Rotate run
    sheet_.answers.push_back(Ok([](auto& p) { p.move.SetDistance(5, 0); }));
    ASSERT_TRUE(driver_.RunCommand(ModifyDriver::kCmdRotate));
    ExpectEnds(EndsOf(A()), {5, 0, 5, 10}, "turned a quarter about (0, 0), then moved");
    UndoOneStep(doc_);
    ExpectEnds(EndsOf(A()), {0, 0, 10, 0}, "undone at once");
}

TEST_F(ModifyDriverTest, OpeningAPageClearsTheOthersAndKeepsItsOwn)
{
    dlg::ModifyPages& p = driver_.Pages();
    p.move.SetDistance(3, 0);
    p.rotate.angle = 30;
    p.scale.SetFx(2);
    dlg::ModifyPages seen;
    sheet_.answers.push_back([&](dlg::ModifyPages& shown) {
        seen = shown;
        return ModifyDriver::kSheetCancel;
    });
    ASSERT_TRUE(driver_.RunCommand(ModifyDriver::kCmdRotate));
    EXPECT_EQ(seen.rotate.angle, 30.0);
    EXPECT_EQ(seen.move.dx, 0.0);
    EXPECT_EQ(seen.scale.fx, 1.0);
    EXPECT_FALSE(seen.scale.scaleOn);
    EXPECT_FALSE(seen.scale.flipOn);
    ExpectEnds(EndsOf(A()), {0, 0, 10, 0}, "Cancel changes nothing");
    EXPECT_FALSE(driver_.IsSheetOpen());
}

TEST_F(ModifyDriverTest, WithNothingSelectedThePickedElementAloneMoves)
{
    A()->SetSelection(0);
    sheet_.answers.push_back(Ok([](auto& p) { p.move.SetDistance(0, 20); }));
    ASSERT_TRUE(driver_.RunCommand(ModifyDriver::kCmdMove));
    EXPECT_EQ(Request().CommandCode(), ModifyDriver::kCodeElementPick);
    EXPECT_EQ(ui_.status, Translate(ModifyDriver::kTextPickElement));
    Click(10, 5);
    ExpectEnds(EndsOf(B()), {10, 20, 10, 30}, "the picked line moved");
    ExpectEnds(EndsOf(A()), {0, 0, 10, 0}, "the other stays");
}

TEST_F(ModifyDriverTest, DirectMoveTakesTheWholeSelection)
{
    driver_.quickStart = {0, 0};
    driver_.quickEnd = {0, -5};
    driver_.DoModifyDlg(ModifyDriver::kKindMove, false, B(), true);
    EXPECT_TRUE(sheet_.kinds.empty());
    ExpectEnds(EndsOf(A()), {0, -5, 10, -5}, "the selection moved");
    ExpectEnds(EndsOf(B()), {10, 0, 10, 10}, "not the element under the cursor");
}

TEST_F(ModifyDriverTest, NoToTheRotatedNodesQuestionChangesNothing)
{
    doc_.Nodes().GetNode(B()->GetEndNode())->SetRotationFormulas("0", "0", "45");
    ASSERT_TRUE(doc_.Nodes().AnyNodeRotated());
    platform::ScriptedPrompt prompt{platform::PromptResult::No};
    auto guard = platform::installPrompt(prompt);
    const int steps = doc_.Undo().GetUndoCount();
    sheet_.answers.push_back(Ok([](auto& p) { p.move.SetDistance(10, 0); }));
    ASSERT_TRUE(driver_.RunCommand(ModifyDriver::kCmdMove));
    EXPECT_EQ(prompt.texts(), QStringList{Translate(modifyapply::kTextConvertRotated)});
    ExpectEnds(EndsOf(A()), {0, 0, 10, 0}, "nothing moved");
    EXPECT_EQ(doc_.Undo().GetUndoCount(), steps);
    EXPECT_FALSE(doc_.Undo().HasOpenStep());
}

// A scale factor of 0 is refused by the scale; the other pages of the same
// OK must not go ahead without it.
TEST_F(ModifyDriverTest, ARefusedValueLeavesTheWholeRunUndone)
{
    const int steps = doc_.Undo().GetUndoCount();
    const int nodes = doc_.Nodes().GetCount();
    sheet_.answers.push_back(Ok([](auto& p) {
        p.scale.SetFx(0);
        p.move.SetDistance(5, 0);
    }));
    ASSERT_TRUE(driver_.RunCommand(ModifyDriver::kCmdScale));
    ExpectEnds(EndsOf(A()), {0, 0, 10, 0}, "nothing moved");
    EXPECT_EQ(doc_.Undo().GetUndoCount(), steps);
    EXPECT_EQ(doc_.Nodes().GetCount(), nodes);
    EXPECT_FALSE(doc_.IsModified());
}

// The quick commands: the points (or the angle and the centre) are given
// once, then every click transforms the element it picks, each click its
// own undo step, until cancelled.
class QuickModifyTest : public ModifyDriverTest {
protected:
    void SetUp() override
    {
        ModifyDriverTest::SetUp();
        BindFreePointKey();
        A()->SetSelection(0);
        // c and d stand apart from a and b.
        (void)AddLine(50, 50, 60, 50);
        (void)AddLine(50, 80, 60, 80);
    }
    CLine* C() { return static_cast<CLine*>(Layer().GetElement(2)); }
    CLine* D() { return static_cast<CLine*>(Layer().GetElement(3)); }
    std::vector<Ends> AllEnds()
    {
        std::vector<Ends> ends;
        for (CElement* e : Layer())
            ends.push_back(EndsOf(static_cast<CLine*>(e)));
        return ends;
    }
};

TEST_F(QuickModifyTest, QuickMoveAndCopyRepeatTheDisplacementForEveryClickedElement)
{
    for (const int command : {ModifyDriver::kCmdQuickMove, ModifyDriver::kCmdQuickCopy}) {
        SCOPED_TRACE(command);
        const bool copies = command == ModifyDriver::kCmdQuickCopy;
        const Ends c = EndsOf(C());
        const Ends d = EndsOf(D());
        const int elements = ElementCount();
        const int steps = doc_.Undo().GetUndoCount();
        ASSERT_TRUE(driver_.StartQuick(command));
        FreePoint(0, 0);
        FreePoint(10, 5);
        Click(55, c.y1);
        Click(55, d.y1);
        EXPECT_TRUE(Request().IsRunning());
        input_.CancelCommand();

        const std::vector<Ends> now = AllEnds();
        ASSERT_EQ(static_cast<int>(now.size()), elements + (copies ? 2 : 0));
        const auto has = [&now](const Ends& want) {
            return std::any_of(now.begin(), now.end(), [&want](const Ends& e) {
                return std::abs(e.x1 - want.x1) + std::abs(e.y1 - want.y1) + std::abs(e.x2 - want.x2)
                           + std::abs(e.y2 - want.y2)
                       < 1e-6;
            });
        };
        for (const Ends& e : {c, d}) {
            EXPECT_TRUE(has({e.x1 + 10, e.y1 + 5, e.x2 + 10, e.y2 + 5})) << "moved by (10, 5)";
            EXPECT_EQ(has(e), copies) << "only a copy leaves one where it was";
        }
        ExpectEnds(EndsOf(A()), {0, 0, 10, 0}, "a is not clicked");
        EXPECT_EQ(doc_.Undo().GetUndoCount(), steps + 2) << "one step per click";
        EXPECT_EQ(modifyapply::SelectedCount(doc_), 0);
    }
}

TEST_F(QuickModifyTest, QuickRotateTurnsAboutTheCentreAndOffersItsAngleNextTime)
{
    doc_.Remembered().quickRotateAngle = 30.0;
    (void)AddLine(10, 0, 20, 0); // e, on the node a and b share
    ui_.values = {QStringLiteral("90")};
    ASSERT_TRUE(driver_.StartQuick(ModifyDriver::kCmdQuickRotate));
    EXPECT_EQ(Request().Step(0).defaultValue, 30.0) << "the last angle is offered";
    EXPECT_EQ(ui_.valueLabels.back(), Translate(ModifyDriver::kTextAngleLabel));
    FreePoint(0, 0);
    Click(15, 0);
    ExpectEnds(EndsOf(static_cast<CLine*>(Layer().GetElement(4))), {0, 10, 0, 20}, "e turned by 90 about (0, 0)");
    ExpectEnds(EndsOf(A()), {0, 0, 10, 0}, "a keeps the node e had");
    Click(55, 50);
    ExpectEnds(EndsOf(C()), {-50, 50, -50, 60}, "c turned by the same angle about the same centre");
    input_.CancelCommand();
    EXPECT_EQ(doc_.Remembered().quickRotateAngle, 90.0);

    ui_.values = {std::nullopt};
    ASSERT_TRUE(driver_.StartQuick(ModifyDriver::kCmdQuickRotate));
    EXPECT_EQ(Request().Step(0).defaultValue, 90.0);
    input_.CancelCommand();
}

} // namespace
