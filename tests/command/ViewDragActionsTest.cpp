#include "command/ViewDragActions.h"

#include "command/CommandTestSupport.h"
#include "element/Line.h"
#include "element/NodePoint.h"

#include <cmath>

namespace {

using namespace commandtest;
using platform::DevicePoint;

DevicePoint Offset(DevicePoint p, int dx, int dy)
{
    return {p.x + dx, p.y + dy};
}

TEST_F(CommandTest, ALeftDragWithCtrlPansKeepingTheGrabbedPointUnderTheCursor)
{
    Show();
    const DevicePoint grab{333, 217};
    input_.OnMouseMove(grab, {});
    const double mx = doc_.Cursor().modelX;
    const double my = doc_.Cursor().modelY;
    input_.OnLButtonDown(grab, {false, true, false});
    for (DevicePoint to : {DevicePoint{360, 190}, DevicePoint{-45, 611}, DevicePoint{12, 3}}) {
        input_.OnMouseMove(to, {});
        const DevicePoint at = Pixel(mx, my);
        EXPECT_EQ(at, to);
    }
    input_.OnLButtonUp({12, 3}, {});
    EXPECT_FALSE(Request().IsRunning());
    EXPECT_EQ(core_.GetZoom(), 2.0);
}

TEST_F(CommandTest, TheZoomWindowNeedsMoreThanFortyPixels)
{
    Show();
    const struct {
        DevicePoint from, to;
        bool zooms;
    } cases[] = {
        {{200, 300}, {224, 332}, false}, // exactly 40 pixels
        {{200, 300}, {241, 300}, true},  // 41 pixels, no height
        {{523, 411}, {117, 97}, true},   // dragged up and to the left
        {{-3, 7}, {61, 90}, true},
    };
    for (const auto& c : cases) {
        core_.SetZoomAndOrigin(2.0, {100, 500});
        double cornerX = 0, cornerY = 0;
        core_.Transform().ToModel(std::min(c.from.x, c.to.x), std::min(c.from.y, c.to.y), DrawContext::MirrorY,
                                  cornerX, cornerY);
        input_.OnRButtonDown(c.from, {});
        input_.OnMouseMove(c.to, {});
        EXPECT_EQ(input_.OnRButtonUp(c.to, {}), !c.zooms);
        EXPECT_EQ(core_.GetZoom() != 2.0, c.zooms);
        if (!c.zooms)
            continue;
        // The rectangle fills the client area from its top-left corner.
        const double w = std::abs(c.to.x - c.from.x);
        const double h = std::abs(c.to.y - c.from.y);
        EXPECT_DOUBLE_EQ(core_.GetZoom(), 2.0 * std::min(kHeight / h, kWidth / w));
        double px = 0, py = 0;
        core_.Transform().ToPixel(cornerX, cornerY, DrawContext::MirrorY, px, py);
        EXPECT_LE(std::abs(px), 0.5);
        EXPECT_LE(std::abs(py), 0.5);
    }
}

TEST_F(CommandTest, ABoxUnderFourPixelsTogglesTheElementUnderTheCursor)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    Show();
    CElement* line = *Layer().begin();
    const DevicePoint p = Pixel(50, 0);
    for (bool selected : {true, false}) {
        input_.OnLButtonDown(p, {true, false, false});
        input_.OnMouseMove(Offset(p, 3, 3), {});
        input_.OnLButtonUp(Offset(p, 3, 3), {});
        EXPECT_EQ(line->IsSelected(), selected);
        EXPECT_FALSE(input_.lastSelection.valid);
    }
    // Over empty space a tiny box selects nothing; a box round the line
    // selects it and is kept.
    input_.OnLButtonDown(Pixel(50, 80), {});
    input_.OnLButtonUp(Offset(Pixel(50, 80), 2, 2), {});
    EXPECT_FALSE(line->IsSelected());
    input_.OnLButtonDown(Pixel(-10, 10), {});
    input_.OnMouseMove(Pixel(110, -10), {});
    input_.OnLButtonUp(Pixel(110, -10), {});
    EXPECT_TRUE(line->IsSelected());
    EXPECT_TRUE(input_.lastSelection.valid);
    EXPECT_DOUBLE_EQ(input_.lastSelection.left, -10.0);
    EXPECT_DOUBLE_EQ(input_.lastSelection.top, 10.0);
}

TEST_F(CommandTest, ANodeDroppedWithinSixPixelsStays)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    Show();
    core_.OnViewNodes();
    const struct {
        int dx, dy;
        bool moves;
    } cases[] = {{0, 0, false}, {5, -6, false}, {-6, 6, false}, {7, 0, true}, {30, -20, true}};
    for (const auto& c : cases) {
        const DevicePoint p = Pixel(100, 0);
        input_.OnMouseMove(p, {});
        const int node = doc_.Cursor().node;
        ASSERT_GE(node, 0);
        const int steps = doc_.Undo().GetUndoCount();
        input_.OnLButtonDown(p, {});
        ASSERT_EQ(Request().CommandCode(), ViewInput::kCodeNodeDrag);
        input_.OnMouseMove(Offset(p, c.dx, c.dy), {});
        input_.OnLButtonUp(Offset(p, c.dx, c.dy), {});
        CNodePoint* moved = doc_.Nodes().GetNode(node);
        const double x = moved->GetXInInstance(nullptr);
        const double y = moved->GetYInInstance(nullptr);
        EXPECT_EQ(x != 100.0 || y != 0.0, c.moves) << c.dx << "," << c.dy;
        EXPECT_EQ(doc_.Undo().GetUndoCount(), steps + (c.moves ? 1 : 0));
        if (c.moves) {
            EXPECT_NEAR(x, 100.0 + c.dx / 2.0, 1e-3);
            EXPECT_NEAR(y, -c.dy / 2.0, 1e-3);
            doc_.Undo().Undo();
            EXPECT_DOUBLE_EQ(doc_.Nodes().GetNode(node)->GetXInInstance(nullptr), 100.0);
        }
    }
}

