#include "display/DisplayList.h"
#include "geometry/GeomConstants.h"
#include "display/GlyphPathTable.h"

#include "common/DisplayTestSupport.h"
#include "common/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using die::coord;
using displaytest::ExpectOutput;
using geomtest::Near;

constexpr double kPi = Geom::kPi;

double PathLength(const DisplayFigure& f)
{
    double sum = 0.0;
    for (const PathNode& n : f.path)
        sum += n.length;
    return sum;
}

const DisplayFigure& Only(const DisplayList& list)
{
    EXPECT_EQ(list.Figures().size(), 1u);
    return displaytest::FirstFigure(list);
}

TEST(DisplayListTest, FigureCallsFollowTheListDefaults)
{
    DisplayList list;
    list.Begin(7, 0, 12, 2.1);
    list.AddLine({0, 0}, {3, 4});
    list.SetLinetype(9);
    list.AddLine({0, 0}, {1, 0}, 5);
    list.AddLine({0, 0}, {1, 0});
    ASSERT_EQ(list.Figures().size(), 3u);
    EXPECT_EQ(list.Figures()[0].lineType, 7);
    EXPECT_EQ(list.Figures()[1].lineType, 5);
    EXPECT_EQ(list.Figures()[2].lineType, 9);
    EXPECT_EQ(list.Figures()[0].resolution, 12);
    EXPECT_EQ(list.Figures()[0].ptg, 2.1f);
    EXPECT_EQ(list.Figures()[0].path.size(), 2u);
    EXPECT_DOUBLE_EQ(list.Figures()[0].path[1].length, 5.0);
    EXPECT_TRUE(list.IsClosed());
    EXPECT_EQ(list.GetOutputMode(), -1);
    EXPECT_EQ(list.GetBoundingBox().GetMax(), coord(3, 4));

    list.Begin(1, 0, 0, 0.0);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(list.GetBoundingBox().IsEmpty());
}

TEST(DisplayListTest, PointsAndBridgesWithoutAFigureAreIgnored)
{
    DisplayList list;
    list.AddPoint({1, 1});
    list.AddBridge(1.0, 2.0);
    list.End();
    list.Regenerate(DisplayMode::WithBridges);
    EXPECT_TRUE(list.IsEmpty());
}

// A line of length 10 in mode 1 with one bridge: the gap is cut out.
TEST(DisplayListTest, BridgedLineOutput)
{
    struct Case {
        double position;
        double width;
        std::vector<displaytest::ExpectedNode> expected;
    } cases[] = {
        {4, 2, {{0, 0, 1}, {4, 0, 2}, {6, 0, 1}, {10, 0, 2}}},
        {0, 2, {{0, 0, 1}, {0, 0, 2}, {2, 0, 1}, {10, 0, 2}}},
        {12, 2, {{0, 0, 1}, {10, 0, 2}}},
        {9, 2, {{0, 0, 1}, {9, 0, 2}, {10, 0, 1}}},
    };
    for (const Case& c : cases) {
        DisplayList list;
        list.Begin(1, 0, 0, 2.0);
        list.AddLine({0, 0}, {10, 0});
        list.End();
        list.AddBridge(c.position, c.width);
        list.Regenerate(DisplayMode::WithBridges);
        SCOPED_TRACE(testing::Message() << "bridge at " << c.position);
        EXPECT_EQ(Only(list).outputKind, OutputKind::Polyline);
        ExpectOutput(Only(list).output, c.expected);
    }
}

