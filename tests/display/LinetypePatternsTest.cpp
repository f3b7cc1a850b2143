#include "geometry/Angle.h"
#include "display/DisplayList.h"
#include "geometry/GeomConstants.h"
#include "display/LinetypePatterns.h"

#include "common/DisplayTestSupport.h"
#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using die::coord;
using displaytest::ExpectOutput;
using geomtest::Near;

constexpr double kPi = Geom::kPi;

// A display list of one polyline through the points, regenerated in mode 2
// with the given line type.
class PatternTest : public testing::Test {
protected:
    PatternTest()
    {
        linetypes_.Add(1, LinetypeKind::Standard);
        linetypes_.Add(3, LinetypeKind::Standard);
    }

    // A line from a to b of a line type of that kind, regenerated in mode 2.
    const DisplayFigure& Draw(int kind, double d1, double d2, double d3, const coord& a, const coord& b)
    {
        linetypes_.Add(50, kind, 1, 3, d1, d2, d3);
        list_.Begin(50, 0, 10, 2.0);
        list_.AddLine(a, b);
        list_.End();
        list_.Regenerate(DisplayMode::SpecialLineTypes);
        return displaytest::FirstFigure(list_);
    }

    // A polyline path through the points.
    static std::vector<PathNode> Path(const std::vector<coord>& points)
    {
        std::vector<PathNode> path;
        for (const coord& p : points)
            path.push_back({p.x, p.y, path.empty() ? 0.0 : std::hypot(p.x - path.back().x, p.y - path.back().y)});
        return path;
    }

    displaytest::LinkedLinetypes linetypes_;
    DisplayList list_;
};

TEST_F(PatternTest, WaveOfHalfCirclesAlternatesSides)
{
    const DisplayFigure& f = Draw(LinetypeKind::Wave, 10, 5, 0, {0, 0}, {20, 0});
    EXPECT_EQ(f.outputKind, OutputKind::WaveArcs);
    ExpectOutput(f.output, {
                               {0, 0, 1},
                               {10, 0, 2}, {5, 0, 0}, {5, -1, 0}, {kPi, kPi, 0},  // bulges left: clockwise
                               {20, 0, 2}, {15, 0, 0}, {5, 1, 0}, {kPi, kPi, 0},  // then right
                           });
    EXPECT_EQ(f.output[1].lineType, 1); // drawn with subtype 1
}

TEST_F(PatternTest, WaveIsCutAtThePathEndAboveIt)
{
    const DisplayFigure& f = Draw(LinetypeKind::Wave, 10, 5, 0, {0, 0}, {25, 0});
    ASSERT_EQ(f.output.size(), 13u);
    // The part half-wave from 20 bulges left again and ends above the end.
    ExpectOutput({f.output.begin() + 9, f.output.end()},
                 {{25, 5, 2}, {25, 0, 0}, {5, -1, 0}, {kPi, kPi / 2, 0}});
}

TEST_F(PatternTest, WaveHalfWaveAcrossACornerIsAnArcThroughBothEnds)
{
    std::vector<OutputNode> out;
    ASSERT_TRUE(LinetypePatterns::Wave(Path({{0, 0}, {15, 0}, {15, 15}}), {1, -1, 10, 5, 0}, out));
    // Half-waves 0–10, 10–20 (across the corner) and 20–30.
    ASSERT_EQ(out.size(), 13u);
    const coord start(10, 0);
    const coord end(out[5].x, out[5].y);
    EXPECT_TRUE(Near(end, coord(15, 5), 1e-12));
    const coord centre(out[6].x, out[6].y);
    const double radius = out[7].x;
    EXPECT_NEAR(die::distance(centre, start), radius, 1e-9);
    EXPECT_NEAR(die::distance(centre, end), radius, 1e-9);
    // The arc from the start by the sweep in its direction lands on the end.
    const double a = out[8].x + out[7].y * out[8].y;
    EXPECT_TRUE(Near(centre + coord(std::cos(a), std::sin(a)) * radius, end, 1e-9));
    EXPECT_TRUE(Near({out[9].x, out[9].y}, coord(15, 15), 1e-12));
}

TEST_F(PatternTest, TearDrawsDashesTicksAndGaps)
{
    const DisplayFigure& f = Draw(LinetypeKind::Tear, 5, 2, 90, {0, 0}, {20, 0});
    EXPECT_EQ(f.outputKind, OutputKind::Polyline);
    ExpectOutput(f.output, {{0, 0, 1},
                            {5, 0, 2}, {5, 2, 2}, {7, 0, 1},
                            {12, 0, 2}, {12, 2, 2}, {14, 0, 1},
                            {19, 0, 2}, {19, 2, 2}, {20, 0, 1}});
    EXPECT_EQ(f.output[2].lineType, 1);
}

