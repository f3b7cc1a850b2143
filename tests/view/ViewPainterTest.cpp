#include "view/ViewPainter.h"

#include "display/DisplayList.h"
#include "element/Element.h"
#include "element/NodePoint.h"
#include "geometry/PlacementList.h"
#include "section/Section.h"

#include "view/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>

namespace {

using platform::DevicePoint;
using platform::Pen;
using platform::PenStyle;
using platform::RecordedCall;
using platform::RecordedLine;
using namespace viewtest;

Pen PenOf(platform::ColorRef colour)
{
    return Pen::make(PenStyle::Solid, 1, colour);
}

// One pixel per millimetre unless a test says otherwise, the model origin at
// pixel (100, 500) of devices of 1000 by 1000 pixels.
class ViewPainterTest : public testing::Test {
protected:
    ViewPainterTest()
    {
        painter_.SetDocument(&doc_);
        painter_.SetDevices(&main_, &overlay_);
        Map(1.0);
    }

    void Map(double scale, bool mirrored = false)
    {
        painter_.SetScale(scale);
        painter_.SetOrigin({100, 500});
        painter_.SetMirrored(mirrored);
    }

    void Rebuild()
    {
        doc_.RebuildAllDisplayLists();
        doc_.SetDisplayMode(0);
        for (int i = 0; i < doc_.GetSectionCount(); ++i)
            doc_.GetSection(i)->recreate_replicas();
    }

    CElement* Line(int section, double x1, double y1, double x2, double y2)
    {
        return doc_.GetSection(section)->AddLine3(x1, y1, x2, y2, true, 1).Get();
    }

    // The element picked at the model point moved by (dx, dy) pixels.
    CElement* PickAt(double x, double y, double dxPixels, double dyPixels)
    {
        const ViewMapping& m = painter_.Mapping();
        const DevicePoint p = m.ToDevice({x, y});
        painter_.SetPickPoint({p.x + static_cast<int>(dxPixels), p.y + static_cast<int>(dyPixels)});
        painter_.PickElement();
        return painter_.GetHitElement();
    }

    ViewLinetypes linetypes_;
    CMorvekDoc doc_;
    platform::RecordingDevice main_{1000, 1000};
    platform::RecordingDevice overlay_{1000, 1000};
    ViewPainter painter_;
};

TEST_F(ViewPainterTest, OriginMarkerIsCrossAndChevronWithCrosshairPen)
{
    painter_.DrawOriginMarker();
    const Pen pen = PenOf(kCrosshair);
    const std::vector<RecordedLine> expected = {
        {{100, 480}, {100, 520}, pen}, {{100, 520}, {100, 500}, pen}, {{80, 500}, {120, 500}, pen},
        {{120, 500}, {100, 500}, pen}, {{94, 506}, {100, 500}, pen},  {{100, 500}, {106, 506}, pen},
        {{106, 506}, {100, 500}, pen}};
    EXPECT_EQ(main_.lines(), expected);
    EXPECT_EQ(main_.pen(), Pen::null());
}

TEST_F(ViewPainterTest, CurrentSectionIsDrawnLastAndOthersWithTheInactivePen)
{
    ASSERT_NE(doc_.AppendSection(QStringLiteral("Zwei")), nullptr);
    ASSERT_NE(doc_.AppendSection(QStringLiteral("Drei")), nullptr);
    Line(0, 0, 0, 100, 0);
    Line(1, 0, 10, 100, 10);
    Line(2, 0, 20, 100, 20);
    doc_.SetCurrentSection(0);
    doc_.GetSection(2)->SetVisible(false);
    doc_.GetSection(1)->SelectElements(1); // selected elsewhere still draws as inactive
    Rebuild();
    painter_.DrawSections();
    std::vector<RecordedLine> expected = {{{100, 490}, {200, 490}, PenOf(kInactive)},
                                          {{100, 500}, {200, 500}, PenOf(kLineColour)}};
    EXPECT_EQ(main_.lines(), expected);

    main_.clear();
    doc_.GetSection(0)->SelectElements(1);
    painter_.DrawSections();
    expected.back().pen = PenOf(kSelected);
    EXPECT_EQ(main_.lines(), expected);
    EXPECT_EQ(main_.pen(), Pen::null());
}

TEST_F(ViewPainterTest, InstancedElementsDrawOncePerReplica)
{
    Line(0, 0, 0, 100, 0);
    CElement* single = Line(0, 0, 30, 100, 30);
    single->SetNotInstanced(1);
    doc_.GetSection(0)->NewInstance(0.0, 50.0, 0.0);
    Rebuild();
    ASSERT_EQ(doc_.GetSection(0)->get_surface().size(), 1u);
    painter_.DrawSections();
    const std::vector<RecordedLine> lines = main_.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].from, (DevicePoint{100, 500}));
    EXPECT_EQ(lines[1].from, (DevicePoint{100, 450})); // the replica, 50 mm up
    EXPECT_EQ(lines[2].from, (DevicePoint{100, 470})); // the not-instanced one, once
}