// Bridges may come in any order and may overlap: the gaps are cut out in
// order along the rule, overlapping ones as one gap.
TEST(DisplayListTest, BridgesOutOfOrderOrOverlappingCutTheirGapsOnly)
{
    struct Bridge {
        double position;
        double width;
    };
    struct Case {
        const char* name;
        std::vector<Bridge> bridges;
        std::vector<displaytest::ExpectedNode> expected;
    } cases[] = {
        {"out of order", {{20, 2}, {5, 2}},
         {{0, 0, 1}, {5, 0, 2}, {7, 0, 1}, {20, 0, 2}, {22, 0, 1}, {50, 0, 2}}},
        {"overlapping", {{10, 5}, {12, 5}}, {{0, 0, 1}, {10, 0, 2}, {17, 0, 1}, {50, 0, 2}}},
        {"one inside another", {{10, 8}, {12, 2}}, {{0, 0, 1}, {10, 0, 2}, {18, 0, 1}, {50, 0, 2}}},
        {"meeting end to start, added backwards", {{30, 5}, {25, 5}, {10, 2}},
         {{0, 0, 1}, {10, 0, 2}, {12, 0, 1}, {25, 0, 2}, {35, 0, 1}, {50, 0, 2}}},
    };
    for (const Case& c : cases) {
        DisplayList list;
        list.Begin(1, 0, 0, 2.0);
        list.AddLine({0, 0}, {50, 0});
        list.End();
        for (const Bridge& b : c.bridges)
            list.AddBridge(b.position, b.width);
        list.Regenerate(DisplayMode::WithBridges);
        SCOPED_TRACE(c.name);
        ExpectOutput(Only(list).output, c.expected);
    }
}

// A bridge across many path nodes leaves every node inside it a move, and
// exactly the gap's width undrawn.
TEST(DisplayListTest, BridgeAcrossAPolylineSkipsExactlyTheGap)
{
    DisplayList list;
    list.Begin(1, 0, 10, 2.0);
    list.BeginCurve();
    list.AddPoint({0, 0});
    list.AddPoint({5, 0});
    list.AddPoint({10, 0});
    list.End();
    list.AddBridge(4.0, 2.0);
    list.AddBridge(8.5, 0.5);
    list.Regenerate(DisplayMode::WithBridges);
    const DisplayFigure& f = Only(list);
    ASSERT_GT(f.path.size(), 10u);
    double drawn = 0.0;
    for (std::size_t i = 1; i < f.output.size(); ++i) {
        const OutputNode& a = f.output[i - 1];
        const OutputNode& b = f.output[i];
        if (b.code != OutputCode::Draw)
            continue;
        EXPECT_FALSE(a.x >= 4.0 + 1e-9 && b.x <= 6.0 - 1e-9) << "drawn inside the first gap at " << b.x;
        drawn += std::hypot(b.x - a.x, b.y - a.y);
    }
    EXPECT_NEAR(PathLength(f), 10.0, 1e-9);
    EXPECT_NEAR(drawn, 7.5, 1e-9);
}

TEST(DisplayListTest, RegenerateBuildsOnlyWhenTheModeChanges)
{
    displaytest::LinkedLinetypes linetypes;
    linetypes.Add(1, LinetypeKind::Standard);
    linetypes.Add(3, LinetypeKind::Standard);
    DisplayList list;
    list.Begin(3, 0, 0, 2.0);
    list.AddLine({0, 0}, {20, 0});
    list.End();
    list.Regenerate(DisplayMode::SpecialLineTypes);
    ASSERT_EQ(Only(list).output.size(), 2u);

    // The line type becomes a tear: the same mode builds nothing new...
    linetypes.Add(3, LinetypeKind::Tear, 1, -1, 5, 2, 90);
    list.Regenerate(DisplayMode::SpecialLineTypes);
    EXPECT_EQ(Only(list).output.size(), 2u);
    // ...another mode and back does.
    list.Regenerate(DisplayMode::Normal);
    list.Regenerate(DisplayMode::SpecialLineTypes);
    EXPECT_EQ(list.GetOutputMode(), DisplayMode::SpecialLineTypes);
    EXPECT_EQ(Only(list).output.size(), 10u);

    // A new bridge makes the output stale.
    list.Regenerate(DisplayMode::WithBridges);
    EXPECT_EQ(Only(list).output.size(), 2u);
    list.AddBridge(5, 1);
    list.Regenerate(DisplayMode::WithBridges);
    EXPECT_EQ(Only(list).output.size(), 4u);
}

