// The outline builder's graph and its walks: CollectContours cleans the fed
// segments into a graph of closed paths, FindContour and PickContourAt walk
// it, ApplyContour keeps the contour found.
#include "element/OutlineBuilder.h"

#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "geometry/GeomLinesCircles.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace {

// A crossing lies on a segment within this much (mm).
constexpr double kOnSegment = 0.01;
// A segment is split only this far (mm) from its ends.
constexpr double kSplitMargin = 0.02;
// Segment ends this close (mm) count as one point for doubles.
constexpr double kSameEnd = 0.003;
// The picking ray reaches this far (mm) above the highest end.
constexpr double kRayReach = 100.0;

// The meeting point of the two segments' lines, when it lies on both.
bool Crossing(const OutlineBuilder::Segment& a, const OutlineBuilder::Segment& b, die::coord& p)
{
    if (Geom::SolveLineLine(a.from.x, a.from.y, a.to.x, a.to.y, b.from.x, b.from.y, b.to.x, b.to.y, p.x, p.y) == 0)
        return false;
    return Geom::IsPointBetween(p.x, p.y, a.from.x, a.from.y, a.to.x, a.to.y, kOnSegment)
           && Geom::IsPointBetween(p.x, p.y, b.from.x, b.from.y, b.to.x, b.to.y, kOnSegment);
}

// The direction in which a segment leaves `from` towards `to`.
double Leaving(const die::coord& from, const die::coord& to)
{
    return Geom::VectorAngle(to.y - from.y, to.x - from.x);
}

const die::coord& EndPoint(const OutlineBuilder::Segment& s, int end)
{
    return end == 0 ? s.from : s.to;
}

} // namespace

int OutlineBuilder::CollectContours(int lineTypeFilter)
{
    segments_.clear();
    if (source_)
        source_->FeedOutline(*this, lineTypeFilter);
    SplitAtCrossings();
    RemoveDuplicates();
    LinkEnds();
    PruneDangling();
    return Count();
}

void OutlineBuilder::SplitAtCrossings()
{
    for (Segment& s : segments_)
        s.splitVisited = false;
    for (int j = 0; j < Count();) {
        Segment& s = GetSegment(j);
        if (s.splitVisited || s.excluded) {
            ++j;
            continue;
        }
        s.splitVisited = true;
        bool split = false;
        for (int k = 0; k < Count() && !split; ++k) {
            const Segment& other = GetSegment(k);
            die::coord p;
            if (k == j || other.excluded || !Crossing(GetSegment(j), other, p))
                continue;
            if (die::distance(p, GetSegment(j).from) < kSplitMargin || die::distance(p, GetSegment(j).to) < kSplitMargin)
                continue;
            SplitSegment(j, p);
            split = true;
        }
        if (!split)
            ++j;
        // else: the segment now at j is looked at next.
    }
}

void OutlineBuilder::RemoveDuplicates()
{
    const auto same = [](const die::coord& a, const die::coord& b) { return die::distance(a, b) <= kSameEnd; };
    for (int i = 0; i < Count();) {
        const Segment& a = GetSegment(i);
        bool doubled = false;
        for (int j = i + 1; j < Count() && !doubled; ++j) {
            const Segment& b = GetSegment(j);
            doubled = (same(a.from, b.from) && same(a.to, b.to)) || (same(a.from, b.to) && same(a.to, b.from));
        }
        if (doubled)
            RemoveSegment(i); // the later one stays; look again at index i
        else
            ++i;
    }
}

int OutlineBuilder::EndAt(int s, const die::coord& p) const
{
    const Segment& seg = GetSegment(s);
    const double ds = die::distance(seg.from, p);
    const double de = die::distance(seg.to, p);
    if (std::min(ds, de) > endTolerance_)
        return -1;
    return ds < de ? 0 : 1; // the end on a tie
}

