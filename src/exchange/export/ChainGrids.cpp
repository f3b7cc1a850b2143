#include "exchange/export/ChainGrids.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Export {
namespace {

// Ends within 1e-6 always fall into neighbouring cells of this size.
constexpr double kEndCell = 1e-3;
constexpr double kFar = 1e15; // cell numbers are clamped to this

std::int64_t ClampedFloor(double v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<std::int64_t>(std::floor(std::clamp(v, -kFar, kFar)));
}

bool Finite(const die::coord& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

double SquaredDistance(const die::coord& a, const die::coord& b)
{
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double d2 = dx * dx + dy * dy;
    return std::isnan(d2) ? std::numeric_limits<double>::infinity() : d2;
}

} // namespace

EndGrid::Cell EndGrid::CellOf(const die::coord& p)
{
    return {ClampedFloor(p.x / kEndCell), ClampedFloor(p.y / kEndCell)};
}

std::uint64_t EndGrid::Key(const Cell& c)
{
    // Mixes both cell numbers; equal keys of different cells only share a bucket.
    const auto x = static_cast<std::uint64_t>(c.x);
    const auto y = static_cast<std::uint64_t>(c.y);
    return x * 0x9E3779B97F4A7C15ull ^ (y + 0x632BE59BD9B4E019ull + (x << 6) + (x >> 2));
}

void EndGrid::Add(const Ref& ref, const die::coord& at)
{
    cells_[Key(CellOf(at))].push_back(ref);
}

void EndGrid::Remove(const Ref& ref, const die::coord& at)
{
    const auto found = cells_.find(Key(CellOf(at)));
    if (found == cells_.end())
        return;
    auto& refs = found->second;
    const auto it = std::find(refs.begin(), refs.end(), ref);
    if (it == refs.end())
        return;
    *it = refs.back();
    refs.pop_back();
    if (refs.empty())
        cells_.erase(found);
}

void NearestGrid::Add(const Ref& ref, const die::coord& at)
{
    const int index = static_cast<int>(points_.size());
    points_.push_back({ref, at, -1, static_cast<int>(alive_.size())});
    alive_.push_back(index);
    byChain_[ref.chain].push_back(index);
}

void NearestGrid::Build()
{
    double maxX = 0.0;
    double maxY = 0.0;
    bool any = false;
    for (const Point& point : points_) {
        if (!Finite(point.at))
            continue;
        if (!any) {
            minX_ = maxX = point.at.x;
            minY_ = maxY = point.at.y;
            any = true;
        }
        minX_ = std::min(minX_, point.at.x);
        minY_ = std::min(minY_, point.at.y);
        maxX = std::max(maxX, point.at.x);
        maxY = std::max(maxY, point.at.y);
    }
    const double w = maxX - minX_;
    const double h = maxY - minY_;
    const double wanted = std::max(1.0, static_cast<double>(points_.size()) / 2.0); // about two ends a cell
    size_ = w * h > 0.0 ? std::sqrt(w * h / wanted) : std::max(w, h) / wanted;
    if (!(size_ > 0.0) || !std::isfinite(size_))
        size_ = 1.0;
    // Keep the cell count near the number of ends, whatever the extent's shape.
    const double cap = 4.0 * wanted + 16.0;
    while ((std::floor(w / size_) + 1.0) * (std::floor(h / size_) + 1.0) > cap)
        size_ *= 1.5;
    columns_ = static_cast<int>(std::floor(w / size_)) + 1;
    rows_ = static_cast<int>(std::floor(h / size_)) + 1;
    cells_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), {});
    for (std::size_t i = 0; i < points_.size(); ++i) {
        Point& point = points_[i];
        if (!Finite(point.at)) {
            outside_.push_back(static_cast<int>(i));
            continue;
        }
        const int cx = std::min(columns_ - 1, static_cast<int>((point.at.x - minX_) / size_));
        const int cy = std::min(rows_ - 1, static_cast<int>((point.at.y - minY_) / size_));
        point.cell = cy * columns_ + cx;
        cells_[static_cast<std::size_t>(point.cell)].push_back(static_cast<int>(i));
    }
}

bool NearestGrid::Better(int candidate, double d2, int best, double bestD2) const
{
    if (best < 0)
        return true;
    if (d2 != bestD2)
        return d2 < bestD2;
    const Ref& a = points_[static_cast<std::size_t>(candidate)].ref;
    const Ref& b = points_[static_cast<std::size_t>(best)].ref;
    if (a.chain != b.chain)
        return a.chain < b.chain;
    return !a.atEnd && b.atEnd;
}

