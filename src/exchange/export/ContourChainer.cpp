#include "exchange/export/ContourChainer.h"

#include "exchange/export/ChainLookups.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

namespace Export {

bool PointsCoincide(const die::coord& a, const die::coord& b)
{
    return std::abs(a.x - b.x) < 1e-6 && std::abs(a.y - b.y) < 1e-6;
}

namespace {

using Ref = EndRef;

// The chains of one block as links between its primitives: a chain is the
// run from its head to its tail through next_. Joining two chains relinks
// their ends; nothing is copied or allocated per chain.
class ChainLinks {
public:
    struct Chain {
        int head = -1;
        int tail = -1;
        int startPoint = -1; // ends as points: 2·i is primitive i's B, 2·i + 1 its C
        int endPoint = -1;
        die::coord start;
        die::coord end;
        std::int16_t line_type = 0;
        bool text = false;
        bool turned = false; // read from tail to head, each primitive flipped
    };

    explicit ChainLinks(std::size_t primitives)
        : next_(primitives, -1)
        , prev_(primitives, -1)
        , reverse_(primitives, 0)
    {
    }

    std::vector<Chain> chains;

    int Start(int primitive, std::int16_t reverse, const Chain& chain)
    {
        reverse_[static_cast<std::size_t>(primitive)] = reverse;
        chains.push_back(chain);
        chains.back().head = chains.back().tail = primitive;
        return static_cast<int>(chains.size()) - 1;
    }
    void PushBack(Chain& chain, int primitive, std::int16_t reverse)
    {
        reverse_[static_cast<std::size_t>(primitive)] = reverse;
        Link(chain.tail, primitive);
        chain.tail = primitive;
    }
    void PushFront(Chain& chain, int primitive, std::int16_t reverse)
    {
        reverse_[static_cast<std::size_t>(primitive)] = reverse;
        Link(primitive, chain.head);
        chain.head = primitive;
    }
    // The other chain's primitives after (before) this one's, in its order.
    void Append(Chain& into, const Chain& other)
    {
        Link(into.tail, other.head);
        into.tail = other.tail;
    }
    void Prepend(Chain& into, const Chain& other)
    {
        Link(other.tail, into.head);
        into.head = other.head;
    }
    // Runs the chain the other way: primitives in reverse order, each flipped.
    void Reverse(Chain& chain)
    {
        for (int i = chain.head; i >= 0;) {
            const auto at = static_cast<std::size_t>(i);
            std::swap(next_[at], prev_[at]);
            reverse_[at] = reverse_[at] ? 0 : 1;
            i = prev_[at];
        }
        std::swap(chain.head, chain.tail);
        std::swap(chain.start, chain.end);
        std::swap(chain.startPoint, chain.endPoint);
    }
    // Reverse for a chain that is not joined any more: only the way it is read turns.
    static void Turn(Chain& chain)
    {
        chain.turned = !chain.turned;
        std::swap(chain.start, chain.end);
        std::swap(chain.startPoint, chain.endPoint);
    }
    // Calls fn(primitive, reverse) along the chain.
    template <class Fn>
    void ForEachItem(const Chain& chain, Fn fn) const
    {
        if (chain.turned) {
            for (int i = chain.tail; i >= 0; i = prev_[static_cast<std::size_t>(i)])
                fn(i, static_cast<std::int16_t>(reverse_[static_cast<std::size_t>(i)] ? 0 : 1));
            return;
        }
        for (int i = chain.head; i >= 0; i = next_[static_cast<std::size_t>(i)])
            fn(i, reverse_[static_cast<std::size_t>(i)]);
    }

private:
    void Link(int first, int second)
    {
        next_[static_cast<std::size_t>(first)] = second;
        prev_[static_cast<std::size_t>(second)] = first;
    }

