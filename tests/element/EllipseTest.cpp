#include "ElementFixture.h"

#include "display/DisplayList.h"
#include "element/OutlineBuilder.h"
#include "geometry/GeomConstants.h"

#include <gmock/gmock.h>

#include <cmath>

namespace {

constexpr double kPi = Geom::kPi;

double Rad(double degrees)
{
    return Geom::DegToRad(degrees);
}

// The length of the ellipse (a, b) from parametric angle t0 down to t1, by
// many fine chords.
double TrueLength(double a, double b, double t0, double t1)
{
    const int steps = 200000;
    double sum = 0.0;
    die::coord prev{a * std::cos(t0), b * std::sin(t0)};
    for (int i = 1; i <= steps; ++i) {
        const double t = t0 + (t1 - t0) * i / steps;
        const die::coord p{a * std::cos(t), b * std::sin(t)};
        sum += die::distance(prev, p);
        prev = p;
    }
    return sum;
}

class Ellipse : public elementtest::Elements {};

// The length is the length of the curve: a whole ellipse of 40 by 20
// measures its perimeter (about 193.77 mm), not the 173.3 mm that polar
// steps times the mean radius give.
TEST_F(Ellipse, AWholeEllipseMeasuresItsPerimeter)
{
    const double perimeter = TrueLength(40, 20, 0, 2 * kPi);
    for (double phi : {0.0, 30.0, 200.0}) {
        auto e = MakeEllipse(5, -3, 40, 20, phi, 70, 70);
        EXPECT_EQ(e->GetStartNode(), e->GetEndNode());
        EXPECT_DOUBLE_EQ(e->GetSweepAngle(), 2 * kPi);
        EXPECT_NEAR(e->GetFullLength(), perimeter, 0.15) << phi;
        EXPECT_NEAR(e->ArcLength(1.0, 1.0), perimeter, 0.15) << phi; // equal angles: the whole turn
    }
}

TEST_F(Ellipse, AnArcIsMeasuredToItsEndWithoutOvershooting)
{
    // A circle of radius 10 from 10 degrees clockwise to 0: the last 3.6
    // degree step is shortened to end at 0.
    auto circle = MakeEllipse(0, 0, 10, 10, 0, 10, 0);
    EXPECT_NEAR(circle->ArcLength(Rad(10), 0), 10 * Rad(10), 1e-3);
    EXPECT_NEAR(circle->GetFullLength(), 10 * Rad(10), 1e-3);
    // A quarter of the 40 by 20 ellipse, from the minor axis down to the major.
    auto quarter = MakeEllipse(0, 0, 40, 20, 0, 90, 0);
    EXPECT_NEAR(quarter->GetFullLength(), TrueLength(40, 20, kPi / 2, 0), 0.05);
}

// To a micrometre: 4·a·E(m) with m = 1 − b²/a² = 0.75 gives the whole
// 40 by 20 ellipse 193.76896 mm and each quarter 48.44224 mm (complete
// elliptic integral of the second kind, E(0.75) = 1.2110560275).
TEST_F(Ellipse, TheLengthIsTheCurvesToAMicrometre)
{
    // Axes along the grid, so that the nodes hold the semi-axes exactly.
    for (double phi : {0.0, 90.0, 180.0}) {
        auto whole = MakeEllipse(5, -3, 40, 20, phi, 70, 70);
        EXPECT_NEAR(whole->GetFullLength(), 193.76896, 1e-5) << phi;
        auto quarter = MakeEllipse(0, 0, 40, 20, phi, phi + 90, phi);
        EXPECT_NEAR(quarter->GetFullLength(), 48.44224, 1e-5) << phi;
    }
    // A large and a very flat one against the fine chords above.
    auto large = MakeEllipse(0, 0, 4000, 1500, 0, 90, 0);
    EXPECT_NEAR(large->GetFullLength(), TrueLength(4000, 1500, kPi / 2, 0), 1e-3);
    auto flat = MakeEllipse(0, 0, 100, 0.5, 0, 90, 0);
    EXPECT_NEAR(flat->GetFullLength(), TrueLength(100, 0.5, kPi / 2, 0), 1e-3);
}

TEST_F(Ellipse, AngleAtLengthIsTheInverseOfArcLength)
{
    auto e = MakeEllipse(0, 0, 40, 20, 25, 120, 120);
    for (double from : {0.3, 2.0, 6.2}) {
        for (double length : {0.5, 7.0, 50.0, 150.0}) {
            const double forward = e->AngleAtLength(from, length);
            EXPECT_NEAR(e->ArcLength(from, forward), length, 1e-6) << from << " " << length;
            const double back = e->AngleAtLength(from, -length); // counter-clockwise
            EXPECT_NEAR(e->ArcLength(back, from), length, 1e-6) << from << " " << length;
        }
    }
    EXPECT_DOUBLE_EQ(e->AngleAtLength(2.0, 0.0), 2.0);
}

// Swapping the distances of the axis nodes (the larger one across the
// major-axis node's direction) gives the same curve.
TEST_F(Ellipse, SwappedAxesGiveTheSameCurve)
{
    auto wide = MakeEllipse(0, 0, 40, 20, 0, 0, 0);
    auto swapped = std::make_unique<CEllipse>(&nodes, nullptr, 0);
    swapped->SetCentreNode(Node(0, 0));
    swapped->SetMajorNode(Node(0, 20));  // the nearer node, at 90 degrees
    swapped->SetMinorNode(Node(-40, 0)); // the farther one, across it
    swapped->SetStartNode(wide->GetStartNode());
    swapped->SetEndNode(wide->GetStartNode());
    for (double deg : {0.0, 33.0, 90.0, 181.0, 300.0}) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        ASSERT_TRUE(wide->PointAtAngle(Rad(deg), x1, y1));
        ASSERT_TRUE(swapped->PointAtAngle(Rad(deg), x2, y2));
        EXPECT_NEAR(x1, x2, 1e-9) << deg;
        EXPECT_NEAR(y1, y2, 1e-9) << deg;
    }
    EXPECT_NEAR(wide->GetFullLength(), swapped->GetFullLength(), 1e-9);
    wide->RebuildContour();
    swapped->RebuildContour();
    const BoundingBox a = wide->GetDisplayList().GetBoundingBox();
    const BoundingBox b = swapped->GetDisplayList().GetBoundingBox();
    EXPECT_NEAR(a.maxX, 40, 1e-6);
    EXPECT_NEAR(b.maxX, 40, 1e-6);
    EXPECT_NEAR(b.maxY, a.maxY, 1e-6);
    EXPECT_NEAR(b.minX, a.minX, 1e-6);
}

