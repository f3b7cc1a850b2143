#include "view/PrintLayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// 200 × 287 mm printable at 10 pixels per millimetre.
constexpr PrintArea kArea{2000, 2870, 10.0};

ViewExtents Box(double left, double bottom, double width, double height)
{
    return {left, bottom + height, left + width, bottom};
}

struct TilingCase {
    const char* name;
    double width;
    double height;
    int overlap;
    int columns;
    int rows;
};

TEST(PrintLayout, TilesOneToOne)
{
    const TilingCase cases[] = {
        {"narrower than the page", 150, 100, 10, 1, 1},
        {"exactly the page", 200, 287, 10, 1, 1},
        {"one millimetre wider", 201, 100, 10, 2, 1},
        {"three by two", 580, 288, 10, 3, 2},
        {"one more millimetre needs a fourth column", 581, 100, 10, 4, 1},
        {"no overlap", 400, 100, 0, 2, 1},
        {"overlap equal to the page height, beyond its width", 1000, 1000, 287, 1, 1},
        {"overlap equal to the page width only", 1000, 100, 200, 1, 1},
        {"overlap beyond the page", 1000, 1000, 500, 1, 1},
        {"empty drawing", 0, 0, 10, 1, 1},
    };
    for (const TilingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintPlan plan = PlanPrint({1, c.overlap, false, false}, kArea, Box(-30, 40, c.width, c.height), {});
        EXPECT_TRUE(plan.tiled);
        EXPECT_DOUBLE_EQ(plan.scale, 10.0);
        EXPECT_EQ(plan.columns, c.columns);
        EXPECT_EQ(plan.rows, c.rows);
    }
}

TEST(PrintLayout, TilePagesStepByThePageLessTheOverlap)
{
    const PrintPlan plan = PlanPrint({1, 10, false, false}, kArea, Box(-30, 40, 580, 288), {});
    ASSERT_EQ(plan.PageCount(), 6);
    // Page 1 of the top row: the strip 190 mm to the right of the first.
    EXPECT_EQ(PageOrigin(plan, 0).x, 300);
    EXPECT_EQ(PageOrigin(plan, 0).y, 3280);
    EXPECT_EQ(PageOrigin(plan, 1).x, 300 - 1900);
    EXPECT_EQ(PageOrigin(plan, 2).x, 300 - 3800);
    // Page 3 starts the second row: 277 mm further down the drawing.
    EXPECT_EQ(PageOrigin(plan, 3).x, 300);
    EXPECT_EQ(PageOrigin(plan, 3).y, 3280 - 2770);
}

TEST(PrintLayout, AnOverlapBeyondTheDrawingNeverGivesAHugePageCount)
{
    // 1 mm pages with 0.999 mm steps would be millions of pages per side.
    const PrintPlan plan = PlanPrint({1, 0, false, false}, {10, 10, 10.0}, Box(0, 0, 1.0e9, 1.0e9), {});
    EXPECT_GT(plan.PageCount(), 1);
    EXPECT_LE(plan.columns, 10000);
    EXPECT_LE(plan.rows, 10000);
}

std::set<std::string> MarkedCorners(const PrintPlan& plan, int page)
{
    const int f = 50; // half of 10 mm at 10 pixels per millimetre
    std::set<std::string> corners;
    for (const PrintStroke& s : CornerMarks(plan, kArea, page)) {
        const int cx = (s.from.x + s.to.x) / 2;
        const int cy = (s.from.y + s.to.y) / 2;
        EXPECT_EQ(std::abs(s.to.x - s.from.x) + std::abs(s.to.y - s.from.y), 2 * f);
        const std::string x = cx == f ? "L" : cx == kArea.widthPx - f ? "R" : "?";
        const std::string y = cy == f ? "T" : cy == kArea.heightPx - f ? "B" : "?";
        corners.insert(y + x);
    }
    return corners;
}