TEST_F(ViewPainterTest, PickWithinFifteenPixelsAtAnyZoom)
{
    CElement* line = Line(0, 0, 0, 100, 0);
    Rebuild();
    struct Case {
        double scale;
        double pixelsAway;
        bool hit;
    };
    const Case cases[] = {{1.0, 14, true}, {1.0, 16, false}, {4.0, 14, true}, {4.0, 16, false},
                          {0.5, 14, true}, {0.5, 16, false}};
    for (const Case& c : cases) {
        Map(c.scale);
        EXPECT_EQ(PickAt(50, 0, 0, -c.pixelsAway), c.hit ? line : nullptr) << c.scale << " " << c.pixelsAway;
        EXPECT_EQ(painter_.GetHitInstance(), c.hit ? 0 : -1);
    }
    Map(2.0, true);
    EXPECT_EQ(PickAt(50, 0, 0, 14), line); // mirrored too
}

TEST_F(ViewPainterTest, EqualDistancesKeepTheEarlierElement)
{
    CElement* below = Line(0, 0, 0, 100, 0);
    Line(0, 0, 10, 100, 10);
    Rebuild();
    EXPECT_EQ(PickAt(50, 5, 0, 0), below);
    EXPECT_NEAR(painter_.GetHitVector().y, -5.0, 1e-9);
}

TEST_F(ViewPainterTest, ArcWithEqualEndAnglesPicksAsFullCircle)
{
    // Centre (0, 0), radius 50, from (50, 0) round to (50, 0).
    auto circle = doc_.GetSection(0)->AddArc3(0, 0, 50, 0, 50, 0, true, 1);
    ASSERT_NE(circle.Get(), nullptr);
    Rebuild();
    for (double angle : {0.0, 1.0, 2.5, 4.0, 5.5}) {
        const double x = 50 * std::cos(angle);
        const double y = 50 * std::sin(angle);
        EXPECT_EQ(PickAt(x, y, 0, 10), circle.Get()) << angle;
    }
}

TEST_F(ViewPainterTest, QuarterArcPicksOnlyAlongItsSpanOrNearItsEnds)
{
    // Counter-clockwise from (50, 0) to (0, 50).
    CElement* arc = doc_.GetSection(0)->AddArc3(0, 0, 0, 50, 50, 0, true, 1).Get();
    ASSERT_NE(arc, nullptr);
    Rebuild();
    EXPECT_EQ(PickAt(35.36, 35.36, 5, -5), arc);
    EXPECT_EQ(PickAt(-35.36, -35.36, 0, 0), nullptr); // on the circle, off the arc
    EXPECT_EQ(PickAt(50, 0, 0, 12), arc);             // just past the end
}

TEST_F(ViewPainterTest, PickFindsReplicasWithTheirInstanceNumber)
{
    CElement* line = Line(0, 0, 0, 100, 0);
    doc_.GetSection(0)->NewInstance(0.0, 50.0, 0.0);
    Rebuild();
    const int instance = doc_.GetSection(0)->get_surface().begin()->instance;
    EXPECT_EQ(PickAt(50, 50, 0, 3), line);
    EXPECT_EQ(painter_.GetHitInstance(), instance);
    EXPECT_NE(instance, 0);
}

TEST_F(ViewPainterTest, ZeroScalePicksNothing)
{
    Line(0, 0, 0, 100, 0);
    Rebuild();
    painter_.SetScale(0.0);
    painter_.SetPickPoint({150, 500});
    painter_.PickElement();
    EXPECT_EQ(painter_.GetHitElement(), nullptr);
    painter_.DrawNodeUnderCursor(overlay_);
    EXPECT_TRUE(overlay_.calls().empty());
}