TEST_F(Ellipse, TheContourOfAWholeEllipseIsClosed)
{
    auto e = MakeEllipse(0, 0, 40, 20, 30, 50, 50);
    e->SetAutoBridges(2, 3);
    e->RebuildContour();
    ASSERT_EQ(e->GetDisplayList().Figures().size(), 1u);
    const DisplayFigure& f = e->GetDisplayList().Figures().front();
    EXPECT_EQ(f.kind, FigureKind::Ellipse);
    ASSERT_GE(f.path.size(), 180u);
    EXPECT_NEAR(f.path.front().x, f.path.back().x, 1e-9);
    EXPECT_NEAR(f.path.front().y, f.path.back().y, 1e-9);
    ASSERT_EQ(f.bridges.size(), 2u);
    EXPECT_EQ(f.bridges[0].width, 3.0f);
}

TEST_F(Ellipse, ProjectionMeasuresFromTheStart)
{
    auto e = MakeEllipse(0, 0, 40, 20, 0, 90, 0); // the upper right quarter
    const double full = e->GetFullLength();
    double px = -1, py = -1;
    // A point at the start is at length 0, not the whole ellipse's length.
    EXPECT_NEAR(e->ProjectPoint(0, 30, &px, &py, 0, 1e9), 0, 1e-9);
    EXPECT_NEAR(px, 0, 1e-3);
    EXPECT_NEAR(py, 20, 1e-3);
    // Inside: the curve point in the point's direction.
    const double d = e->ProjectPoint(10, 10, &px, &py, 0, 1e9);
    EXPECT_NEAR(std::atan2(py, px), kPi / 4, 1e-9);
    EXPECT_GT(d, 0);
    EXPECT_LT(d, full);
    // Outside the arc: the nearer end.
    EXPECT_NEAR(e->ProjectPoint(30, -5, &px, &py, 0, 1e9), full, 1e-6);
    EXPECT_NEAR(px, 40, 1e-3);
    EXPECT_NEAR(e->ProjectPoint(-5, 30, &px, &py, 0, 1e9), 0, 1e-9);
    // Limited to the stretch [10, 20].
    EXPECT_NEAR(e->ProjectPoint(40, 1, &px, &py, 10, 20), 20, 1e-6);
    EXPECT_NEAR(e->ProjectPoint(0, 30, &px, &py, 10, 20), 10, 1e-6);
}

