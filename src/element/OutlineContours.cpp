// The outline builder's graph and its walks: CollectContours cleans the fed
// segments into a graph of closed paths, FindContour and PickContourAt walk
// it, ApplyContour keeps the contour found.
#include "element/OutlineBuilder.h"

#include "element/OutlineGrid.h"

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
// Grid cell (mm) for looking up segment ends near a point.
constexpr double kPointCell = 0.02;

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

// The box within which a crossing with the segment can lie: Crossing takes
// points up to kOnSegment longer round than the segment, an ellipse no
// wider than this much beside it (plus rounding).
std::pair<die::coord, die::coord> CrossingReach(const OutlineBuilder::Segment& s)
{
    const double length = die::distance(s.from, s.to);
    const double side = 0.5 * std::sqrt((length + kOnSegment) * (length + kOnSegment) - length * length);
    const double slack = 1e-6 + 1e-9 * std::max({std::abs(s.from.x), std::abs(s.from.y), std::abs(s.to.x),
                                                  std::abs(s.to.y)});
    const double r = side + kOnSegment + slack;
    return {{std::min(s.from.x, s.to.x) - r, std::min(s.from.y, s.to.y) - r},
            {std::max(s.from.x, s.to.x) + r, std::max(s.from.y, s.to.y) + r}};
}

// A grid cell about as long as a typical segment.
double GridCell(const std::vector<OutlineBuilder::Segment>& segments)
{
    double sum = 0.0;
    int counted = 0;
    for (const OutlineBuilder::Segment& s : segments) {
        const double length = die::distance(s.from, s.to);
        if (std::isfinite(length)) {
            sum += length;
            ++counted;
        }
    }
    return std::max(kPointCell, counted > 0 ? sum / counted : 1.0);
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
    BuildGraph();
    return Count();
}

void OutlineBuilder::BuildGraph()
{
    SplitAtCrossings();
    RemoveDuplicates();
    LinkEnds();
    PruneDangling();
}

void OutlineBuilder::SplitAtCrossings()
{
    // Segments keep their order when one is removed, and halves go to the
    // end: numbering them as they come gives the table's order at any time,
    // and "the first crossing segment" is the lowest number among those
    // near this one. The halves are numbered on.
    std::vector<Segment> work = std::move(segments_);
    segments_.clear();
    std::vector<char> alive(work.size(), 1);
    for (Segment& s : work)
        s.splitVisited = false;
    OutlineGrid grid(GridCell(work));
    const auto add = [&](int id) {
        const auto [low, high] = CrossingReach(work[static_cast<std::size_t>(id)]);
        grid.Add(id, low, high);
    };
    for (int id = 0; id < static_cast<int>(work.size()); ++id)
        add(id);
    std::vector<int> near;
    for (int id = 0; id < static_cast<int>(work.size()); ++id) {
        if (!alive[static_cast<std::size_t>(id)])
            continue;
        Segment& s = work[static_cast<std::size_t>(id)];
        if (s.splitVisited || s.excluded)
            continue;
        s.splitVisited = true;
        const auto [low, high] = CrossingReach(s);
        grid.Query(low, high, near);
        for (int k : near) {
            const Segment& other = work[static_cast<std::size_t>(k)];
            const Segment& j = work[static_cast<std::size_t>(id)];
            die::coord p;
            if (k == id || !alive[static_cast<std::size_t>(k)] || other.excluded || !Crossing(j, other, p))
                continue;
            if (die::distance(p, j.from) < kSplitMargin || die::distance(p, j.to) < kSplitMargin)
                continue;
            const Segment whole = j;
            alive[static_cast<std::size_t>(id)] = 0;
            for (Segment& half : Halves(whole, p)) {
                work.push_back(std::move(half));
                alive.push_back(1);
                add(static_cast<int>(work.size()) - 1);
            }
            break;
        }
    }
    for (std::size_t id = 0; id < work.size(); ++id) {
        if (alive[id])
            segments_.push_back(std::move(work[id]));
    }
}