TEST(PrintLayout, CornerMarksOnlyWhereNeighboursMeet)
{
    const PrintPlan single = PlanPrint({1, 10, false, false}, kArea, Box(0, 0, 150, 100), {});
    EXPECT_TRUE(CornerMarks(single, kArea, 0).empty());

    const PrintPlan tiled = PlanPrint({1, 10, false, false}, kArea, Box(0, 0, 580, 288), {});
    const std::set<std::string> expected[6] = {
        {"TR", "BL", "BR"}, {"TL", "TR", "BL", "BR"}, {"TL", "BL", "BR"},
        {"TL", "TR", "BR"}, {"TL", "TR", "BL", "BR"}, {"TL", "TR", "BL"},
    };
    for (int page = 0; page < 6; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(MarkedCorners(tiled, page), expected[page]);
    }

    // Fitted pages are never marked.
    const PrintPlan fitted = PlanPrint({2, 10, false, false}, kArea, Box(0, 0, 580, 288), {});
    EXPECT_TRUE(CornerMarks(fitted, kArea, 0).empty());
}

struct FitCase {
    const char* name;
    PrintSettings settings;
    ViewExtents extents;
    PrintViewState view;
    double scale;
    platform::DevicePoint origin;
};

TEST(PrintLayout, FittedOrigins)
{
    // Usable area 1990 × 2860 pixels.
    const PrintViewState view{400, 200, 2.0, {100, 150}};
    const FitCase cases[] = {
        {"mode 2 empty drawing", {2, 10, false, false}, {}, view, 1.0, {5, 5}},
        {"mode 2 empty drawing centred", {2, 10, true, true}, {}, view, 1.0, {995 + 5, 1430 + 5}},
        // 199 × 50 mm from (10, 20): 10 pixels per mm across.
        {"mode 2", {2, 10, false, false}, Box(10, 20, 199, 50), view, 10.0, {-100 + 5, 700 + 5}},
        {"mode 2 centred", {2, 10, true, true}, Box(10, 20, 199, 50), view, 10.0,
         {995 - 1095 + 5, 450 + 1430 + 5}},
        {"mode 2 a line across", {2, 10, false, false}, Box(0, 0, 199, 0), view, 10.0, {5, 5}},
        // The view shows 200 × 100 mm: 9.95 pixels per mm; 1 mm = 0.5 px.
        {"mode 3", {3, 10, false, false}, Box(0, 0, 1, 1), view, 9.95, {497 + 5, 746 + 5}},
        {"mode 3 centred", {3, 10, true, true}, Box(0, 0, 1, 1), view, 9.95, {497 + 5, 746 + 932 + 5}},
        {"mode 3 zoom 0", {3, 10, false, false}, {}, {400, 200, 0.0, {0, 0}}, 4.975, {5, 5}},
        {"mode 3 no client", {3, 10, false, false}, {}, {0, 0, 2.0, {10, 10}}, 1.0, {10, 10}},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintPlan plan = PlanPrint(c.settings, kArea, c.extents, c.view);
        EXPECT_FALSE(plan.tiled);
        EXPECT_EQ(plan.PageCount(), 1);
        EXPECT_NEAR(plan.scale, c.scale, 1e-9);
        EXPECT_EQ(plan.origin.x, c.origin.x);
        EXPECT_EQ(plan.origin.y, c.origin.y);
    }
}

TEST(PrintLayout, MirroredExtentsSwapTheirEdges)
{
    const ViewExtents e = Box(10, 20, 100, 50);
    const ViewExtents x = OrientExtents(e, true, false);
    EXPECT_EQ(x.left, -110);
    EXPECT_EQ(x.right, -10);
    EXPECT_EQ(x.top, 70);
    const ViewExtents y = OrientExtents(e, false, true);
    EXPECT_EQ(y.top, -20);
    EXPECT_EQ(y.bottom, -70);
}

} // namespace
