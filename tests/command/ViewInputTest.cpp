#include "command/ViewInput.h"

#include "command/CommandTestSupport.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "element/NodePoint.h"
#include "platform/Registry.h"

#include <cmath>

namespace {

using namespace commandtest;
using platform::DevicePoint;

void StoreBinding(int slot, KeyBinding binding)
{
    EXPECT_TRUE(platform::Registry::writeBinary(QStringLiteral("Keyboard"), KeyBindingName(slot), binding.ToBytes()));
}

// A point command of two steps with the given snaps.
void StartPointCommand(CInputRequest& r, ViewInput& view, int snapFlags)
{
    RequestDescription d;
    for (int i = 0; i < 2; ++i) {
        InputStep& step = d.Add();
        step.accepted = InputPoint;
        step.snapFlags = snapFlags;
    }
    r.Start(view, d, nullptr);
}

TEST_F(CommandTest, AClickNothingAcceptsDoesNotAdvanceTheFreePointKeyDoes)
{
    StoreBinding(DEF_FREEPOINT, KeyBinding{0, 0, 0, 0, 'F'});
    options_.LoadKeyboard();
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    Show();
    CInputRequest& r = Request();
    StartPointCommand(r, input_, SnapNode | SnapKeys | SnapElement);
    input_.OnLButtonDown(Pixel(50, 80), {});
    EXPECT_EQ(r.CurrentIndex(), 0);
    EXPECT_TRUE(r.IsRunning());
    input_.OnKeyDown('F', {});
    EXPECT_EQ(r.CurrentIndex(), 1);
    EXPECT_EQ(r.Step(0).resultKind, InputPoint);
    EXPECT_NEAR(r.Step(0).x, 50.0, 0.5);
    EXPECT_NEAR(r.Step(0).y, 80.0, 0.5);
}

TEST_F(CommandTest, ANodeSnapBeatsAnElementSnap)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    (void)Layer().AddLine3(40, 0, 40, 50, true, 1); // a node on the first line, not one of its snap points
    Show();
    const struct {
        int snaps;
        bool onNode;
    } cases[] = {{SnapElement, false}, {SnapElement | SnapNode, true}, {SnapNode, true}};
    for (const auto& c : cases) {
        CInputRequest& r = Request();
        StartPointCommand(r, input_, c.snaps);
        const DevicePoint click = Pixel(41, 0); // 2 pixels from the node, on the first line
        input_.OnLButtonDown(click, {});
        ASSERT_EQ(r.CurrentIndex(), 1) << c.snaps;
        const InputStep& s = r.Step(0);
        EXPECT_EQ(s.x == 40.0 && s.y == 0.0, c.onNode) << c.snaps;
        EXPECT_EQ(s.nodeIndex >= 0, c.onNode) << c.snaps;
        if (!c.onNode) {
            EXPECT_EQ(s.x, s.snappedX);
        }
        input_.CancelCommand();
    }
}

TEST_F(CommandTest, TheCrossingSnapUsesTheElementOfTheLinkedStep)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);   // A
    (void)Layer().AddLine3(30, -50, 30, 50, true, 1); // crosses A at (30, 0)
    (void)Layer().AddLine3(70, -50, 70, 50, true, 1); // C, crosses A at (70, 0)
    Show();
    const struct {
        double pickX, pickY; // where step 0 picks its element
        double x, y;         // the crossing taken for a click at (45, 5)
    } cases[] = {{10, 0, 30, 0}, {70, -30, 70, 0}};
    for (const auto& c : cases) {
        CInputRequest& r = Request();
        RequestDescription d;
        d.Add().accepted = InputElement;
        InputStep& crossing = d.Add();
        crossing.accepted = InputPoint;
        crossing.snapFlags = SnapCrossing;
        crossing.linkedStep = 0;
        r.Start(input_, d, nullptr);
        input_.OnLButtonDown(Pixel(c.pickX, c.pickY), {});
        ASSERT_EQ(r.CurrentIndex(), 1);
        input_.OnLButtonDown(Pixel(45, 5), {});
        EXPECT_FALSE(r.IsRunning());
        EXPECT_DOUBLE_EQ(r.Step(1).x, c.x);
        EXPECT_DOUBLE_EQ(r.Step(1).y, c.y);
    }
}