TEST_F(PatternTest, TearCarriesAcrossCornersAndMoves)
{
    // Two strokes of a text-like path: the dash of 5 turns the corner at
    // (3, 0), and the move to the second stroke keeps the pattern going.
    std::vector<OutputNode> out;
    const auto path = Path({{0, 0}, {3, 0}, {3, 4}});
    std::vector<PathNode> withMove = path;
    withMove.push_back({10, 0, 0.0});
    withMove.push_back({10, 3, 3.0});
    ASSERT_TRUE(LinetypePatterns::Tear(withMove, {1, -1, 5, 1, 0}, out));
    ExpectOutput(out, {{0, 0, 1}, {3, 0, 2},             // the dash turns the corner...
                       {3, 2, 2}, {3, 3, 2}, {3, 3, 1},  // ...ends at 5 with its tick and gap
                       {3, 4, 2}, {10, 0, 1}, {10, 3, 2}}); // the next dash goes on after the move
}

TEST_F(PatternTest, MixedAlternatesThePens)
{
    const DisplayFigure& f = Draw(LinetypeKind::Mixed, 3, 1, 0, {0, 0}, {8, 0});
    ExpectOutput(f.output, {{0, 0, 1}, {3, 0, 3}, {4, 0, 4}, {7, 0, 3}, {8, 0, 4}});
    EXPECT_EQ(f.output[1].lineType, 1);
    EXPECT_EQ(f.output[2].lineType, 3);
}

// Zero or negative pattern lengths cannot be drawn as a pattern: the figure
// is drawn plain instead of looping or disappearing.
TEST_F(PatternTest, PatternsWithoutALengthAreDrawnPlain)
{
    struct Case {
        int kind;
        double d1;
        double d2;
    } cases[] = {
        {LinetypeKind::Wave, 0, 5},  {LinetypeKind::Wave, 10, 0},  {LinetypeKind::Wave, -10, 5},
        {LinetypeKind::Wave, 10, -5}, {LinetypeKind::Tear, 0, 2},  {LinetypeKind::Tear, 5, 0},
        {LinetypeKind::Tear, 5, -2}, {LinetypeKind::Tear, -5, 2},  {LinetypeKind::Mixed, 0, 1},
        {LinetypeKind::Mixed, 3, 0}, {LinetypeKind::Mixed, 3, -1}, {LinetypeKind::Mixed, -3, 1},
        // So short that the pattern would repeat millions of times.
        {LinetypeKind::Wave, 1e-9, 1e-9}, {LinetypeKind::Tear, 1e-9, 1e-9}, {LinetypeKind::Mixed, 1e-9, 1e-9},
        // A wave so flat that the square of its arcs' radius overflows.
        {LinetypeKind::Wave, 11.5, 1e-200},
    };
    for (const Case& c : cases) {
        const DisplayFigure& f = Draw(c.kind, c.d1, c.d2, 30, {0, 0}, {20, 0});
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " lengths " << c.d1 << ", " << c.d2);
        EXPECT_EQ(f.outputKind, OutputKind::Polyline);
        ExpectOutput(f.output, {{0, 0, 1}, {20, 0, 2}});
    }
}

// Waves of every shape, from flat to more than a half circle, on a path with
// corners of every size: every value is finite.
TEST_F(PatternTest, WaveValuesStayFiniteForAnyShape)
{
    const std::vector<coord> zigzag = {{0, 0}, {7, 0}, {7.5, 3}, {1, 3.2}, {1, 9}, {30, -4}, {30.01, -4}};
    for (double lambda : {0.5, 2.0, 10.0, 40.0}) {
        for (double height : {1e-6, 0.3, 5.0, 50.0}) {
            std::vector<OutputNode> out;
            LinetypePatterns::Wave(Path(zigzag), {1, -1, lambda, height, 0}, out);
            for (const OutputNode& n : out)
                ASSERT_TRUE(std::isfinite(n.x) && std::isfinite(n.y)) << lambda << " / " << height;
        }
    }
}

TEST_F(PatternTest, ArcsArePatternedAlongTwoDegreeSteps)
{
    linetypes_.Add(50, LinetypeKind::Mixed, 1, 3, 1, 1, 0);
    list_.Begin(50, 0, 0, 2.0);
    list_.AddArc({0, 0}, {10, 0}, {0, 10}); // three quarters, length 15π
    list_.Regenerate(DisplayMode::SpecialLineTypes);
    ASSERT_FALSE(list_.Figures().empty());
    const DisplayFigure& f = list_.Figures().front();
    EXPECT_EQ(f.outputKind, OutputKind::Polyline);
    EXPECT_EQ(f.path.size(), 4u); // the figure's own path stays
    ASSERT_FALSE(f.output.empty());
    EXPECT_TRUE(displaytest::SameNode(f.output.front(), 10, 0, 1));
    EXPECT_TRUE(Near({f.output.back().x, f.output.back().y}, coord(0, 10), 1e-9));
    for (const OutputNode& n : f.output) // on the chords of 2°
        EXPECT_NEAR(std::hypot(n.x, n.y), 10.0, 0.002);
    // About one dash per millimetre along a chord polyline slightly shorter than the arc.
    EXPECT_NEAR(static_cast<double>(f.output.size()), 15 * kPi + 135, 5);
}

} // namespace