TEST_F(Ellipse, ExtendingAddsThatLengthOrClosesTheEllipse)
{
    auto e = MakeEllipse(0, 0, 40, 20, 0, 90, 0);
    const double before = e->GetFullLength();
    ASSERT_TRUE(e->ExtendBy(5, 2));
    // Within what chords of other steps and whole micrometres change.
    EXPECT_NEAR(e->GetFullLength(), before + 7, 0.02);
    EXPECT_NE(e->GetStartNode(), e->GetEndNode());
    ASSERT_TRUE(e->ExtendBy(100, 100));
    EXPECT_EQ(e->GetStartNode(), e->GetEndNode());
    EXPECT_NEAR(e->GetFullLength(), TrueLength(40, 20, 0, 2 * kPi), 0.15);
}

TEST_F(Ellipse, ValidationPutsTheNodesOnTheCurve)
{
    auto e = std::make_unique<CEllipse>(&nodes, nullptr, 0);
    e->SetCentreNode(Node(0, 0));
    e->SetMajorNode(Node(40, 0));
    e->SetMinorNode(Node(3, 20));  // not across the major axis
    e->SetStartNode(Node(0, 30));  // off the curve, at 90 degrees
    e->SetEndNode(Node(10, 0));    // inside, at 0 degrees
    e->ValidateNodes();
    EXPECT_NEAR(At(e->GetMinorNode()).x, 0, 1e-3);
    EXPECT_NEAR(At(e->GetMinorNode()).y, std::hypot(3.0, 20.0), 1e-3); // its distance kept
    EXPECT_NEAR(At(e->GetStartNode()).y, std::hypot(3.0, 20.0), 1e-3);
    EXPECT_NEAR(At(e->GetEndNode()).x, 40, 1e-3);
}

TEST_F(Ellipse, MirrorKeepsTheArcClockwiseAndReflectsTheBridges)
{
    auto e = MakeEllipse(0, 0, 40, 20, 0, 90, 0);
    e->SetBridgeMode(BridgeMode::ByHand);
    e->SetBridges({{0, 1, 2}, {0, 10, 3}});
    const double length = e->GetFullLength();
    e->SetSelection(1);
    NodeRemap remap;
    e->Mirror(remap, 0, 0, 0, 1); // the y axis
    EXPECT_NEAR(At(e->GetStartNode()).x, -40, 1e-6);
    EXPECT_NEAR(At(e->GetEndNode()).y, 20, 1e-6);
    EXPECT_NEAR(e->GetSweepAngle(), kPi / 2, 1e-9);
    EXPECT_NEAR(e->GetFullLength(), length, 1e-6);
    EXPECT_THAT(elementtest::BridgesOf(*e),
                ::testing::ElementsAre(std::pair{length - 13, 3.0}, std::pair{length - 3, 2.0}));
}

TEST_F(Ellipse, OutlineChordsRunFromTheStartToTheEnd)
{
    auto e = MakeEllipse(0, 0, 40, 20, 0, 90, 0);
    e->SetSelection(1);
    OutlineBuilder builder;
    e->AddToOutline(&builder, 0, 16, -1, nullptr);
    ASSERT_EQ(builder.Segments().size(), 4u);
    EXPECT_NEAR(builder.Segments().front().from.y, 20, 1e-3);
    EXPECT_NEAR(builder.Segments().back().to.x, 40, 1e-3);
    OutlineBuilder none;
    e->AddToOutline(&none, 0, 0, -1, nullptr);
    e->AddToOutline(&none, 0, 1e300, -1, nullptr); // held to a bounded number of chords
    EXPECT_NEAR(static_cast<double>(none.Segments().size()), 25000, 1);
}

TEST_F(Ellipse, CrossingsWithLinesArcsAndEllipses)
{
    auto e = MakeEllipse(0, 0, 40, 20, 0, 0, 0);
    auto line = MakeLine(-50, 0, 50, 0);
    // Asked from either side, the ellipse (the higher type id) computes.
    line->IntersectWith(*e);
    EXPECT_EQ(line->GetIntersections().size(), 2u);
    e->IntersectWith(*line);
    ASSERT_EQ(e->GetIntersections().size(), 2u);
    for (const die::coord& p : e->GetIntersections())
        EXPECT_NEAR(std::fabs(p.x), 40, 1e-6);

    auto arc = MakeArc(0, 0, 30, 0, 30, 0); // a circle of radius 30
    arc->IntersectWith(*e);
    EXPECT_EQ(arc->GetIntersections().size(), 4u);

    auto upright = MakeEllipse(0, 0, 40, 20, 90, 0, 0);
    e->IntersectWith(*upright);
    EXPECT_EQ(e->GetIntersections().size(), 4u);
    for (const die::coord& p : e->GetIntersections())
        EXPECT_NEAR(std::fabs(p.x), std::fabs(p.y), 0.05);
}

