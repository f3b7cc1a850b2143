#include "section/LayoutGrid.h"

#include "geometry/Angle.h"
#include "geometry/BoxUnion.h"
#include "geometry/GeomConstants.h"
#include "geometry/Instance.h"
#include "section/LayoutStore.h"
#include "section/Section.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// How much a grid must grow from one copy to the next.
constexpr double kMinGrowth = 1e-6;

double Width(const BoundingBox& box)
{
    return box.IsEmpty() ? 0.0 : box.maxX - box.minX;
}

double Height(const BoundingBox& box)
{
    return box.IsEmpty() ? 0.0 : box.maxY - box.minY;
}

// The advance over index n in a direction: odd before every odd index, even
// before every even one from the second on.
double Advance(int n, const double (&step)[2])
{
    return ((n + 1) / 2) * step[1] + (n / 2) * step[0];
}

constexpr std::size_t kSide = LayoutGrid::kMaxIndex + 1;

std::size_t Cell(int a, int b)
{
    return static_cast<std::size_t>(a) * kSide + static_cast<std::size_t>(b);
}

bool Grows(double before, double after)
{
    return after - before >= kMinGrowth; // false for a value that is not a number
}

} // namespace

LayoutGrid::LayoutGrid(const Section& section) : section_(section) {}

LayoutFit LayoutGrid::Compute(const SavedLayout& layout, double width, double height)
{
    AutoInstance rows = layout.rows;
    AutoInstance columns = layout.columns;
    CoupleAxes(rows, columns);
    const double xAngle = rows.rotateAlternate ? Angle::Normalize(Geom::DegToRad(rows.angle)) : 0.0;
    const double yAngle = columns.rotateAlternate ? Angle::Normalize(Geom::DegToRad(columns.angle)) : 0.0;

    const BoundingBox extent = section_.GetExtents(nullptr);
    const double w = Width(extent);
    const double h = Height(extent);
    const double cx = extent.IsEmpty() ? 0.0 : (extent.minX + extent.maxX) / 2;
    const double cy = extent.IsEmpty() ? 0.0 : (extent.minY + extent.maxY) / 2;

    xStep_[1] = w + rows.gap1;
    xStep_[0] = w + rows.gap2;
    xShift_[1] = columns.shift1;
    xShift_[0] = columns.shift2;
    yShift_[1] = rows.shift1;
    yShift_[0] = rows.shift2;
    yStep_[1] = h + columns.gap1;
    yStep_[0] = h + columns.gap2;

    for (int p = 0; p < 2; ++p) {
        for (int q = 0; q < 2; ++q) {
            CInstance turn(false);
            turn.angle = Geom::RadToDeg(Angle::Normalize(p * xAngle + q * yAngle));
            turn.centreX = cx;
            turn.centreY = cy;
            BoundingBox& kind = kinds_[p][q];
            kind = section_.GetExtents(&turn);
            if (!kind.IsEmpty()) {
                kind.minX -= cx;
                kind.maxX -= cx;
                kind.minY -= cy;
                kind.maxY -= cy;
            }
        }
    }

    grid_.resize(kSide * kSide);
    inGrid_.assign(kSide * kSide, 0);
    if (!(std::isfinite(width) && std::isfinite(height) && width > 0.0 && height > 0.0))
        return {};
    const auto [lastX, lastY] = FitSheet(width, height);
    return {lastX, lastY, GetFreeFraction(width, height, lastX, lastY)};
}

BoundingBox LayoutGrid::GetInstanceRect(int a, int b) const
{
    Q_ASSERT(a >= 0 && a <= kMaxIndex && b >= 0 && b <= kMaxIndex);
    BoundingBox box = kinds_[a % 2][b % 2];
    if (box.IsEmpty())
        return box;
    const double dx = Advance(a, xStep_) + Advance(b, yShift_);
    const double dy = Advance(a, xShift_) + Advance(b, yStep_);
    box.minX += dx;
    box.maxX += dx;
    box.minY += dy;
    box.maxY += dy;
    return box;
}

BoundingBox LayoutGrid::GetGridRect(int a, int b)
{
    Q_ASSERT(a >= 0 && a <= kMaxIndex && b >= 0 && b <= kMaxIndex);
    if (inGrid_[Cell(a, b)])
        return grid_[Cell(a, b)];
    // Row by row, so the boxes to the left and below are there before each
    // box needs them; no recursion however large the grid.
    for (int j = 0; j <= b; ++j) {
        for (int i = 0; i <= a; ++i) {
            if (inGrid_[Cell(i, j)])
                continue;
            BoundingBox box = GetInstanceRect(i, j);
            if (i > 0)
                box.Unite(grid_[Cell(i - 1, j)]);
            if (j > 0)
                box.Unite(grid_[Cell(i, j - 1)]);
            grid_[Cell(i, j)] = box;
            inGrid_[Cell(i, j)] = 1;
        }
    }
    return grid_[Cell(a, b)];
}

std::pair<int, int> LayoutGrid::FitSheet(double width, double height)
{
    for (int k = 1; k <= 2; ++k) {
        if (!Grows(Width(GetGridRect(k - 1, 0)), Width(GetGridRect(k, 0))) ||
            !Grows(Height(GetGridRect(0, k - 1)), Height(GetGridRect(0, k))))
            return {0, 0};
    }
    int n = 0;
    while (n < kMaxIndex && Width(GetGridRect(n, 0)) < width)
        ++n;
    int m = 0;
    while (m < kMaxIndex && Height(GetGridRect(0, m)) < height)
        ++m;
    if (n > 0 && m > 0)
        (void)GetGridRect(n - 1, m - 1); // fills the cache for every smaller grid
    return FindBestFit(width, height);
}

std::pair<int, int> LayoutGrid::FindBestFit(double width, double height) const
{
    std::pair<int, int> best{0, 0};
    int bestCount = 1;
    for (int a = 0; a <= kMaxIndex; ++a) {
        for (int b = 0; b <= kMaxIndex; ++b) {
            const int count = (a + 1) * (b + 1);
            if (!inGrid_[Cell(a, b)] || count <= bestCount)
                continue;
            const BoundingBox& box = grid_[Cell(a, b)];
            if (Width(box) < width && Height(box) < height) {
                best = {a, b};
                bestCount = count;
            }
        }
    }
    return best;
}

double LayoutGrid::GetFreeFraction(double width, double height, int lastX, int lastY) const
{
    std::vector<BoundingBox> boxes;
    boxes.reserve(static_cast<std::size_t>(lastX + 1) * static_cast<std::size_t>(lastY + 1));
    for (int a = 0; a <= lastX; ++a) {
        for (int b = 0; b <= lastY; ++b)
            boxes.push_back(GetInstanceRect(a, b));
    }
    const double sheet = width * height;
    if (!(sheet > 0.0))
        return 0.0;
    // Copies that overlap (nested shapes) cover their common part once; a
    // copy larger than the sheet leaves nothing free, not a negative part.
    return std::max(0.0, 1.0 - Geom::UnionArea(boxes) / sheet);
}