TEST_F(CommandTest, WheelZoomKeepsThePointUnderTheCursorAndStopsAtItsLimits)
{
    Show();
    const struct {
        double zoom;
        DevicePoint origin;
        DevicePoint cursor;
        int delta;
        double expected;
    } cases[] = {
        {2.0, {100, 500}, {437, 211}, 120, 2.25},
        {2.0, {100, 500}, {3, 599}, -120, 2.0 / 1.125},
        {0.37, {-250, -40}, {13, 7}, 120, 0.37 * 1.125},   // cursor and origin far apart, negative origin
        {0.37, {900, 700}, {13, 7}, -120, 0.37 / 1.125},
        {10000.0, {100, 500}, {400, 300}, 120, 10000.0},  // never above the limit
        {0.001, {100, 500}, {400, 300}, -120, 0.001},      // stops at or below 0.001
        {0.0011, {100, 500}, {400, 300}, -120, 0.0011 / 1.125},
    };
    for (const auto& c : cases) {
        core_.SetZoomAndOrigin(c.zoom, c.origin);
        input_.OnMouseMove(c.cursor, {});
        const double mx = doc_.Cursor().modelX;
        const double my = doc_.Cursor().modelY;
        input_.OnMouseWheel(c.delta, {});
        EXPECT_DOUBLE_EQ(core_.GetZoom(), c.expected) << c.zoom;
        double px = 0, py = 0;
        core_.Transform().ToPixel(mx, my, DrawContext::MirrorY, px, py);
        EXPECT_LE(std::abs(px - c.cursor.x), 0.5) << c.zoom << " " << c.delta;
        EXPECT_LE(std::abs(py - c.cursor.y), 0.5) << c.zoom << " " << c.delta;
    }
}

TEST_F(CommandTest, WheelWithCtrlOrShiftDoesNotZoom)
{
    Show();
    input_.OnMouseMove({400, 300}, {});
    for (InputModifiers mods : {InputModifiers{false, true, false}, InputModifiers{true, true, false},
                                InputModifiers{true, false, false}}) {
        input_.OnMouseWheel(120, mods);
        EXPECT_EQ(core_.GetZoom(), 2.0);
    }
}

TEST_F(CommandTest, ShiftAndCtrlComeFromEachEvent)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    Show();
    CInputRequest& r = Request();
    // A Ctrl key message alone leaves nothing behind: the click decides.
    input_.OnKeyDown(17, {false, true, false});
    input_.OnLButtonDown(Pixel(50, 100), {});
    EXPECT_EQ(r.CommandCode(), ViewInput::kCodeBoxSelect);
    input_.OnLButtonUp(Pixel(50, 100), {});
    input_.OnLButtonDown(Pixel(50, 100), {false, true, false});
    EXPECT_EQ(r.CommandCode(), ViewInput::kCodePan);
    input_.OnLButtonUp(Pixel(50, 100), {});

    // Shift on the click keeps the selection, without it the click clears it.
    for (bool shift : {true, false}) {
        CElement* line = *Layer().begin();
        line->SetSelection(1);
        input_.OnLButtonDown(Pixel(50, 100), {shift, false, false});
        EXPECT_EQ(line->IsSelected(), shift);
        input_.OnLButtonUp(Pixel(50, 100), {});
    }
}

TEST_F(CommandTest, PointKeysFollowTheHotKeyPriorities)
{
    StoreBinding(DEF_FREEPOINT, KeyBinding{0, 0, 0, 0, 'F'});
    StoreBinding(DEF_TANGENT, KeyBinding{0, 0, 0, 0, 'F'});   // same key: acts as the tangent key
    StoreBinding(DEF_INDIRECT, KeyBinding{0, 0, 0, 0, 'X'});
    StoreBinding(DEF_EXITFUNC, KeyBinding{0, 0, 0, 0, 'X'});  // the exit key wins over any other
    StoreBinding(DEF_INDLAST, KeyBinding{0, 1, 0, 0, 'L'});   // with Shift only
    options_.LoadKeyboard();
    Show();
    const struct {
        int key;
        InputModifiers mods;
        bool running;
        int step;
        int coordinateDialogs;
    } cases[] = {
        {'F', {}, true, 0, 0},                   // element snap without a hovered element: nothing
        {'X', {}, false, 0, 0},                  // cancels
        {'L', {}, true, 0, 0},                   // Shift not held
        {'L', {true, false, false}, false, 1, 1}, // relative to the last point: finishes
    };
    for (const auto& c : cases) {
        CInputRequest& r = Request();
        StartPointCommand(r, input_, SnapKeys);
        // step 0 gave a point already
        r.Step(0).resultKind = InputPoint;
        r.Step(0).x = 10;
        r.Step(0).y = 20;
        r.Advance(false);
        ui_.coordinatesShown.clear();
        ui_.coordinates = {CoordinateEntry{QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("5"),
                                           QStringLiteral("-2,5")}};
        input_.OnMouseMove({400, 300}, {});
        input_.OnKeyDown(c.key, c.mods);
        EXPECT_EQ(r.IsRunning(), c.running) << char(c.key);
        EXPECT_EQ(int(ui_.coordinatesShown.size()), c.coordinateDialogs) << char(c.key);
        if (c.coordinateDialogs) {
            EXPECT_EQ(ui_.coordinatesShown[0].baseX, QStringLiteral("10.0000"));
            EXPECT_DOUBLE_EQ(r.Step(1).x, 15.0);
            EXPECT_DOUBLE_EQ(r.Step(1).y, 18.0); // "-2,5" reads as -2
        } else {
            EXPECT_EQ(r.Step(1).resultKind, InputNone) << char(c.key);
        }
        input_.CancelCommand();
    }
}

