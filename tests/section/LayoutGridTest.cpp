#include "section/LayoutGrid.h"
#include "section/LayoutStore.h"
#include "section/SectionFixture.h"

#include <limits>
#include <vector>

namespace {

using sectiontest::Drawing;

// A layer of 40 × 20 mm about its centre (20, 10).
class LayoutFitting : public Drawing {
protected:
    LayoutFitting() { Line(0, 0, 40, 20); }

    static SavedLayout Layout(double xGap1 = 0, double xGap2 = 0, bool xTurns = false, double yGap1 = 0)
    {
        SavedLayout layout;
        layout.rows.gap1 = xGap1;
        layout.rows.gap2 = xGap2;
        layout.rows.rotateAlternate = xTurns;
        layout.rows.angle = 90;
        layout.columns.gap1 = yGap1;
        return layout;
    }

    LayoutGrid grid{section};
};

TEST_F(LayoutFitting, CopyBoxesFollowTheSteps)
{
    SavedLayout staggered = Layout();
    staggered.columns.shift1 = 10;
    struct Case {
        const char* what;
        SavedLayout layout;
        // The boxes of copies (0, 0) to (3, 0) and (0, 1): min x, min y, max x, max y.
        std::vector<std::vector<double>> boxes;
    };
    const Case cases[] = {
        {"gaps of 5",
         Layout(5),
         {{-20, -10, 20, 10}, {25, -10, 65, 10}, {70, -10, 110, 10}, {115, -10, 155, 10}, {-20, 10, 20, 30}}},
        // The odd copies turned by 90° about the centre stand 20 wide and 40 high.
        {"every second turned, two gaps",
         Layout(2, 7, true),
         {{-20, -10, 20, 10}, {32, -20, 52, 20}, {69, -10, 109, 10}, {121, -20, 141, 20}, {-20, 10, 20, 30}}},
        {"odd copies moved up",
         staggered,
         {{-20, -10, 20, 10}, {20, 0, 60, 20}, {60, -10, 100, 10}, {100, 0, 140, 20}, {-20, 10, 20, 30}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        (void)grid.Compute(c.layout, 1000, 1000);
        const int index[][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}};
        for (int k = 0; k < 5; ++k) {
            const BoundingBox box = grid.GetInstanceRect(index[k][0], index[k][1]);
            const std::vector<double> expected = c.boxes[static_cast<std::size_t>(k)];
            EXPECT_NEAR(box.minX, expected[0], 1e-9) << "copy " << k;
            EXPECT_NEAR(box.minY, expected[1], 1e-9) << "copy " << k;
            EXPECT_NEAR(box.maxX, expected[2], 1e-9) << "copy " << k;
            EXPECT_NEAR(box.maxY, expected[3], 1e-9) << "copy " << k;
        }
        // The grid box of (3, 1) holds every copy up to there.
        const BoundingBox all = grid.GetGridRect(3, 1);
        BoundingBox united;
        for (int a = 0; a <= 3; ++a)
            for (int b = 0; b <= 1; ++b)
                united.Unite(grid.GetInstanceRect(a, b));
        EXPECT_EQ(all.GetMin(), united.GetMin());
        EXPECT_EQ(all.GetMax(), united.GetMax());
    }
}

TEST_F(LayoutFitting, FindsTheLargestGridThatFitsAndTheFreePart)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        SavedLayout layout;
        double width, height;
        LayoutFit fit;
    };
    const Case cases[] = {
        {"two by two", Layout(), 100, 50, {1, 1, 1.0 - 3200.0 / 5000.0}},
        {"gaps count", Layout(15, 0, false, 15), 100, 60, {1, 1, 1.0 - 3200.0 / 6000.0}},
        {"copies must be narrower than the sheet", Layout(), 80, 40, {0, 0, 0.75}},
        {"one row of four", Layout(), 161, 39, {3, 0, 1.0 - 3200.0 / 6279.0}},
        // Three copies 10 mm apart share [20, 40]: the part they cover is
        // 60 × 20, not the sum of their areas less the pairs' overlaps.
        {"nested copies cover their common part once", Layout(-30), 65, 30, {2, 0, 1.0 - 1200.0 / 1950.0}},
        {"a layout that does not advance", Layout(-40), 1000, 1000, {0, 0, 1.0 - 800.0 / 1e6}},
        // One copy larger than the sheet leaves nothing free.
        {"a sheet smaller than one copy", Layout(), 30, 10, {0, 0, 0.0}},
        {"a sheet without area", Layout(), 0, 100, {0, 0, 0.0}},
        {"a sheet of negative sides", Layout(), -100, -100, {0, 0, 0.0}},
        {"an endless sheet", Layout(), inf, inf, {0, 0, 0.0}},
    };
    for (const Case& c : cases) {
        const LayoutFit fit = grid.Compute(c.layout, c.width, c.height);
        EXPECT_EQ(fit.lastX, c.fit.lastX) << c.what;
        EXPECT_EQ(fit.lastY, c.fit.lastY) << c.what;
        EXPECT_NEAR(fit.freeFraction, c.fit.freeFraction, 1e-12) << c.what;
    }
}

TEST_F(LayoutFitting, TurnedCopiesNeedTheirOwnRoom)
{
    // Two plain copies side by side are 80 × 20; with the second turned by
    // 90° they are 70 × 40, too high for the sheet.
    const LayoutFit plain = grid.Compute(Layout(), 90, 30);
    EXPECT_EQ(plain.lastX, 1);
    EXPECT_EQ(plain.lastY, 0);
    const LayoutFit turned = grid.Compute(Layout(0, 0, true), 90, 30);
    EXPECT_EQ(turned.lastX, 0);
    EXPECT_EQ(turned.lastY, 0);
}

TEST_F(LayoutFitting, AnEmptyLayerFitsNothing)
{
    Drawing::section.DeleteElement(0);
    const LayoutFit fit = grid.Compute(Layout(5), 1000, 1000);
    EXPECT_EQ(fit.lastX, 0);
    EXPECT_EQ(fit.lastY, 0);
    EXPECT_EQ(fit.freeFraction, 1.0);
}

TEST_F(LayoutFitting, TheSearchStopsAtTheLargestCount)
{
    const LayoutFit fit = grid.Compute(Layout(), 1e6, 1e6);
    EXPECT_EQ(fit.lastX, LayoutGrid::kMaxIndex - 1);
    EXPECT_EQ(fit.lastY, LayoutGrid::kMaxIndex - 1);
    EXPECT_NEAR(fit.freeFraction, 1.0 - 300.0 * 300.0 * 800.0 / 1e12, 1e-12);
}

} // namespace