void NearestGrid::ScanAll(const die::coord& p, int& best, double& bestD2) const
{
    for (const int i : alive_) {
        const double d2 = SquaredDistance(points_[static_cast<std::size_t>(i)].at, p);
        if (Better(i, d2, best, bestD2)) {
            best = i;
            bestD2 = d2;
        }
    }
}

NearestGrid::Ref NearestGrid::Nearest(const die::coord& p) const
{
    int best = -1;
    double bestD2 = std::numeric_limits<double>::infinity();
    const auto consider = [&](int i) {
        const double d2 = SquaredDistance(points_[static_cast<std::size_t>(i)].at, p);
        if (Better(i, d2, best, bestD2)) {
            best = i;
            bestD2 = d2;
        }
    };
    if (!Finite(p)) {
        ScanAll(p, best, bestD2);
        return points_[static_cast<std::size_t>(best)].ref;
    }
    for (const int i : outside_) {
        if (points_[static_cast<std::size_t>(i)].alivePos >= 0)
            consider(i);
    }
    const std::int64_t cx = ClampedFloor((p.x - minX_) / size_);
    const std::int64_t cy = ClampedFloor((p.y - minY_) / size_);
    const auto gapTo = [](std::int64_t c, int count) -> std::int64_t { return c < 0 ? -c : (c >= count ? c - count + 1 : 0); };
    const std::int64_t kMin = std::max(gapTo(cx, columns_), gapTo(cy, rows_));
    const std::int64_t kMax = std::max({std::abs(cx), std::abs(cx - (columns_ - 1)), std::abs(cy), std::abs(cy - (rows_ - 1))});
    // Past this many cells a plain scan of what is left is cheaper.
    const std::size_t budget = alive_.size() + 16;
    std::size_t visited = 0;
    const auto visitCell = [&](std::int64_t i, std::int64_t j) {
        ++visited;
        for (const int point : cells_[static_cast<std::size_t>(j * columns_ + i)])
            consider(point);
    };
    for (std::int64_t k = kMin; k <= kMax; ++k) {
        // A cell of ring k lies at least (k - 1) cells away; one more for rounding.
        const double lower = static_cast<double>(k - 2) * size_;
        if (best >= 0 && lower > 0.0 && lower * lower > bestD2)
            break;
        const std::int64_t j0 = std::max<std::int64_t>(cy - k, 0);
        const std::int64_t j1 = std::min<std::int64_t>(cy + k, rows_ - 1);
        const std::int64_t i0 = std::max<std::int64_t>(cx - k, 0);
        const std::int64_t i1 = std::min<std::int64_t>(cx + k, columns_ - 1);
        for (std::int64_t j = j0; j <= j1; ++j) {
            if (j == cy - k || j == cy + k) {
                for (std::int64_t i = i0; i <= i1; ++i)
                    visitCell(i, j);
            } else {
                if (cx - k >= 0 && cx - k < columns_)
                    visitCell(cx - k, j);
                if (k > 0 && cx + k >= 0 && cx + k < columns_)
                    visitCell(cx + k, j);
            }
            ++visited;
        }
        if (visited > budget) {
            best = -1;
            bestD2 = std::numeric_limits<double>::infinity();
            ScanAll(p, best, bestD2);
            break;
        }
    }
    return points_[static_cast<std::size_t>(best)].ref;
}

void NearestGrid::RemovePoint(int index)
{
    Point& point = points_[static_cast<std::size_t>(index)];
    if (point.alivePos < 0)
        return;
    const int moved = alive_.back();
    alive_[static_cast<std::size_t>(point.alivePos)] = moved;
    points_[static_cast<std::size_t>(moved)].alivePos = point.alivePos;
    alive_.pop_back();
    point.alivePos = -1;
    if (point.cell >= 0) {
        auto& cell = cells_[static_cast<std::size_t>(point.cell)];
        const auto it = std::find(cell.begin(), cell.end(), index);
        if (it != cell.end()) {
            *it = cell.back();
            cell.pop_back();
        }
    }
}

void NearestGrid::RemoveChain(int chain)
{
    const auto found = byChain_.find(chain);
    if (found == byChain_.end())
        return;
    for (const int index : found->second)
        RemovePoint(index);
    byChain_.erase(found);
}

} // namespace Export
