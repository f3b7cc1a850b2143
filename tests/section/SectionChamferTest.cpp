// Chamfers: the cut lines and the chamfer line, the refusals, the undo step,
// and the distances the user's values give.
#include "section/ChamferDistances.h"
#include "section/EditGeometry.h"
#include "section/SectionFixture.h"

#include <cmath>
#include <numbers>

namespace {

using sectiontest::Ends;
using sectiontest::ExpectLine;
using Chamfers = sectiontest::Drawing;

constexpr double kRoot = std::numbers::sqrt2 / 2.0;

TEST_F(Chamfers, BothLinesAreCutBackAndJoinedByTheChamferLine)
{
    CLine* a = Line(-5, -5, 20, 20);
    CLine* b = Line(5, -5, -20, 20);
    ASSERT_TRUE(section.DoChampfer(a, b, 15, 15, -15, 15, 5, 5));
    ExpectLine(section, 0, {{5 * kRoot, 5 * kRoot}, {20, 20}});
    ExpectLine(section, 1, {{-5 * kRoot, 5 * kRoot}, {-20, 20}});
    ExpectLine(section, 2, {{5 * kRoot, 5 * kRoot}, {-5 * kRoot, 5 * kRoot}});
    EXPECT_NEAR(section.GetElement(2)->GetFullLength(), 5 * std::numbers::sqrt2, 2e-3);
    const UndoStep* step = undo.NextUndo();
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->title, 385);
    int replaced = 0;
    int added = 0;
    for (const UndoItem& item : step->items) {
        if (item.kind == UndoItem::Element)
            (item.operation == UndoItem::Replaced ? replaced : added) += 1;
    }
    EXPECT_EQ(replaced, 2);
    EXPECT_EQ(added, 1);

    undo.Undo();
    EXPECT_EQ(section.GetElement(0), a);
    EXPECT_EQ(section.GetElement(1), b);
    EXPECT_EQ(section.GetElement(2), nullptr);
    ExpectLine(section, 0, {{-5, -5}, {20, 20}});
}

TEST_F(Chamfers, AnAlmostZeroDistanceJoinsTheLinesAtTheCorner)
{
    CLine* a = Line(-5, -5, 20, 20);
    CLine* b = Line(5, -5, -20, 20);
    ASSERT_TRUE(section.DoChampfer(a, b, 15, 15, -15, 15, 0.0005, 5));
    ExpectLine(section, 0, {{0, 0}, {20, 20}});
    ExpectLine(section, 1, {{0, 0}, {-20, 20}});
    EXPECT_EQ(static_cast<CLine*>(section.GetElement(0))->GetStartNode(),
              static_cast<CLine*>(section.GetElement(1))->GetStartNode());
    EXPECT_EQ(section.GetElement(2), nullptr);
}