TEST_F(ViewPainterTest, NodeWithinFivePixelsOnlyInAReplicaGetsADiamondThere)
{
    Line(0, 0, 0, 100, 0);
    doc_.GetSection(0)->NewInstance(0.0, 50.0, 0.0);
    Rebuild();
    painter_.SetPickPoint({204, 450}); // 4 pixels from (100, 0) placed 50 mm up
    const ViewPainter::NodeHit hit = painter_.NearestNode();
    ASSERT_GE(hit.index, 0);
    EXPECT_NE(hit.instance, 0);
    painter_.DrawNodeUnderCursor(overlay_);
    const std::vector<RecordedLine> lines = overlay_.lines();
    ASSERT_EQ(lines.size(), 8u); // a square at the node, a diamond in the replica
    EXPECT_EQ(lines[0].from, (DevicePoint{195, 495}));
    EXPECT_EQ(lines[4].from, (DevicePoint{200, 445}));
    EXPECT_EQ(lines[0].pen, PenOf(kContrast));

    overlay_.clear();
    painter_.SetPickPoint({206, 450});
    EXPECT_EQ(painter_.NearestNode().index, -1);
    painter_.DrawNodeUnderCursor(overlay_);
    EXPECT_TRUE(overlay_.calls().empty());
}

TEST_F(ViewPainterTest, NodesAreSquaresOrCirclesByKind)
{
    const int base = doc_.Nodes().AddPoint(10, 10, false);
    CNodePoint offset(&doc_.Variables(), &doc_.Nodes());
    offset.MakeOffset(doc_.Nodes().GetNode(base), QStringLiteral("5"), QStringLiteral("0"));
    (void)doc_.Nodes().AddNode(offset, false);
    painter_.DrawNodes();
    // The origin node and the base: squares of four lines; the offset: a circle.
    EXPECT_EQ(main_.lines().size(), 8u);
    const auto arcs = main_.callsOf(RecordedCall::Kind::AngleArc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].points[0], (DevicePoint{115, 490}));
    EXPECT_EQ(arcs[0].radius, 5);
}

TEST_F(ViewPainterTest, MarkerShapes)
{
    struct Case {
        int shape;
        RecordedCall::Kind kind;
        std::size_t count;
    };
    const Case cases[] = {{0, RecordedCall::Kind::Line, 4},     {1, RecordedCall::Kind::Line, 4},
                          {2, RecordedCall::Kind::Line, 3},     {3, RecordedCall::Kind::AngleArc, 1},
                          {4, RecordedCall::Kind::Polygon, 1},  {5, RecordedCall::Kind::Ellipse, 1},
                          {6, RecordedCall::Kind::Polygon, 1},  {7, RecordedCall::Kind::Polygon, 1},
                          {8, RecordedCall::Kind::Line, 4},     {9, RecordedCall::Kind::Line, 4},
                          {10, RecordedCall::Kind::Ellipse, 1}, {11, RecordedCall::Kind::Line, 0}};
    for (const Case& c : cases) {
        main_.clear();
        painter_.DrawMarker(main_, {0, 0}, c.shape);
        EXPECT_EQ(main_.callsOf(c.kind).size(), c.count) << c.shape;
    }
    main_.clear();
    painter_.DrawMarker(main_, {0, 0}, 5);
    EXPECT_EQ(main_.calls()[0].points, (std::vector<DevicePoint>{{95, 495}, {106, 506}}));
}

