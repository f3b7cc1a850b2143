// The outline builder's graph and contour steps look segments up in grids;
// on small random figures they must give exactly what comparing every pair
// gives. The plain steps below are that comparison, step by step as the
// builder was first written, and serve as the reference.
#include "element/OutlineBuilder.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomLinesCircles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using Segment = OutlineBuilder::Segment;

constexpr double kOnSegment = 0.01;
constexpr double kSplitMargin = 0.02;
constexpr double kSameEnd = 0.003;

bool Crossing(const Segment& a, const Segment& b, die::coord& p)
{
    if (Geom::SolveLineLine(a.from.x, a.from.y, a.to.x, a.to.y, b.from.x, b.from.y, b.to.x, b.to.y, p.x, p.y) == 0)
        return false;
    return Geom::IsPointBetween(p.x, p.y, a.from.x, a.from.y, a.to.x, a.to.y, kOnSegment)
           && Geom::IsPointBetween(p.x, p.y, b.from.x, b.from.y, b.to.x, b.to.y, kOnSegment);
}

void PlainSplit(OutlineBuilder& b)
{
    for (int s = 0; s < b.Count(); ++s)
        b.GetSegment(s).splitVisited = false;
    for (int j = 0; j < b.Count();) {
        Segment& s = b.GetSegment(j);
        if (s.splitVisited || s.excluded) {
            ++j;
            continue;
        }
        s.splitVisited = true;
        bool split = false;
        for (int k = 0; k < b.Count() && !split; ++k) {
            const Segment& other = b.GetSegment(k);
            die::coord p;
            if (k == j || other.excluded || !Crossing(b.GetSegment(j), other, p))
                continue;
            if (die::distance(p, b.GetSegment(j).from) < kSplitMargin
                || die::distance(p, b.GetSegment(j).to) < kSplitMargin)
                continue;
            b.SplitSegment(j, p);
            split = true;
        }
        if (!split)
            ++j;
    }
}

void PlainDuplicates(OutlineBuilder& b)
{
    const auto same = [](const die::coord& x, const die::coord& y) { return die::distance(x, y) <= kSameEnd; };
    for (int i = 0; i < b.Count();) {
        const Segment& a = b.GetSegment(i);
        bool doubled = false;
        for (int j = i + 1; j < b.Count() && !doubled; ++j) {
            const Segment& c = b.GetSegment(j);
            doubled = (same(a.from, c.from) && same(a.to, c.to)) || (same(a.from, c.to) && same(a.to, c.from));
        }
        if (doubled)
            b.RemoveSegment(i);
        else
            ++i;
    }
}

int EndAt(const OutlineBuilder& b, int s, const die::coord& p)
{
    const Segment& seg = b.GetSegment(s);
    const double ds = die::distance(seg.from, p);
    const double de = die::distance(seg.to, p);
    if (std::min(ds, de) > b.EndTolerance())
        return -1;
    return ds < de ? 0 : 1;
}

void PlainLinks(OutlineBuilder& b)
{
    for (int j = 0; j < b.Count(); ++j) {
        Segment& s = b.GetSegment(j);
        s.startNeighbours.clear();
        s.endNeighbours.clear();
        for (int k = 0; k < b.Count(); ++k) {
            if (k == j)
                continue;
            if (EndAt(b, k, s.from) >= 0)
                s.startNeighbours.push_back(k);
            if (EndAt(b, k, s.to) >= 0)
                s.endNeighbours.push_back(k);
        }
    }
    for (int j = 0; j < b.Count(); ++j) {
        Segment& s = b.GetSegment(j);
        for (;;) {
            const auto both = std::find_if(s.startNeighbours.begin(), s.startNeighbours.end(), [&](int k) {
                return std::find(s.endNeighbours.begin(), s.endNeighbours.end(), k) != s.endNeighbours.end();
            });
            if (both == s.startNeighbours.end())
                break;
            const int k = *both;
            const Segment& other = b.GetSegment(k);
            const double toStart = std::min(die::distance(other.from, s.from), die::distance(other.to, s.from));
            const double toEnd = std::min(die::distance(other.from, s.to), die::distance(other.to, s.to));
            if (toStart > toEnd)
                std::erase(s.startNeighbours, k);
            else
                std::erase(s.endNeighbours, k);
        }
    }
}

void PlainPrune(OutlineBuilder& b)
{
    for (;;) {
        int found = -1;
        for (int s = 0; s < b.Count() && found < 0; ++s) {
            const Segment& seg = b.GetSegment(s);
            if (!seg.excluded && (seg.startNeighbours.empty() || seg.endNeighbours.empty()))
                found = s;
        }
        if (found < 0)
            return;
        b.RemoveSegmentAndLinks(found, false);
    }
}

void PlainApply(OutlineBuilder& b)
{
    PairListTable& contours = b.Contours();
    for (int s = 0; s < b.Count(); ++s) {
        const int position = contours.IndexOfFirst(0, s);
        Segment& seg = b.GetSegment(s);
        seg.contourPosition = position;
        seg.directionFlag = position >= 0 && contours.HasPairWithOne(0, s);
    }
    for (int s = b.Count() - 1; s >= 0; --s) {
        if (b.GetSegment(s).contourPosition < 0)
            b.RemoveSegmentAndLinks(s, false);
    }
    contours.Clear();
    for (int s = 0; s < b.Count(); ++s) {
        Segment& seg = b.GetSegment(s);
        if (seg.directionFlag) {
            std::swap(seg.from, seg.to);
            std::swap(seg.startNeighbours, seg.endNeighbours);
        }
    }
    for (int l = 0; l < b.Count(); ++l) {
        int lowest = l;
        for (int s = l + 1; s < b.Count(); ++s) {
            if (b.GetSegment(s).contourPosition < b.GetSegment(lowest).contourPosition)
                lowest = s;
        }
        b.SwapSegments(l, lowest);
    }
}