void OutlineBuilder::RemoveDuplicates()
{
    // A segment goes when any later one doubles it; removing it changes
    // nothing for the others, since only earlier ones are ever removed.
    const auto same = [](const die::coord& a, const die::coord& b) { return die::distance(a, b) <= kSameEnd; };
    OutlineGrid starts(kPointCell);
    for (int i = 0; i < Count(); ++i)
        starts.AddPoint(i, GetSegment(i).from);
    std::vector<int> near;
    std::vector<char> doubled(segments_.size(), 0);
    const die::coord reach{kSameEnd, kSameEnd};
    for (int i = 0; i < Count(); ++i) {
        const Segment& a = GetSegment(i);
        for (const die::coord* end : {&a.from, &a.to}) {
            starts.Query(*end - reach, *end + reach, near);
            for (int j : near) {
                if (j <= i)
                    continue;
                const Segment& b = GetSegment(j);
                if ((same(a.from, b.from) && same(a.to, b.to)) || (same(a.from, b.to) && same(a.to, b.from)))
                    doubled[static_cast<std::size_t>(i)] = 1;
            }
        }
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (doubled[i])
            continue;
        if (kept != i)
            segments_[kept] = std::move(segments_[i]);
        ++kept;
    }
    segments_.resize(kept);
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
    OutlineGrid ends(std::max(kPointCell, 2.0 * endTolerance_));
    for (int k = 0; k < Count(); ++k) {
        ends.AddPoint(k, GetSegment(k).from);
        ends.AddPoint(k, GetSegment(k).to);
    }
    const die::coord reach{endTolerance_, endTolerance_};
    std::vector<int> near;
    for (int j = 0; j < Count(); ++j) {
        Segment& s = GetSegment(j);
        s.startNeighbours.clear();
        s.endNeighbours.clear();
        for (auto [at, list] : {std::pair(&s.from, &s.startNeighbours), std::pair(&s.to, &s.endNeighbours)}) {
            ends.Query(*at - reach, *at + reach, near);
            for (int k : near) {
                if (k != j && EndAt(k, *at) >= 0)
                    list->push_back(k);
            }
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
    const bool anyExcluded = std::any_of(segments_.begin(), segments_.end(), [](const Segment& s) { return s.excluded; });
    if (anyExcluded) {
        // Excluded segments keep their lists as they are while the others
        // go: one at a time, the first dangling one first.
        for (;;) {
            const auto it = std::find_if(segments_.begin(), segments_.end(), [](const Segment& s) {
                return !s.excluded && (s.startNeighbours.empty() || s.endNeighbours.empty());
            });
            if (it == segments_.end())
                return;
            RemoveSegmentAndLinks(static_cast<int>(it - segments_.begin()), false);
        }
    }
    // What remains does not depend on the order of removal: the segments
    // whose both ends keep a neighbour among those that remain.
    const std::size_t n = segments_.size();
    std::vector<int> count[2];
    std::vector<std::vector<std::pair<int, int>>> listedBy(n); // (segment, end) listing it
    for (int e = 0; e < 2; ++e)
        count[e].resize(n);
    std::vector<int> dangling;
    for (std::size_t j = 0; j < n; ++j) {
        const Segment& s = segments_[j];
        count[0][j] = static_cast<int>(s.startNeighbours.size());
        count[1][j] = static_cast<int>(s.endNeighbours.size());
        for (int k : s.startNeighbours)
            listedBy[static_cast<std::size_t>(k)].emplace_back(static_cast<int>(j), 0);
        for (int k : s.endNeighbours)
            listedBy[static_cast<std::size_t>(k)].emplace_back(static_cast<int>(j), 1);
        if (count[0][j] == 0 || count[1][j] == 0)
            dangling.push_back(static_cast<int>(j));
    }
    std::vector<char> gone(n, 0);
    while (!dangling.empty()) {
        const int k = dangling.back();
        dangling.pop_back();
        if (gone[static_cast<std::size_t>(k)])
            continue;
        gone[static_cast<std::size_t>(k)] = 1;
        for (const auto& [j, end] : listedBy[static_cast<std::size_t>(k)]) {
            if (!gone[static_cast<std::size_t>(j)] && --count[end][static_cast<std::size_t>(j)] == 0)
                dangling.push_back(j);
        }
    }
    std::vector<int> renumbered(n, -1);
    int next = 0;
    for (std::size_t j = 0; j < n; ++j) {
        if (!gone[j])
            renumbered[j] = next++;
    }
    std::size_t kept = 0;
    for (std::size_t j = 0; j < n; ++j) {
        if (gone[j])
            continue;
        Segment& s = segments_[j];
        for (std::vector<int>* list : {&s.startNeighbours, &s.endNeighbours}) {
            std::erase_if(*list, [&](int k) { return gone[static_cast<std::size_t>(k)] != 0; });
            for (int& k : *list)
                k = renumbered[static_cast<std::size_t>(k)];
        }
        if (kept != j)
            segments_[kept] = std::move(s);
        ++kept;
    }
    segments_.resize(kept);
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
    const std::size_t n = segments_.size();
    // Each segment's first position in the contour, and whether the walk
    // ran along it backwards at any visit.
    std::vector<int> first(n, -1);
    std::vector<char> backwards(n, 0);
    for (std::size_t at = 0; at < row.pairs.size(); ++at) {
        const auto& [index, reversed] = row.pairs[at];
        if (index < 0 || static_cast<std::size_t>(index) >= n)
            continue;
        if (first[static_cast<std::size_t>(index)] < 0)
            first[static_cast<std::size_t>(index)] = static_cast<int>(at);
        if (reversed == 1)
            backwards[static_cast<std::size_t>(index)] = 1;
    }
    for (std::size_t s = 0; s < n; ++s) {
        segments_[s].contourPosition = first[s];
        segments_[s].directionFlag = first[s] >= 0 && backwards[s];
    }
    // The segments off the contour go, with their links.
    std::vector<char> off(n, 0);
    for (std::size_t s = 0; s < n; ++s)
        off[s] = first[s] < 0 ? 1 : 0;
    RemoveSegmentsAndLinks(off);
    contours_.Clear();
    for (Segment& seg : segments_) {
        if (seg.directionFlag) {
            std::swap(seg.from, seg.to);
            std::swap(seg.startNeighbours, seg.endNeighbours);
        }
    }
    // Into contour order; list entries follow their segments.
    const std::size_t m = segments_.size();
    std::vector<int> order(m);
    for (std::size_t s = 0; s < m; ++s)
        order[s] = static_cast<int>(s);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return segments_[static_cast<std::size_t>(a)].contourPosition
               < segments_[static_cast<std::size_t>(b)].contourPosition;
    });
    std::vector<int> placed(m);
    for (std::size_t at = 0; at < m; ++at)
        placed[static_cast<std::size_t>(order[at])] = static_cast<int>(at);
    std::vector<Segment> sorted;
    sorted.reserve(m);
    for (int s : order) {
        Segment& seg = segments_[static_cast<std::size_t>(s)];
        for (std::vector<int>* list : {&seg.startNeighbours, &seg.endNeighbours}) {
            for (int& k : *list) {
                if (k >= 0 && static_cast<std::size_t>(k) < m)
                    k = placed[static_cast<std::size_t>(k)];
            }
        }
        sorted.push_back(std::move(seg));
    }
    segments_ = std::move(sorted);
}