void OutlineBuilder::LinkEnds()
{
    for (int j = 0; j < Count(); ++j) {
        Segment& s = GetSegment(j);
        s.startNeighbours.clear();
        s.endNeighbours.clear();
        for (int k = 0; k < Count(); ++k) {
            if (k == j)
                continue;
            if (EndAt(k, s.from) >= 0)
                s.startNeighbours.push_back(k);
            if (EndAt(k, s.to) >= 0)
                s.endNeighbours.push_back(k);
        }
    }
    // A segment linked at both ends of another (a very short one) stays in
    // the list of the end it lies nearer to.
    for (int j = 0; j < Count(); ++j) {
        Segment& s = GetSegment(j);
        for (;;) {
            const auto both = std::find_if(s.startNeighbours.begin(), s.startNeighbours.end(), [&](int k) {
                return std::find(s.endNeighbours.begin(), s.endNeighbours.end(), k) != s.endNeighbours.end();
            });
            if (both == s.startNeighbours.end())
                break;
            const int k = *both;
            const Segment& other = GetSegment(k);
            const double toStart = std::min(die::distance(other.from, s.from), die::distance(other.to, s.from));
            const double toEnd = std::min(die::distance(other.from, s.to), die::distance(other.to, s.to));
            if (toStart > toEnd)
                std::erase(s.startNeighbours, k);
            else
                std::erase(s.endNeighbours, k);
        }
    }
}

void OutlineBuilder::PruneDangling()
{
    for (;;) {
        const auto it = std::find_if(segments_.begin(), segments_.end(), [](const Segment& s) {
            return !s.excluded && (s.startNeighbours.empty() || s.endNeighbours.empty());
        });
        if (it == segments_.end())
            return;
        RemoveSegmentAndLinks(static_cast<int>(it - segments_.begin()), false);
    }
}

bool OutlineBuilder::NextSegment(int s, int end, int mode, int& next, int& nextEnd) const
{
    const Segment& seg = GetSegment(s);
    const die::coord& p = EndPoint(seg, end);
    const double back = Leaving(p, EndPoint(seg, 1 - end));
    double best = std::numeric_limits<double>::infinity();
    next = -1;
    for (int k : end == 0 ? seg.startNeighbours : seg.endNeighbours) {
        const Segment& other = GetSegment(k);
        if (other.excluded)
            continue;
        const int at = EndAt(k, p);
        if (at < 0)
            continue;
        const double h = Leaving(EndPoint(other, at), EndPoint(other, 1 - at));
        double l = h < back ? back - h : back + Geom::kTwoPi - h;
        if (mode == 1)
            l = Geom::kTwoPi - l;
        if (l < best) {
            best = l;
            next = k;
            nextEnd = 1 - at;
        }
    }
    return next >= 0;
}

bool OutlineBuilder::FindStart(int& segment, int& end) const
{
    int owner = -1;
    int ownerEnd = 0;
    for (int s = 0; s < Count(); ++s) {
        const Segment& seg = GetSegment(s);
        if (seg.excluded)
            continue;
        for (int e = 0; e < 2; ++e) {
            if (owner < 0 || EndPoint(seg, e).x > EndPoint(GetSegment(owner), ownerEnd).x) {
                owner = s;
                ownerEnd = e;
            }
        }
    }
    if (owner < 0)
        return false;
    // Of the owner and its neighbours there, the one leaving the point with
    // the smallest direction; the walk arrives at the point along it.
    const Segment& o = GetSegment(owner);
    const die::coord p = EndPoint(o, ownerEnd);
    segment = owner;
    end = ownerEnd;
    double best = Leaving(p, EndPoint(o, 1 - ownerEnd));
    for (int k : ownerEnd == 0 ? o.startNeighbours : o.endNeighbours) {
        const int at = EndAt(k, p);
        if (GetSegment(k).excluded || at < 0)
            continue;
        const double h = Leaving(EndPoint(GetSegment(k), at), EndPoint(GetSegment(k), 1 - at));
        if (h < best) {
            best = h;
            segment = k;
            end = at;
        }
    }
    return true;
}

bool OutlineBuilder::WalkFrom(int start, int end, int mode, Walk& walk)
{
    for (;;) {
        walk.clear();
        std::set<int> visited{start};
        // Arriving at its end means running from start to end.
        walk.emplace_back(start, end == 0 ? 1 : 0);
        int s = start;
        int e = end;
        bool restart = false;
        while (!restart) {
            int next = -1;
            int nextEnd = 0;
            if (!NextSegment(s, e, mode, next, nextEnd))
                return false;
            if (next == start)
                return true;
            if (visited.count(next)) {
                // A segment met twice: it takes no further part.
                GetSegment(next).excluded = true;
                restart = true;
                continue;
            }
            visited.insert(next);
            walk.emplace_back(next, nextEnd == 0 ? 1 : 0);
            s = next;
            e = nextEnd;
        }
    }
}

void OutlineBuilder::AddContourRow(const Walk& walk, int kind)
{
    const int row = contours_.AddRow();
    for (const auto& [index, reversed] : walk)
        contours_.AddPair(row, index, reversed);
    contours_.Row(row).value = kind;
}