void ExpectSame(const OutlineBuilder& fast, const OutlineBuilder& plain, int figure)
{
    ASSERT_EQ(fast.Count(), plain.Count()) << "figure " << figure;
    for (int s = 0; s < fast.Count(); ++s) {
        const Segment& a = fast.GetSegment(s);
        const Segment& b = plain.GetSegment(s);
        EXPECT_EQ(a.from, b.from) << "figure " << figure << " segment " << s;
        EXPECT_EQ(a.to, b.to) << "figure " << figure << " segment " << s;
        EXPECT_EQ(a.startNeighbours, b.startNeighbours) << "figure " << figure << " segment " << s;
        EXPECT_EQ(a.endNeighbours, b.endNeighbours) << "figure " << figure << " segment " << s;
        EXPECT_EQ(a.excluded, b.excluded) << "figure " << figure << " segment " << s;
        EXPECT_EQ(a.directionFlag, b.directionFlag) << "figure " << figure << " segment " << s;
        EXPECT_EQ(a.contourPosition, b.contourPosition) << "figure " << figure << " segment " << s;
        EXPECT_EQ(a.sourceSlot, b.sourceSlot) << "figure " << figure << " segment " << s;
    }
}

// Segments between a few points of a coarse grid, some ends moved by less
// than the end tolerance and some by more, so that the figures cross, touch,
// double and leave gaps, with crossings near ends and dangling pieces; and
// sometimes one very long segment that the grid keeps apart.
OutlineBuilder RandomFigure(std::mt19937& engine)
{
    std::uniform_int_distribution<int> count(3, 24);
    std::uniform_int_distribution<int> grid(0, 6);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<die::coord> points;
    for (int p = 0; p < 7; ++p)
        points.push_back({grid(engine) * 5.0, grid(engine) * 5.0});
    std::uniform_int_distribution<std::size_t> pick(0, points.size() - 1);
    const auto jitter = [&](die::coord c) {
        const double u = unit(engine);
        if (u < 0.15)
            return c + die::coord{0.004 * (unit(engine) - 0.5), 0.004 * (unit(engine) - 0.5)};
        if (u < 0.2)
            return c + die::coord{0.03 * unit(engine), 0.0};
        return c;
    };
    OutlineBuilder b;
    const int n = count(engine);
    for (int s = 0; s < n; ++s) {
        const die::coord from = jitter(points[pick(engine)]);
        const die::coord to = jitter(points[pick(engine)]);
        if (die::distance(from, to) < 0.5)
            continue;
        const int index = b.AddSegment(from.x, from.y, to.x, to.y, nullptr, 0, false, nullptr);
        b.GetSegment(index).sourceSlot = s;
    }
    // Now and then a rule far longer than the others runs across the figure
    // and crosses many of them.
    if (unit(engine) < 0.2) {
        const double y = grid(engine) * 5.0 + 2.5;
        const int index = b.AddSegment(-3000.0, y, 3000.0, y + unit(engine), nullptr, 0, false, nullptr);
        b.GetSegment(index).sourceSlot = n;
    }
    return b;
}

TEST(OutlineGraphProperty, GridStepsGiveTheGraphAndContourOfComparingAllPairs)
{
    std::mt19937 engine(2024);
    int contours = 0;
    for (int figure = 0; figure < 400; ++figure) {
        OutlineBuilder fast = RandomFigure(engine);
        OutlineBuilder plain = fast;
        fast.BuildGraph();
        PlainSplit(plain);
        PlainDuplicates(plain);
        PlainLinks(plain);
        PlainPrune(plain);
        ExpectSame(fast, plain, figure);
        if (::testing::Test::HasFailure())
            return;
        const bool found = fast.FindContour(1, 2);
        ASSERT_EQ(found, plain.FindContour(1, 2)) << "figure " << figure;
        if (!found)
            continue;
        ++contours;
        fast.ApplyContour();
        PlainApply(plain);
        ExpectSame(fast, plain, figure);
        if (::testing::Test::HasFailure())
            return;
    }
    // The figures are varied enough that many have a contour.
    EXPECT_GT(contours, 50);
}

// Removing many segments at once keeps the links as removing them one at a
// time does, upwards or downwards, with excluded segments among them (their
// lists keep entries of removed segments, renumbered).
TEST(OutlineGraphProperty, RemovingManyAtOnceIsRemovingOneAfterAnother)
{
    std::mt19937 engine(77);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int figure = 0; figure < 200; ++figure) {
        OutlineBuilder base = RandomFigure(engine);
        PlainSplit(base);
        PlainLinks(base);
        std::vector<char> gone(static_cast<std::size_t>(base.Count()), 0);
        for (int s = 0; s < base.Count(); ++s) {
            base.GetSegment(s).excluded = unit(engine) < 0.2;
            gone[static_cast<std::size_t>(s)] = unit(engine) < 0.4 ? 1 : 0;
        }
        for (const bool upwards : {true, false}) {
            OutlineBuilder bulk = base;
            OutlineBuilder single = base;
            bulk.RemoveSegmentsAndLinks(gone);
            int removed = 0;
            for (int k = 0; k < base.Count(); ++k) {
                const int s = upwards ? k : base.Count() - 1 - k;
                if (!gone[static_cast<std::size_t>(s)])
                    continue;
                single.RemoveSegmentAndLinks(upwards ? s - removed : s, false);
                ++removed;
            }
            ExpectSame(bulk, single, figure);
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

} // namespace