TEST(DisplayListTest, ModeTwoDrawsOtherLineTypesPlain)
{
    displaytest::LinkedLinetypes linetypes;
    linetypes.Add(1, LinetypeKind::Standard);
    DisplayList list;
    list.Begin(1, 0, 0, 2.0);
    list.AddLine({0, 0}, {10, 0});
    list.AddLine({10, 0}, {10, 5}, 42); // no such line type
    list.End();
    list.AddBridge(2, 1);
    list.Regenerate(DisplayMode::Normal);
    std::vector<std::vector<OutputNode>> normal;
    for (const DisplayFigure& f : list.Figures())
        normal.push_back(f.output);
    list.Regenerate(DisplayMode::SpecialLineTypes);
    for (std::size_t i = 0; i < normal.size(); ++i) {
        ASSERT_EQ(list.Figures()[i].output.size(), normal[i].size());
        for (std::size_t k = 0; k < normal[i].size(); ++k)
            EXPECT_TRUE(displaytest::SameNode(list.Figures()[i].output[k], normal[i][k].x, normal[i][k].y,
                                              normal[i][k].code));
    }
}

struct ArcCase {
    const char* name;
    coord start;
    coord end;
    double sweep;
    int endCode;
};

TEST(DisplayListTest, ArcPathLengthAndPlainOutput)
{
    const ArcCase cases[] = {
        {"full circle", {2, 0}, {2, 0}, 2 * kPi, OutputCode::LongArc},
        {"three quarters", {2, 0}, {0, 2}, 1.5 * kPi, OutputCode::LongArc},
        {"one quarter", {0, 2}, {2, 0}, 0.5 * kPi, OutputCode::Data},
    };
    for (const ArcCase& c : cases) {
        DisplayList list;
        list.Begin(1, 0, 0, 2.0);
        list.AddArc({0, 0}, c.start, c.end);
        list.Regenerate(DisplayMode::Normal);
        const DisplayFigure& f = Only(list);
        SCOPED_TRACE(c.name);
        ASSERT_EQ(f.path.size(), 4u);
        EXPECT_DOUBLE_EQ(f.path[1].x, 2.0);
        EXPECT_NEAR(f.path[3].length, 2.0 * c.sweep, 1e-12);
        EXPECT_EQ(f.outputKind, OutputKind::Arc);
        ExpectOutput(f.output, {{0, 0, 0}, {2, 0, 0}, {c.start.x, c.start.y, 0}, {c.end.x, c.end.y, c.endCode}});
    }
}

TEST(DisplayListTest, ArcBoxHoldsTheAxisPointsOnItsSweep)
{
    DisplayList list;
    list.Begin(1, 0, 0, 2.0);
    list.AddArc({0, 0}, {2, 0}, {0, 2}); // three quarters, through (−2, 0) and (0, −2)
    list.AddArc({10, 0}, {10, 2}, {12, 0}); // one quarter, no axis point inside
    ASSERT_EQ(list.Figures().size(), 2u);
    EXPECT_EQ(list.Figures()[0].box.GetMin(), coord(-2, -2));
    EXPECT_EQ(list.Figures()[0].box.GetMax(), coord(2, 2));
    EXPECT_EQ(list.Figures()[1].box.GetMin(), coord(10, 0));
    EXPECT_EQ(list.Figures()[1].box.GetMax(), coord(12, 2));
    EXPECT_EQ(list.GetBoundingBox().GetMin(), coord(-2, -2));
    EXPECT_EQ(list.GetBoundingBox().GetMax(), coord(12, 2));
}

// A half circle of radius 1 (length π) with bridges: the pieces come in
// (start, end) pairs after the centre and the radius.
TEST(DisplayListTest, BridgedArcOutput)
{
    struct Case {
        const char* name;
        std::vector<std::pair<double, double>> bridges;
        std::vector<displaytest::ExpectedNode> pieces;
    } cases[] = {
        {"middle", {{kPi / 2 - 0.5, 1.0}},
         {{1, 0, 0}, {std::sin(0.5), -std::cos(0.5), 0}, {-std::sin(0.5), -std::cos(0.5), 0}, {-1, 0, 0}}},
        {"at the start", {{0.0, 0.5}}, {{std::cos(0.5), -std::sin(0.5), 0}, {-1, 0, 0}}},
        {"past the end", {{4.0, 1.0}}, {{1, 0, 0}, {-1, 0, 0}}},
    };
    for (const Case& c : cases) {
        DisplayList list;
        list.Begin(1, 0, 0, 2.0);
        list.AddArc({0, 0}, {1, 0}, {-1, 0}); // clockwise from (1, 0) through (0, −1)
        for (const auto& [position, width] : c.bridges)
            list.AddBridge(position, width);
        list.Regenerate(DisplayMode::WithBridges);
        SCOPED_TRACE(c.name);
        std::vector<displaytest::ExpectedNode> expected = {{0, 0, 0}, {1, 0, 0}};
        expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
        std::vector<OutputNode> output = Only(list).output;
        // Points on the arc come from angles: compare within rounding.
        ASSERT_EQ(output.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(output[i].x, expected[i].x, 1e-12) << i;
            EXPECT_NEAR(output[i].y, expected[i].y, 1e-12) << i;
            EXPECT_EQ(output[i].code, expected[i].code) << i;
        }
    }
}