// The corners of the outlined and filled shapes about the marker's pixel
// (100, 500), in drawing order.
TEST_F(ViewPainterTest, MarkerCornersAroundThePixel)
{
    using P = std::vector<DevicePoint>;
    const auto around = [](const P& offsets) {
        P points;
        for (const DevicePoint& d : offsets)
            points.push_back({100 + d.x, 500 + d.y});
        return points;
    };
    const auto outline = [&] {
        P points;
        for (const RecordedLine& line : main_.lines())
            points.push_back(line.from);
        return points;
    };
    struct Case {
        int shape;
        P corners;
    };
    const Case outlines[] = {{0, {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}}},
                             {1, {{0, -5}, {5, 0}, {0, 5}, {-5, 0}}},
                             {2, {{0, -5}, {-5, 5}, {5, 5}}}};
    for (const Case& c : outlines) {
        main_.clear();
        painter_.DrawMarker(main_, {0, 0}, c.shape);
        EXPECT_EQ(outline(), around(c.corners)) << c.shape;
        EXPECT_EQ(main_.lines().back().to, around(c.corners).front()) << c.shape; // closed
    }
    const Case filled[] = {
        {4, {{-4, -4}, {4, -4}, {4, 4}, {-4, 4}}},
        {6, {{-2, 5}, {2, 5}, {5, 2}, {5, -2}, {2, -5}, {-2, -5}, {-5, -2}, {-5, 2}}},
        {7, {{-1, -1}, {-1, -3}, {1, -3}, {1, -1}, {3, -1}, {3, 1}, {1, 1}, {1, 3}, {-1, 3}, {-1, 1}, {-3, 1}, {-3, -1}}}};
    for (const Case& c : filled) {
        main_.clear();
        painter_.DrawMarker(main_, {0, 0}, c.shape);
        const auto polygons = main_.callsOf(RecordedCall::Kind::Polygon);
        ASSERT_EQ(polygons.size(), 1u) << c.shape;
        EXPECT_EQ(polygons[0].points, around(c.corners)) << c.shape;
    }
    // Circles: radius 5 for shape 3, 7 with ticks from 7 to 11 and arms of 9.
    main_.clear();
    painter_.DrawMarker(main_, {0, 0}, 8);
    ASSERT_EQ(main_.callsOf(RecordedCall::Kind::AngleArc).size(), 1u);
    EXPECT_EQ(main_.callsOf(RecordedCall::Kind::AngleArc)[0].radius, 7);
    EXPECT_EQ(main_.lines()[0], (RecordedLine{{93, 500}, {89, 500}, main_.lines()[0].pen}));
    main_.clear();
    painter_.DrawMarker(main_, {0, 0}, 9);
    EXPECT_EQ(main_.lines()[0].from, (DevicePoint{100, 500}));
    EXPECT_EQ(main_.lines()[0].to, (DevicePoint{91, 500}));
}

} // namespace