TEST_F(Chamfers, RefusalsChangeNothing)
{
    CLine* a = Line(-5, -5, 20, 20);  // 35.4 long
    CLine* b = Line(5, -5, -20, 20);
    CLine* shortKept = Line(-20, 20, 3, -3); // kept towards (3, -3): 4.2 from the corner, 32.5 long
    CLine* flat = Line(0, 50, 10, 50);
    CLine* flat2 = Line(0, 60, 10, 60);
    CArc* arc = Arc(0, 80, 10, 80, -10, 80);
    const struct {
        const char* name;
        CElement* first;
        CElement* second;
        die::coord pick2;
        double d1;
        double d2;
    } cases[] = {
        {"negative distance", a, b, {-15, 15}, -1, 5},
        {"distance not a number", a, b, {-15, 15}, std::nan(""), 5},
        {"distance the whole first line", a, b, {-15, 15}, 25 * std::numbers::sqrt2 + 0.001, 5},
        {"second distance the whole second line", a, b, {-15, 15}, 5, 40},
        // Within the line's length, but past the end that stays.
        {"distance past the kept end", a, shortKept, {2, -2}, 5, 6},
        {"the same line twice", a, a, {15, 15}, 5, 5},
        {"parallel lines", flat, flat2, {5, 60}, 1, 1},
        {"an arc", a, arc, {0, 90}, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CElement*> before = Elements();
        const int nodesBefore = nodes.GetCount();
        EXPECT_FALSE(section.DoChampfer(c.first, c.second, 15, 15, c.pick2.x, c.pick2.y, c.d1, c.d2));
        EXPECT_EQ(Elements(), before);
        EXPECT_EQ(nodes.GetCount(), nodesBefore);
        EXPECT_EQ(undo.GetUndoCount(), 0);
    }
}

TEST_F(Chamfers, WithoutATransactionPassedInItsStepIsItsOwn)
{
    CLine* a = Line(-5, -5, 20, 20);
    CLine* b = Line(5, -5, -20, 20);
    undo.Open(999, &section);
    Line(50, 50, 60, 60);
    ASSERT_TRUE(section.DoChampfer(a, b, 15, 15, -15, 15, 5, 5));
    EXPECT_FALSE(undo.HasOpenStep());
    ASSERT_EQ(undo.GetUndoCount(), 2);
    EXPECT_EQ(undo.NextUndo()->title, 385);
}

TEST(ChamferAttempts, EachCombinationOfGivenValuesInItsOrder)
{
    const double right = std::numbers::pi / 2.0;
    const struct {
        const char* name;
        ChamferValues values;
        double gamma;
        std::vector<std::pair<double, double>> pairs;
    } cases[] = {
        {"nothing given", {}, right, {}},
        {"both distances", {4, 6, 0, 0, 0}, right, {{4, 6}}},
        {"first distance and the length: 3, 4, 5", {3, 0, 5, 0, 0}, right, {{3, 4}}},
        {"second distance and the length", {0, 3, 5, 0, 0}, right, {{4, 3}}},
        {"a length too short to cross the corner", {10, 0, 5, 0, 0}, right, {}},
        {"first angle 135 and the length", {0, 0, 10, 135, 0}, right, {{10 * kRoot, 10 * kRoot}}},
        {"second angle 135 and the length", {0, 0, 10, 0, 135}, right, {{10 * kRoot, 10 * kRoot}}},
        {"an angle past the corner gives a negative distance", {0, 0, 10, 45, 0}, right, {{-10 * kRoot, 10 * kRoot}}},
        {"first distance and first angle", {5, 0, 0, 135, 0}, right, {{5, 5}}},
        {"first distance and second angle", {5, 0, 0, 0, 120}, right, {{5, 5 / std::tan(std::numbers::pi / 3)}}},
        {"second distance and first angle", {0, 5, 0, 120, 0}, right, {{5 / std::tan(std::numbers::pi / 3), 5}}},
        {"second distance and second angle", {0, 5, 0, 0, 135}, right, {{5, 5}}},
        {"distances and length: three rows in order", {3, 4, 5, 0, 0}, right, {{3, 4}, {3, 4}, {3, 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto pairs = ChamferAttempts(c.values, c.gamma);
        ASSERT_EQ(pairs.size(), c.pairs.size());
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            EXPECT_NEAR(pairs[i].first, c.pairs[i].first, 1e-9);
            EXPECT_NEAR(pairs[i].second, c.pairs[i].second, 1e-9);
        }
    }
}

TEST_F(Chamfers, TheUsersValuesAreTriedUntilOneCombinationIsMade)
{
    CLine* a = Line(0, 0, 30, 0);
    CLine* b = Line(0, 0, 0, 30);
    // The first distance reaches past the line: the angle and the length
    // make it, by the corner angle rounded up to 1.571.
    ChamferValues values{40, 0, 10, 135, 0};
    EXPECT_EQ(section.ChamferByValues(a, b, 20, 0, 0, 20, values), Section::ChamferOutcome::Made);
    const double gamma = 1.571;
    const double alpha = std::numbers::pi / 4;
    const double along1 = std::sin(std::numbers::pi - (gamma + alpha)) * 10 / std::sin(gamma);
    const double along2 = std::sin(alpha) * 10 / std::sin(gamma);
    ExpectLine(section, 0, {{along1, 0}, {30, 0}});
    ExpectLine(section, 1, {{0, along2}, {0, 30}});
    EXPECT_EQ(undo.GetUndoCount(), 1);

    CLine* c = Line(100, 0, 130, 0);
    CLine* d = Line(100, 0, 100, 30);
    EXPECT_EQ(section.ChamferByValues(c, d, 120, 0, 100, 20, ChamferValues{}), Section::ChamferOutcome::NoCombination);
    EXPECT_EQ(section.ChamferByValues(c, d, 120, 0, 100, 20, ChamferValues{40, 40, 0, 0, 0}),
              Section::ChamferOutcome::NoCombination);
    CLine* e = Line(100, 10, 130, 10);
    EXPECT_EQ(section.ChamferByValues(c, e, 120, 0, 120, 10, ChamferValues{1, 1, 0, 0, 0}),
              Section::ChamferOutcome::Ignored);
    EXPECT_EQ(undo.GetUndoCount(), 1);
}

} // namespace