TEST(DisplayListTest, BridgedArcMarksPiecesLongerThanAHalfTurn)
{
    DisplayList list;
    list.Begin(1, 0, 0, 2.0);
    list.AddArc({0, 0}, {1, 0}, {1, 0}); // full circle of length 2π
    list.AddBridge(4.0, 0.5);
    list.Regenerate(DisplayMode::WithBridges);
    const auto& out = Only(list).output;
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[3].code, OutputCode::LongArc); // the piece 0..4 is longer than π
    EXPECT_EQ(out[5].code, OutputCode::Data);    // the piece 4.5..2π is not
}

TEST(DisplayListTest, ArcOfRadiusZeroGivesCentreAndRadiusOnly)
{
    DisplayList list;
    list.Begin(1, 0, 0, 2.0);
    list.AddArc({3, 3}, {3, 3}, {3, 3});
    list.AddBridge(0.1, 0.1);
    list.Regenerate(DisplayMode::WithBridges);
    EXPECT_EQ(Only(list).output.size(), 2u);
    EXPECT_EQ(PathLength(Only(list)), 0.0);
}

TEST(DisplayListTest, EllipsePathEndsAtTheEndVector)
{
    struct Case {
        coord axis;
        coord radii;
        coord startVector;
        coord endVector;
        int resolution;
        std::size_t nodes; // 0: not checked
    } cases[] = {
        {{1, 0}, {4, 2}, {4, 0}, {4, 0}, 180, 181}, // a full turn: a node every 2°
        {{1, 0}, {4, 2}, {0, 2}, {4, 0}, 7, 0},     // a quarter in steps that do not fit
        {{0.6, 0.8}, {2, 5}, {-1, 3}, {3, 1}, 36, 0},
        {{1, 0}, {0, 2}, {0, 2}, {1, 1}, 36, 37},   // a radius of 0: sampled as a full turn
        // So flat that e² rounds to 1, from one end of the major axis to the other.
        {{1, 0}, {4, 1e-9}, {4, 0}, {-4, 0}, 36, 19},
        {{1, 0}, {1e-9, 4}, {0, 4}, {0, -4}, 36, 19},
    };
    for (const Case& c : cases) {
        DisplayList list;
        list.Begin(1, 0, c.resolution, 2.0);
        list.AddEllipse({10, 20}, c.axis, c.radii, c.startVector, c.endVector);
        const DisplayFigure& f = Only(list);
        ASSERT_GE(f.path.size(), 2u);
        if (c.nodes) {
            EXPECT_EQ(f.path.size(), c.nodes);
        }
        const coord last(f.path.back().x, f.path.back().y);
        const double r1 = c.radii.x, r2 = c.radii.y;
        if (r1 > 0 && r2 > 0) {
            // The end lies on the ray of the end vector.
            const coord dir = (last - coord(10, 20)).Normalized();
            EXPECT_TRUE(Near(dir, c.endVector.Normalized(), 1e-9));
            EXPECT_TRUE(geomtest::IsFinite(last));
        }
        EXPECT_EQ(f.path[0].length, 0.0);
    }
}