TEST_F(Ellipse, RectangleTests)
{
    auto e = MakeEllipse(0, 0, 40, 20, 0, 90, 0);
    // Nodes: (0, 0), (40, 0), (0, 20), start (0, 20), end (40, 0); the
    // rectangle's corners as the line's test takes them.
    EXPECT_TRUE(e->IsInRect(-1, -1, 41, 21, 2));
    EXPECT_FALSE(e->IsInRect(-1, -1, 41, 19, 2));
    EXPECT_TRUE(e->IsInRect(39, -1, 41, 1, 1));
    EXPECT_FALSE(e->IsInRect(10, 5, 20, 10, 1));
    EXPECT_TRUE(e->IsInRect(-100, -100, 100, 100, 3));
    EXPECT_FALSE(e->IsInRect(40, -100, 200, 100, 3)); // touches the extents at an edge only
}

TEST_F(Ellipse, FociLieOnTheLongerAxis)
{
    auto swapped = std::make_unique<CEllipse>(&nodes, nullptr, 0);
    swapped->SetCentreNode(Node(0, 0));
    swapped->SetMajorNode(Node(0, 3)); // nearer than the minor-axis node
    swapped->SetMinorNode(Node(-5, 0));
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    EXPECT_DOUBLE_EQ(swapped->GetFoci(x1, y1, x2, y2), 10);
    EXPECT_NEAR(std::fabs(x1), 4, 1e-9);
    EXPECT_NEAR(y1, 0, 1e-9);
    EXPECT_NEAR(x2, -x1, 1e-9);
}

TEST_F(Ellipse, ApproximatingArcsCoverTheArc)
{
    auto e = MakeEllipse(0, 0, 40, 20, 0, 90, 0);
    double cx = 0, cy = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ASSERT_TRUE(e->GetApproxArc(3, 1, cx, cy, x1, y1, x2, y2));
    EXPECT_NEAR(x1, 0, 1e-3);
    EXPECT_NEAR(y1, 20, 1e-3);
    EXPECT_NEAR(die::distance({cx, cy}, {x1, y1}), die::distance({cx, cy}, {x2, y2}), 1e-9);
    ASSERT_TRUE(e->GetApproxArc(3, 7, cx, cy, x1, y1, x2, y2)); // taken as the last piece
    EXPECT_NEAR(x2, 40, 1e-3);
}

TEST_F(Ellipse, TextFormAndScriptText)
{
    CEllipse e(&nodes, nullptr, 0);
    e.SetFromText(QStringLiteral("E]0]10]20]40]20]90]3]2]2]4]"));
    EXPECT_EQ(e.GetStartNode(), e.GetMajorNode());
    EXPECT_EQ(e.GetEndNode(), e.GetMajorNode());
    EXPECT_EQ(At(e.GetCentreNode()), (die::coord{10, 20}));
    EXPECT_NEAR(At(e.GetMajorNode()).x, 10, 1e-3);
    EXPECT_NEAR(At(e.GetMajorNode()).y, 60, 1e-3);
    EXPECT_NEAR(At(e.GetMinorNode()).x, -10, 1e-3);
    EXPECT_EQ(e.GetLineType(), 3);
    EXPECT_EQ(e.GetAutoCount(), 2);
    EXPECT_EQ(e.GetBridges().Count(), 2);

    CEllipse shortText(&nodes, nullptr, 0);
    shortText.SetFromText(QStringLiteral("E]0]7]8]5]"));
    EXPECT_EQ(At(shortText.GetCentreNode()), (die::coord{7, 8}));
    EXPECT_EQ(shortText.GetMinorNode(), shortText.GetCentreNode()); // a missing semi-axis is 0
    EXPECT_EQ(shortText.GetLineType(), 0);

    const QString script = e.GetScriptText();
    EXPECT_TRUE(script.startsWith(QStringLiteral("Element {"))) << script.toStdString();
    EXPECT_TRUE(script.endsWith(QStringLiteral("};\n"))) << script.toStdString();
}

TEST_F(Ellipse, BridgesByCountSpreadOverTheLength)
{
    auto e = MakeEllipse(0, 0, 40, 20, 0, 90, 0);
    const double length = e->GetFullLength();
    e->CountAutoBridges(2, 4, true);
    const double s = (length - 8) / 2;
    EXPECT_THAT(elementtest::BridgesOf(*e),
                ::testing::ElementsAre(std::pair{s / 2, 4.0}, std::pair{s / 2 + s + 4, 4.0}));
    e->CountAutoBridges(1, 4, false); // the present two counted in
    EXPECT_EQ(e->GetBridges().Count(), 3);
    e->CountAutoBridges(0, 4, true);
    EXPECT_EQ(e->GetBridges().Count(), 0);
}

} // namespace