namespace {

// The device shows model x from −100 to 900 and y from −500 to 500 (origin
// at pixel (100, 500), 1 pixel per millimetre, 1000 by 1000 pixels).
TEST_F(ViewPainterTest, FiguresOutsideTheWindowAreSkippedAndThoseAcrossItsEdgeDrawn)
{
    struct Case {
        const char* name;
        double x1, y1, x2, y2;
        bool drawn;
    };
    const Case cases[] = {
        {"inside", 0, 0, 100, 0, true},
        {"across the right edge", 850, 10, 1200, 10, true},
        {"across the top edge", 10, 400, 10, 700, true},
        {"across the window, both ends outside", -300, 20, 1300, 20, true},
        {"left of the window", -400, 30, -200, 30, false},
        {"above the window", 10, 600, 50, 600, false},
        {"diagonal beyond the corner", 950, 550, 1100, 700, false},
    };
    for (const Case& c : cases) {
        CMorvekDoc doc;
        painter_.SetDocument(&doc);
        ASSERT_NE(doc.GetSection(0)->AddLine3(c.x1, c.y1, c.x2, c.y2, true, 1).Get(), nullptr) << c.name;
        doc.RebuildAllDisplayLists();
        doc.SetDisplayMode(0);
        main_.clear();
        painter_.DrawSections();
        EXPECT_EQ(main_.lines().size(), c.drawn ? 1u : 0u) << c.name;
    }
}

TEST_F(ViewPainterTest, AReplicaIsDrawnWhereItReachesIntoTheWindow)
{
    // The element lies outside, its replica turned by 180° and moved 400 mm
    // right falls inside; a second replica stays outside.
    Line(0, -300, 100, -200, 100);
    doc_.GetSection(0)->NewInstance(400.0, 0.0, 180.0);
    doc_.GetSection(0)->NewInstance(-2000.0, 0.0, 0.0);
    Rebuild();
    ASSERT_EQ(doc_.GetSection(0)->get_surface().size(), 2u);
    const Placement& turned = *doc_.GetSection(0)->get_surface().begin();
    painter_.DrawSections();
    const std::vector<RecordedLine> lines = main_.lines();
    ASSERT_EQ(lines.size(), 1u);
    const ViewMapping& m = painter_.Mapping();
    EXPECT_EQ(lines[0].from, m.ToDevice(turned.Place({-300, 100})));
    EXPECT_EQ(lines[0].to, m.ToDevice(turned.Place({-200, 100})));
    EXPECT_GT(lines[0].from.x, 0);
}

// In display mode 2 a wave pattern strays beside its path: a path just
// outside the window whose waves reach in is still drawn.
TEST_F(ViewPainterTest, PatternOutputReachingIntoTheWindowIsDrawn)
{
    constexpr int kWave = 8;
    linetypes_.Add(kWave, LinetypeKind::Wave, 1, -1, 20, 10, 0, kLineColour);
    // 12 pixels above the top edge: outside the 8-pixel margin, the wave's
    // half height of 10 mm reaches in.
    doc_.GetSection(0)->AddLine3(0, 512, 200, 512, true, kWave);
    doc_.RebuildAllDisplayLists();
    doc_.SetDisplayMode(2);
    painter_.SetDisplayMode(2);
    painter_.DrawSections();
    EXPECT_FALSE(main_.callsOf(RecordedCall::Kind::AngleArc).empty());
}

// The painter keeps a copy of each section's figures between paints: after
// every kind of change it must draw what a new painter draws.
TEST_F(ViewPainterTest, KeptFiguresFollowEveryChangeOfTheDrawing)
{
    const auto linesOf = [&](ViewPainter& painter) {
        main_.clear();
        painter.DrawSections();
        return main_.lines();
    };
    struct Case {
        const char* name;
        std::function<void(Section&, CElement*)> change;
    };
    const Case cases[] = {
        {"selected", [](Section&, CElement* e) { e->SetSelection(1); }},
        {"not instanced", [](Section&, CElement* e) { e->SetNotInstanced(1); }},
        {"deleted", [](Section& s, CElement* e) { s.DeleteElement(e); }},
        {"added", [](Section& s, CElement*) { (void)s.AddLine3(5, 5, 60, 70, true, 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMorvekDoc doc;
        Section& section = *doc.GetSection(0);
        (void)section.AddLine3(0, 0, 100, 0, true, 1);
        CElement* second = section.AddLine3(0, 10, 100, 40, true, 1).Get();
        section.NewInstance(0.0, 50.0, 0.0);
        painter_.SetDocument(&doc);
        doc.RebuildAllDisplayLists();
        doc.SetDisplayMode(0);
        const std::vector<RecordedLine> before = linesOf(painter_);
        c.change(section, second);
        doc.RebuildAllDisplayLists();
        doc.SetDisplayMode(0);
        const std::vector<RecordedLine> kept = linesOf(painter_);
        ViewPainter fresh;
        fresh.SetDocument(&doc);
        fresh.SetDevices(&main_, &overlay_);
        fresh.SetMapping(painter_.Mapping());
        EXPECT_EQ(kept, linesOf(fresh));
        EXPECT_NE(kept, before);
    }
}

// Whether the call sets at least one pixel: a line that ends where it
// starts sets none (LineTo leaves out its end), nor does an arc on a box
// one pixel or less across in either direction (its right and bottom edges
// are left out, so no curve remains).
bool SetsPixels(const RecordedCall& call)
{
    switch (call.kind) {
    case RecordedCall::Kind::Line:
        return call.points[0] != call.points[1];
    case RecordedCall::Kind::Arc:
        return std::abs(call.points[0].x - call.points[1].x) > 1 && std::abs(call.points[0].y - call.points[1].y) > 1;
    case RecordedCall::Kind::AngleArc:
        return call.radius > 0;
    default:
        return false;
    }
}

// A die of 1,000 rules fitted into 100 pixels: long and short lines, holes
// and short arcs, most of them smaller than a pixel. Each must leave a pixel,
// on its own and in the painted section.
TEST_F(ViewPainterTest, EveryFigureOfADieFittedInto100PixelsLeavesAPixel)
{
    Section& section = *doc_.GetSection(0);
    for (int i = 0; i < 1000; ++i) {
        const double x = (i % 40) * 25.0;
        const double y = (i / 40) * 40.0;
        switch (i % 4) {
        case 0: (void)section.AddLine3(x, y, x + 22, y, true, 1); break;  // 2.2 pixels
        case 1: (void)section.AddLine3(x, y, x + 3, y + 2, true, 1); break; // a third of a pixel
        case 2: (void)section.AddArc3(x, y, x + 2, y, x + 2, y, true, 1); break; // a hole of 0.4 pixels
        default: (void)section.AddArc3(x, y, x + 5, y, x, y + 5, true, 1); break; // a quarter, radius 0.5
        }
    }
    Map(0.1); // the die is 1,000 mm wide: 100 pixels
    Rebuild();

    int element = 0;
    for (CElement* e : section) {
        SCOPED_TRACE(element++);
        main_.clear();
        FigurePainter figures(main_, linetypes_.table, painter_.Mapping());
        for (const DisplayFigure& figure : e->GetDisplayList().Figures())
            figures.DrawFigure(figure);
        EXPECT_TRUE(std::ranges::any_of(main_.calls(), SetsPixels));
    }
    EXPECT_EQ(element, 1000);

    main_.clear();
    painter_.DrawSections();
    EXPECT_GE(std::ranges::count_if(main_.calls(), SetsPixels), 1000);
}

// The pick and the node search through their grids find what looking at
// every figure and node finds, ties included: random lines and arcs, some
// not instanced, with coincident copies, in a section with turned replicas,
// picked at random points and at scales from far out to close in.
TEST_F(ViewPainterTest, GridPicksMatchThePlainScanOnRandomFigures)
{
    std::mt19937 random(20261211);
    std::uniform_real_distribution<double> coordinate(-200.0, 200.0);
    std::uniform_real_distribution<double> step(-15.0, 15.0);
    Section& section = *doc_.GetSection(0);
    for (int i = 0; i < 400; ++i) {
        const double x = coordinate(random);
        const double y = coordinate(random);
        CElement* e = nullptr;
        if (i % 3 == 2)
            e = section.AddArc3(x, y, x + 4 + std::abs(step(random)), y, x, y + 5, true, 1).Get();
        else
            e = Line(0, x, y, x + step(random), y + step(random));
        if (i % 7 == 0)
            (void)Line(0, x, y, x + 10, y); // ties with another figure
        if (e && i % 5 == 0)
            e->SetNotInstanced(1);
    }
    section.NewInstance(450.0, 0.0, 0.0);
    section.NewInstance(0.0, 450.0, 90.0);
    Rebuild();
    int hits = 0;
    int nodeHits = 0;
    for (const double scale : {0.05, 1.0, 8.0}) {
        Map(scale);
        for (int i = 0; i < 300; ++i) {
            const die::coord p{coordinate(random) * 1.6 + 100.0, coordinate(random) * 1.6 + 100.0};
            SCOPED_TRACE(testing::Message() << "scale " << scale << " at " << p.x << ", " << p.y);
            painter_.SetModelPickPoint(p);
            painter_.PickElementByScan();
            const CElement* element = painter_.GetHitElement();
            const int instance = painter_.GetHitInstance();
            const int segment = painter_.GetHitSegment();
            const die::coord toNearest = painter_.GetHitVector();
            painter_.PickElement();
            ASSERT_EQ(painter_.GetHitElement(), element);
            EXPECT_EQ(painter_.GetHitInstance(), instance);
            EXPECT_EQ(painter_.GetHitSegment(), segment);
            EXPECT_EQ(painter_.GetHitVector().x, toNearest.x);
            EXPECT_EQ(painter_.GetHitVector().y, toNearest.y);
            hits += element != nullptr;

            const ViewPainter::NodeHit plain = painter_.NearestNodeByScan();
            const ViewPainter::NodeHit grid = painter_.NearestNode();
            ASSERT_EQ(grid.index, plain.index);
            EXPECT_EQ(grid.instance, plain.instance);
            EXPECT_EQ(grid.at.x, plain.at.x);
            EXPECT_EQ(grid.at.y, plain.at.y);
            nodeHits += plain.index >= 0;
        }
    }
    EXPECT_GT(hits, 100); // the points found figures, not just empty space
    EXPECT_GT(nodeHits, 10);

    // A moved node and a removed element are seen at once.
    CElement* first = section.begin().Get();
    section.DeleteElement(first);
    painter_.SetModelPickPoint({0.0, 0.0});
    painter_.PickElementByScan();
    const CElement* plain = painter_.GetHitElement();
    painter_.PickElement();
    EXPECT_EQ(painter_.GetHitElement(), plain);
}

} // namespace