    std::vector<int> next_;
    std::vector<int> prev_;
    std::vector<std::int16_t> reverse_;
};

// Every primitive's B and C as points 2·i and 2·i + 1.
std::vector<die::coord> EndPoints(const ExportBlock& block)
{
    std::vector<die::coord> points;
    points.reserve(block.primitives.size() * 2);
    for (const ExportPrimitive& p : block.primitives) {
        points.push_back(p.B);
        points.push_back(p.C);
    }
    return points;
}

// The lowest chain number among the chains with an end at one of the points
// that pass the filter; -1 when none.
template <class Accept>
int FirstChainAt(const EndCells& cells, const std::vector<die::coord>& points, const ChainLinks& links,
                 std::initializer_list<int> at, Accept accept)
{
    int best = -1;
    for (const int point : at) {
        const die::coord& p = points[static_cast<std::size_t>(point)];
        cells.ForEachNear(point, [&](const Ref& ref) {
            if (best >= 0 && ref.chain >= best)
                return;
            if (!accept(ref.chain))
                return;
            const ChainLinks::Chain& chain = links.chains[static_cast<std::size_t>(ref.chain)];
            if (PointsCoincide(ref.atEnd ? chain.end : chain.start, p))
                best = ref.chain;
        });
    }
    return best;
}

// Step 1: every primitive but the texts joins the first chain (in list
// order) that one of its ends meets, else starts a chain of its own.
void BuildChains(const ExportBlock& block, bool byLineType, const std::vector<die::coord>& points, ChainLinks& links,
                 EndCells& cells)
{
    const auto& primitives = block.primitives;
    for (std::size_t i = 0; i < primitives.size(); ++i) {
        const ExportPrimitive& p = primitives[i];
        if (p.kind == ExportPrimitive::Text)
            continue;
        const int index = static_cast<int>(i);
        const int b = 2 * index;
        const int c = b + 1;
        const int found = FirstChainAt(cells, points, links, {b, c}, [&](int chain) {
            return !byLineType || links.chains[static_cast<std::size_t>(chain)].line_type == p.line_type;
        });
        if (found < 0) {
            ChainLinks::Chain chain;
            chain.line_type = p.line_type;
            chain.start = p.B;
            chain.end = p.C;
            chain.startPoint = b;
            chain.endPoint = c;
            const int number = links.Start(index, 0, chain);
            cells.Add({number, false}, b);
            cells.Add({number, true}, c);
            continue;
        }
        ChainLinks::Chain& chain = links.chains[static_cast<std::size_t>(found)];
        if (PointsCoincide(p.B, chain.end)) {
            links.PushBack(chain, index, 0);
            cells.Move({found, true}, c);
            chain.end = p.C;
            chain.endPoint = c;
        } else if (PointsCoincide(p.B, chain.start)) {
            links.PushFront(chain, index, 1);
            cells.Move({found, false}, c);
            chain.start = p.C;
            chain.startPoint = c;
        } else if (PointsCoincide(p.C, chain.end)) {
            links.PushBack(chain, index, 1);
            cells.Move({found, true}, b);
            chain.end = p.B;
            chain.endPoint = b;
        } else {
            links.PushFront(chain, index, 0);
            cells.Move({found, false}, b);
            chain.start = p.B;
            chain.startPoint = b;
        }
    }
}

// Step 2: each chain in turn takes in every later chain that meets one of
// its ends, the first in list order each time.
void MergeChains(bool byLineType, const std::vector<die::coord>& points, ChainLinks& links, std::vector<char>& alive,
                 EndCells& cells)
{
    auto& chains = links.chains;
    for (std::size_t r = 0; r < chains.size(); ++r) {
        if (!alive[r])
            continue;
        for (;;) {
            ChainLinks::Chain& into = chains[r];
            const int found = FirstChainAt(cells, points, links, {into.endPoint, into.startPoint}, [&](int c) {
                return c > static_cast<int>(r)
                       && (!byLineType || chains[static_cast<std::size_t>(c)].line_type == into.line_type);
            });
            if (found < 0)
                break;
            ChainLinks::Chain& taken = chains[static_cast<std::size_t>(found)];
            cells.Remove({found, false});
            cells.Remove({found, true});
            alive[static_cast<std::size_t>(found)] = 0;
            if (PointsCoincide(into.end, taken.start) || PointsCoincide(into.end, taken.end)) {
                if (!PointsCoincide(into.end, taken.start))
                    links.Reverse(taken);
                links.Append(into, taken);
                into.end = taken.end;
                into.endPoint = taken.endPoint;
                cells.Move({static_cast<int>(r), true}, into.endPoint);
            } else {
                if (!PointsCoincide(into.start, taken.end))
                    links.Reverse(taken);
                links.Prepend(into, taken);
                into.start = taken.start;
                into.startPoint = taken.startPoint;
                cells.Move({static_cast<int>(r), false}, into.startPoint);
            }
        }
    }
}

// Step 4 for one group of chains (numbers in list order): the walk from the
// origin, each time to the chain with the nearest start (or end, but for
// texts); a chain reached at its end is reversed.
void Walk(ChainLinks& links, const std::vector<int>& group, std::vector<int>& ordered)
{
    NearestEnds nearest;
    nearest.Reserve(group.size() * 2);
    for (const int c : group) {
        const ChainLinks::Chain& chain = links.chains[static_cast<std::size_t>(c)];
        nearest.Add({c, false}, chain.start);
        if (!chain.text)
            nearest.Add({c, true}, chain.end);
    }
    nearest.Build();
    die::coord current(0.0, 0.0);
    for (std::size_t left = group.size(); left > 0; --left) {
        const Ref chosen = nearest.TakeNearest(current);
        ChainLinks::Chain& chain = links.chains[static_cast<std::size_t>(chosen.chain)];
        if (chosen.atEnd)
            ChainLinks::Turn(chain);
        current = chain.end;
        ordered.push_back(chosen.chain);
    }
}

// Steps 1 to 4: the chains as links and their numbers in walk order.
std::vector<int> Chain(const ExportBlock& block, bool byLineType, ChainLinks& links)
{
    {
        const std::vector<die::coord> points = EndPoints(block);
        EndCells cells(points);
        cells.Reserve(static_cast<int>(block.primitives.size()));
        BuildChains(block, byLineType, points, links, cells);
        std::vector<char> alive(links.chains.size(), 1);
        MergeChains(byLineType, points, links, alive, cells);
        // Taken chains leave the list, the others keep their order.
        std::size_t kept = 0;
        for (std::size_t c = 0; c < links.chains.size(); ++c) {
            if (alive[c])
                links.chains[kept++] = links.chains[c];
        }
        links.chains.resize(kept);
    }

    // Step 3: each text a chain of its own, never reversed or joined.
    for (std::size_t i = 0; i < block.primitives.size(); ++i) {
        const ExportPrimitive& p = block.primitives[i];
        if (p.kind != ExportPrimitive::Text)
            continue;
        ChainLinks::Chain chain;
        chain.line_type = p.line_type;
        chain.text = true;
        chain.start = p.A;
        chain.end = p.A + p.B * (static_cast<double>(p.text.size()) * p.C.x);
        links.Start(static_cast<int>(i), 0, chain);
    }

    // Step 4: groups by ascending line type (one group when not by line type).
    std::vector<int> ordered;
    ordered.reserve(links.chains.size());
    if (!byLineType) {
        std::vector<int> all(links.chains.size());
        for (std::size_t c = 0; c < all.size(); ++c)
            all[c] = static_cast<int>(c);
        Walk(links, all, ordered);
        return ordered;
    }
    std::map<int, std::vector<int>> groups;
    for (std::size_t c = 0; c < links.chains.size(); ++c)
        groups[links.chains[c].line_type].push_back(static_cast<int>(c));
    for (const auto& [lineType, group] : groups)
        Walk(links, group, ordered);
    return ordered;
}

} // namespace

std::vector<ExportChain> ContourChainer::Chains(const ExportBlock& block, bool byLineType)
{
    ChainLinks links(block.primitives.size());
    const std::vector<int> ordered = Chain(block, byLineType, links);
    std::vector<ExportChain> result;
    result.reserve(ordered.size());
    for (const int c : ordered) {
        const ChainLinks::Chain& linked = links.chains[static_cast<std::size_t>(c)];
        ExportChain chain;
        chain.line_type = linked.line_type;
        chain.text = linked.text;
        chain.start = linked.start;
        chain.end = linked.end;
        links.ForEachItem(linked, [&](int primitive, std::int16_t reverse) { chain.items.push_back({primitive, reverse}); });
        result.push_back(std::move(chain));
    }
    return result;
}

void ContourChainer::Run(ExportBlock& block, int optimize, const std::map<int, int>& order)
{
    const bool byLineType = optimize == 2;
    ChainLinks links(block.primitives.size());
    const std::vector<int> ordered = Chain(block, byLineType, links);

    // Step 5: sort keys position·N + k; the position of an unlisted line type
    // is the table's size. Kept in 64 bits so that no large block can wrap
    // them. As k counts up along the walk, sorting by the key is sorting by
    // position and keeping the walk order within one: a count per position.
    const auto n = static_cast<std::int64_t>(block.primitives.size());
    const auto unlisted = static_cast<std::int64_t>(byLineType ? order.size() : 0);
    const auto positionOf = [&](std::int16_t lineType) {
        if (byLineType) {
            if (const auto found = order.find(lineType); found != order.end())
                return static_cast<std::int64_t>(found->second);
        }
        return unlisted;
    };
    std::vector<std::int64_t> positions;
    for (const auto& [lineType, position] : order)
        positions.push_back(byLineType ? position : unlisted);
    positions.push_back(unlisted);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());

    const auto rankOf = [&](std::int64_t position) {
        return static_cast<std::size_t>(std::lower_bound(positions.begin(), positions.end(), position) - positions.begin());
    };
    // Where each position's primitives begin in the sorted block.
    std::vector<std::size_t> starts(positions.size() + 1, 0);
    for (const ExportPrimitive& p : block.primitives)
        ++starts[rankOf(positionOf(p.line_type)) + 1];
    for (std::size_t r = 1; r < starts.size(); ++r)
        starts[r] += starts[r - 1];
    std::vector<ExportPrimitive> sorted(block.primitives.size());
    std::int64_t k = 0;
    for (const int c : ordered) {
        links.ForEachItem(links.chains[static_cast<std::size_t>(c)], [&](int primitive, std::int16_t reverse) {
            ExportPrimitive& p = block.primitives[static_cast<std::size_t>(primitive)];
            p.reverse = reverse;
            const std::int64_t position = positionOf(p.line_type);
            const std::int64_t key = position * n + k++;
            p.sort_key = static_cast<std::int32_t>(std::min<std::int64_t>(key, INT32_MAX));
            sorted[starts[rankOf(position)]++] = std::move(p);
        });
    }
    block.primitives = std::move(sorted);
}

} // namespace Export