TEST_F(CommandTest, TheContextMenuOpensOnReleaseButNotAfterAZoomWindow)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    Show();
    // A right click on the line: no zoom, the menu may open and lists the
    // line's items.
    input_.OnRButtonDown(Pixel(50, 0), {});
    EXPECT_TRUE(input_.OnRButtonUp(Pixel(50, 0), {}));
    EXPECT_EQ(core_.GetZoom(), 2.0);
    std::vector<int> commands;
    for (const ContextMenuItem& item : input_.ContextMenuItems())
        commands.push_back(item.command);
    EXPECT_EQ(commands, (std::vector<int>{ViewInput::kCmdSelectItem, ViewInput::kCmdModifyBridges,
                                          ViewInput::kCmdProperties, ViewInput::kCmdSelectSymmetrical}));
    ui_.menuChoice = ViewInput::kCmdSelectItem;
    EXPECT_EQ(input_.OnContextMenu({0, 0}), 0);
    EXPECT_TRUE((*Layer().begin())->IsSelected());

    // A zoom window: zoomed, no menu.
    input_.OnRButtonDown({100, 100}, {});
    EXPECT_FALSE(input_.OnRButtonUp({300, 250}, {}));
    EXPECT_GT(core_.GetZoom(), 2.0);

    // Nothing under the cursor and nothing selected: no popup at all.
    (*Layer().begin())->SetSelection(0);
    input_.OnMouseMove({700, 50}, {});
    EXPECT_TRUE(input_.ContextMenuItems().empty());
}

TEST_F(CommandTest, TheMiddleButtonCancelsAndClosesTheUndoStep)
{
    Show();
    CInputRequest& r = Request();
    RequestDescription d;
    d.title = 400;
    InputStep& step = d.Add();
    step.accepted = InputPoint;
    step.prompt = 5000;
    r.Start(input_, d, nullptr);
    EXPECT_FALSE(ui_.status.isEmpty());
    input_.OnMButtonDown({10, 10}, {});
    EXPECT_FALSE(r.IsRunning());
    EXPECT_FALSE(doc_.Undo().HasOpenStep());
    EXPECT_TRUE(ui_.status.isEmpty());
}

} // namespace

namespace {

using namespace commandtest;

TEST_F(CommandTest, TheOverlayShowsTheElementSnapAndTheCommandsDrawing)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    Show();
    auto movingNodeMarks = [this] {
        int n = 0;
        for (const platform::RecordedCall& call : overlay_.calls())
            n += call.pen.colour == viewtest::kMovingNode ? 1 : 0;
        return n;
    };
    CInputRequest& r = Request();
    int draws = 0;
    for (bool running : {false, true}) {
        RequestDescription d;
        InputStep& step = d.Add();
        step.accepted = InputPoint;
        step.snapFlags = SnapElement;
        r.Start(input_, d,
                std::make_unique<CallbackCommand>(nullptr, nullptr, [&draws](CInputRequest&, platform::Device* dc) {
                    draws += dc->pen().style == platform::PenStyle::Null ? 1 : 0;
                    return 1;
                }));
        if (!running)
            r.SetRunning(false);
        input_.OnMouseMove(Pixel(40, 1), {});
        overlay_.clear();
        core_.Paint(drawing_, overlay_, kWidth, kHeight);
        input_.DrawOverlay(overlay_);
        EXPECT_EQ(movingNodeMarks() > 0, running);
        EXPECT_EQ(draws, running ? 1 : 0);
    }
}

} // namespace

namespace {

using namespace commandtest;

// A finish that re-points the hovered line to another node replaces its
// object; the cursor record must not keep the old one.
TEST_F(CommandTest, TheCursorRecordFollowsElementsAFinishReplaced)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    (void)Layer().AddLine3(100, 50, 150, 50, true, 1);
    Show();
    CInputRequest& r = Request();
    RequestDescription d;
    d.title = 400;
    InputStep& step = d.Add();
    step.accepted = InputPoint;
    step.snapFlags = SnapElement;
    r.Start(input_, d, std::make_unique<CallbackCommand>([](CInputRequest& q) {
        CMorvekDoc& doc = *q.GetDocument();
        const auto* a = static_cast<const CLine*>(doc.GetCurrentSection()->GetElement(0));
        const auto* b = static_cast<const CLine*>(doc.GetCurrentSection()->GetElement(1));
        return doc.MergeNode(a->GetEndNode(), b->GetStartNode(), q.Transaction()) ? 1 : 0;
    }));
    input_.OnLButtonDown(Pixel(10, 0), {}); // still on the line after it turned to (100, 50)
    ASSERT_FALSE(r.IsRunning());
    EXPECT_EQ(doc_.Cursor().element, Layer().GetElement(0)); // the new object, picked
}

} // namespace