double OutlineBuilder::Area(const Walk& walk) const
{
    double sum = 0.0;
    for (const auto& [index, reversed] : walk) {
        const Segment& s = GetSegment(index);
        const die::coord& a = reversed ? s.to : s.from;
        const die::coord& b = reversed ? s.from : s.to;
        sum += (a.y + b.y) * (b.x - a.x);
    }
    return std::abs(sum) / 2.0;
}

bool OutlineBuilder::FindContour(int areaRule, int /*kindKey*/)
{
    int start = -1;
    int end = 0;
    if (!FindStart(start, end))
        return false;
    Walk first;
    Walk second;
    const bool closed1 = WalkFrom(start, end, 1, first);
    const bool closed2 = WalkFrom(start, end, 2, second);
    int kind = 0;
    if (closed1 && closed2) {
        const double a1 = Area(first);
        const double a2 = Area(second);
        kind = (areaRule == 1 ? a1 < a2 : a1 > a2) ? 2 : 1;
    } else if (closed1 || closed2) {
        kind = closed1 ? 1 : 2;
    } else {
        return false;
    }
    AddContourRow(kind == 1 ? first : second, kind);
    return true;
}

bool OutlineBuilder::PickContourAt(double x, double y)
{
    int first = -1;
    double nearest = 0.0;
    for (int s = 0; s < Count(); ++s) {
        const Segment& seg = GetSegment(s);
        if (seg.excluded)
            continue;
        const double top = std::max({y, seg.from.y, seg.to.y}) + kRayReach;
        die::coord hit;
        if (Geom::SolveLineLine(seg.from.x, seg.from.y, seg.to.x, seg.to.y, x, y, x, top, hit.x, hit.y) == 0)
            continue;
        if (!Geom::IsPointBetween(hit.x, hit.y, seg.from.x, seg.from.y, seg.to.x, seg.to.y, kOnSegment)
            || !Geom::IsPointBetween(hit.x, hit.y, x, y, x, top, kOnSegment)
            || die::distance(hit, seg.from) < kSplitMargin || die::distance(hit, seg.to) < kSplitMargin)
            continue;
        const double d = die::distance(hit, {x, y});
        if (first < 0 || d < nearest) {
            first = s;
            nearest = d;
        }
    }
    if (first < 0)
        return false;
    // Along the segment above the point towards smaller x, turning left.
    const Segment& seg = GetSegment(first);
    const bool reversed = seg.to.x > seg.from.x;
    Walk walk{{first, reversed ? 1 : 0}};
    int s = first;
    int e = reversed ? 0 : 1;
    // A walk that keeps circling elsewhere never comes back: after as many
    // steps as there are segments it has repeated one, and it fails.
    for (int steps = 0;; ++steps) {
        int next = -1;
        int nextEnd = 0;
        if (steps > Count() || !NextSegment(s, e, 2, next, nextEnd))
            return false;
        if (next == first)
            break;
        walk.emplace_back(next, nextEnd == 0 ? 1 : 0);
        s = next;
        e = nextEnd;
    }
    AddContourRow(walk, 1);
    return true;
}

void OutlineBuilder::ApplyContour()
{
    Q_ASSERT(contours_.Count() > 0);
    if (contours_.Count() == 0)
        return;
    const PairListTable::PairList row = contours_.Row(0);
    contourKind_ = row.value;
    for (int s = 0; s < Count(); ++s) {
        const int position = contours_.IndexOfFirst(0, s);
        Segment& seg = GetSegment(s);
        seg.contourPosition = position;
        seg.directionFlag = position >= 0 && contours_.HasPairWithOne(0, s);
    }
    // From the top down, so that the lower indices stay as they are.
    for (int s = Count() - 1; s >= 0; --s) {
        if (GetSegment(s).contourPosition < 0)
            RemoveSegmentAndLinks(s, false);
    }
    contours_.Clear();
    for (Segment& seg : segments_) {
        if (seg.directionFlag) {
            std::swap(seg.from, seg.to);
            std::swap(seg.startNeighbours, seg.endNeighbours);
        }
    }
    // Into contour order.
    for (int l = 0; l < Count(); ++l) {
        int lowest = l;
        for (int s = l + 1; s < Count(); ++s) {
            if (GetSegment(s).contourPosition < GetSegment(lowest).contourPosition)
                lowest = s;
        }
        SwapSegments(l, lowest);
    }
}