TEST(DisplayListTest, EllipseWithoutStepsStillRunsFromStartToEnd)
{
    for (int resolution : {0, -5}) {
        DisplayList list;
        list.Begin(1, 0, resolution, 2.0);
        list.AddEllipse({0, 0}, {1, 0}, {4, 2}, {4, 0}, {0, 2});
        ASSERT_EQ(Only(list).path.size(), 2u);
        EXPECT_TRUE(Near({Only(list).path[1].x, Only(list).path[1].y}, coord(0, 2), 1e-12));
    }
}

TEST(DisplayListTest, CurvesOfFewerThanThreePointsAreStraight)
{
    DisplayList list;
    list.Begin(1, 0, 10, 2.0);
    list.BeginCurve();
    list.AddPoint({0, 0});
    list.AddPoint({3, 4});
    list.BeginCurve();
    list.AddPoint({1, 1});
    list.BeginCurve();
    list.End();
    ASSERT_EQ(list.Figures().size(), 3u);
    EXPECT_EQ(list.Figures()[0].path.size(), 2u);
    EXPECT_DOUBLE_EQ(list.Figures()[0].path[1].length, 5.0);
    EXPECT_EQ(list.Figures()[1].path.size(), 1u);
    EXPECT_TRUE(list.Figures()[2].path.empty());
    EXPECT_TRUE(list.Figures()[2].box.IsEmpty());
    list.Regenerate(DisplayMode::Normal);
    EXPECT_EQ(list.Figures()[0].output.size(), 2u);
    EXPECT_TRUE(list.Figures()[2].output.empty());
}

TEST(DisplayListTest, UnknownFigureKindsGetNoPathOrOutput)
{
    DisplayList list;
    list.Begin(1, 0, 0, 2.0);
    list.AddFigure(9);
    list.AddPoint({1, 1});
    list.AddPoint({2, 2});
    list.End();
    list.Regenerate(DisplayMode::Normal);
    EXPECT_TRUE(Only(list).path.empty());
    EXPECT_TRUE(Only(list).output.empty());
}

class TextFigureTest : public testing::Test {
protected:
    TextFigureTest() { BuildGlyphPaths(glyphs_); }

    GlyphPathTable glyphs_;
    platform::ScopedOverride<const GlyphPathTable*> linked_ = DisplayList::InstallGlyphPathTable(glyphs_);
};

TEST_F(TextFigureTest, CharactersWithoutAGlyphLeaveAGap)
{
    DisplayList list;
    list.Begin(1, 0, 0, 2.0);
    list.AddText({10, 0}, {0, 2}, {3, 6}, QStringLiteral("1  1"));
    const DisplayFigure& f = Only(list);
    EXPECT_TRUE(Near(f.points[1], coord(0, 1), 0)); // the direction is made a unit vector
    // The digit 1 is the polyline (1, 5) → (2, 6) → (2, 0) in sixths.
    ASSERT_EQ(f.path.size(), 6u);
    // Upwards along the baseline: x along the direction, y to its left.
    const coord firstStart(10 - 5.0 / 6 * 6, 1.0 / 6 * 3);
    EXPECT_TRUE(Near({f.path[0].x, f.path[0].y}, firstStart, 1e-12));
    EXPECT_TRUE(Near({f.path[3].x, f.path[3].y}, firstStart + coord(0, 9), 1e-12));
    EXPECT_EQ(f.path[3].length, 0.0);
    EXPECT_NEAR(f.path[4].length, std::hypot(3.0 / 6, 6.0 / 6), 1e-12);
}

TEST_F(TextFigureTest, TextWithoutAdvanceOrHeightHasNoPath)
{
    DisplayList list;
    list.Begin(1, 0, 0, 2.0);
    list.AddText({0, 0}, {1, 0}, {0, 5}, QStringLiteral("a"));
    list.AddText({0, 0}, {1, 0}, {2, 0}, QStringLiteral("a"));
    list.AddText({0, 0}, {1, 0}, {-2, 5}, QStringLiteral("a")); // mirrored, drawn
    ASSERT_EQ(list.Figures().size(), 3u);
    EXPECT_TRUE(list.Figures()[0].path.empty());
    EXPECT_TRUE(list.Figures()[1].path.empty());
    EXPECT_EQ(list.Figures()[2].path.size(), 10u);
    EXPECT_LT(list.Figures()[2].box.GetMin().x, 0.0);
}

} // namespace