TEST_F(CommandTest, AClickOnANodeStartsNoDragWhileNodesAreHidden)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    Show();
    input_.OnLButtonDown(Pixel(100, 0), {});
    EXPECT_FALSE(Request().IsRunning());
}

} // namespace

namespace {

using namespace commandtest;

// Line slot of a section (a re-pointed element is a new object in its slot).
const CLine& LineOf(Section& section, int slot)
{
    return *static_cast<const CLine*>(section.GetElement(slot));
}

die::coord PositionOf(CMorvekDoc& doc, int node)
{
    CNodePoint* n = doc.Nodes().GetNode(node);
    return {n->GetXInInstance(nullptr), n->GetYInInstance(nullptr)};
}

TEST_F(CommandTest, ANodeDroppedOnAnotherMergesAndLockedLayersKeepTheirPosition)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);    // a, slot 0
    (void)Layer().AddLine3(100, 50, 150, 50, true, 1); // b, slot 1
    Section* locked = doc_.AppendSection(QStringLiteral("locked"));
    ASSERT_NE(locked, nullptr);
    (void)locked->AddLine3(0, -50, 100, 0, true, 1); // c shares the node at (100, 0)
    locked->SetLocked(true);
    doc_.SetCurrentSection(0);
    Show();
    core_.OnViewNodes();

    // Moved into empty space: the open layer follows, the locked one stays.
    input_.OnMouseMove(Pixel(100, 0), {});
    input_.OnLButtonDown(Pixel(100, 0), {});
    input_.OnLButtonUp(Pixel(120, -20), {});
    EXPECT_EQ(PositionOf(doc_, LineOf(Layer(), 0).GetEndNode()), (die::coord{120, -20}));
    EXPECT_EQ(PositionOf(doc_, LineOf(*locked, 0).GetEndNode()), (die::coord{100, 0}));

    // Dropped onto the start of b: a ends on b's node.
    input_.OnMouseMove(Pixel(120, -20), {});
    input_.OnLButtonDown(Pixel(120, -20), {});
    input_.OnLButtonUp(Offset(Pixel(100, 50), 2, -1), {});
    EXPECT_EQ(LineOf(Layer(), 0).GetEndNode(), LineOf(Layer(), 1).GetStartNode());
    EXPECT_EQ(PositionOf(doc_, LineOf(Layer(), 0).GetEndNode()), (die::coord{100, 50}));
    EXPECT_EQ(PositionOf(doc_, LineOf(*locked, 0).GetEndNode()), (die::coord{100, 0}));

    // A node only the locked layer uses does not move.
    input_.OnMouseMove(Pixel(0, -50), {});
    ASSERT_GE(doc_.Cursor().node, 0);
    input_.OnLButtonDown(Pixel(0, -50), {});
    input_.OnLButtonUp(Pixel(30, -60), {});
    EXPECT_EQ(PositionOf(doc_, LineOf(*locked, 0).GetStartNode()), (die::coord{0, -50}));
}

} // namespace

namespace {

using namespace commandtest;

// A node the locked layer shares: the copy it keeps, the re-pointing and the
// move all go to the drag's one step, into empty space and onto a node.
TEST_F(CommandTest, ADragOfANodeALockedLayerSharesIsOneUndoStep)
{
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);    // a, slot 0
    (void)Layer().AddLine3(100, 50, 150, 50, true, 1); // b, slot 1
    Section* locked = doc_.AppendSection(QStringLiteral("locked"));
    ASSERT_NE(locked, nullptr);
    (void)locked->AddLine3(0, -50, 100, 0, true, 1); // shares a's end
    locked->SetLocked(true);
    doc_.SetCurrentSection(0);
    Show();
    core_.OnViewNodes();
    const auto lineEnd = [](Section& s, int slot) { return LineOf(s, slot).GetEndNode(); };
    const int corner = lineEnd(Layer(), 0);
    ASSERT_EQ(lineEnd(*locked, 0), corner);

    for (const DevicePoint drop : {Pixel(120, -20), Offset(Pixel(100, 50), 2, -1)}) {
        SCOPED_TRACE(testing::Message() << drop.x << "," << drop.y);
        const int steps = doc_.Undo().GetUndoCount();
        input_.OnMouseMove(Pixel(100, 0), {});
        input_.OnLButtonDown(Pixel(100, 0), {});
        input_.OnLButtonUp(drop, {});
        ASSERT_NE(PositionOf(doc_, lineEnd(Layer(), 0)), (die::coord{100, 0})) << "a follows the drop";
        ASSERT_NE(lineEnd(*locked, 0), lineEnd(Layer(), 0)) << "the locked layer keeps a node of its own";
        EXPECT_FALSE(doc_.Undo().HasOpenStep());
        ASSERT_EQ(doc_.Undo().GetUndoCount(), steps + 1);
        EXPECT_EQ(doc_.Undo().NextUndo()->title, ViewInput::kTextNodeDrag);

        doc_.Undo().Undo();
        EXPECT_EQ(lineEnd(Layer(), 0), corner);
        EXPECT_EQ(lineEnd(*locked, 0), corner);
        EXPECT_EQ(PositionOf(doc_, corner), (die::coord{100, 0}));
    }
}

} // namespace
