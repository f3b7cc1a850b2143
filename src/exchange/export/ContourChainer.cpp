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

void ExportChain::Reverse()
{
    std::swap(front_, back_);
    for (Item& item : front_)
        item.reverse = item.reverse ? 0 : 1;
    for (Item& item : back_)
        item.reverse = item.reverse ? 0 : 1;
    std::swap(start, end);
}

void ExportChain::Append(const ExportChain& other)
{
    back_.insert(back_.end(), other.front_.rbegin(), other.front_.rend());
    back_.insert(back_.end(), other.back_.begin(), other.back_.end());
}

void ExportChain::Prepend(const ExportChain& other)
{
    front_.insert(front_.end(), other.back_.rbegin(), other.back_.rend());
    front_.insert(front_.end(), other.front_.begin(), other.front_.end());
}

void ExportChain::Clear()
{
    front_.clear();
    back_.clear();
}

std::vector<ExportChain::Item> ExportChain::Items() const
{
    std::vector<Item> items(front_.rbegin(), front_.rend());
    items.insert(items.end(), back_.begin(), back_.end());
    return items;
}

namespace {

using Ref = EndGrid::Ref;

// The lowest chain number among the chains with an end at one of the points
// that pass the filter; -1 when none.
template <class Accept>
int FirstChainAt(const EndGrid& grid, const std::vector<ExportChain>& chains, std::initializer_list<die::coord> points,
                 Accept accept)
{
    int best = -1;
    for (const die::coord& p : points) {
        grid.ForEachNear(p, [&](const Ref& ref) {
            if (best >= 0 && ref.chain >= best)
                return;
            if (!accept(ref.chain))
                return;
            const ExportChain& chain = chains[static_cast<std::size_t>(ref.chain)];
            if (PointsCoincide(ref.atEnd ? chain.end : chain.start, p))
                best = ref.chain;
        });
    }
    return best;
}

// Step 1: every primitive but the texts joins the first chain (in list
// order) that one of its ends meets, else starts a chain of its own.
void BuildChains(const ExportBlock& block, bool byLineType, std::vector<ExportChain>& chains, EndGrid& grid)
{
    const auto& primitives = block.primitives;
    for (std::size_t i = 0; i < primitives.size(); ++i) {
        const ExportPrimitive& p = primitives[i];
        if (p.kind == ExportPrimitive::Text)
            continue;
        const int index = static_cast<int>(i);
        const int found = FirstChainAt(grid, chains, {p.B, p.C}, [&](int c) {
            return !byLineType || chains[static_cast<std::size_t>(c)].line_type == p.line_type;
        });
        if (found < 0) {
            ExportChain chain;
            chain.line_type = p.line_type;
            chain.start = p.B;
            chain.end = p.C;
            chain.PushBack({index, 0});
            chains.push_back(std::move(chain));
            const int number = static_cast<int>(chains.size()) - 1;
            grid.Add({number, false}, p.B);
            grid.Add({number, true}, p.C);
            continue;
        }
        ExportChain& chain = chains[static_cast<std::size_t>(found)];
        if (PointsCoincide(p.B, chain.end)) {
            chain.PushBack({index, 0});
            grid.Move({found, true}, chain.end, p.C);
            chain.end = p.C;
        } else if (PointsCoincide(p.B, chain.start)) {
            chain.PushFront({index, 1});
            grid.Move({found, false}, chain.start, p.C);
            chain.start = p.C;
        } else if (PointsCoincide(p.C, chain.end)) {
            chain.PushBack({index, 1});
            grid.Move({found, true}, chain.end, p.B);
            chain.end = p.B;
        } else {
            chain.PushFront({index, 0});
            grid.Move({found, false}, chain.start, p.B);
            chain.start = p.B;
        }
    }
}

// Step 2: each chain in turn takes in every later chain that meets one of
// its ends, the first in list order each time.
void MergeChains(bool byLineType, std::vector<ExportChain>& chains, std::vector<bool>& alive, EndGrid& grid)
{
    for (std::size_t r = 0; r < chains.size(); ++r) {
        if (!alive[r])
            continue;
        ExportChain& into = chains[r];
        for (;;) {
            const int found = FirstChainAt(grid, chains, {into.end, into.start}, [&](int c) {
                return c > static_cast<int>(r) && (!byLineType || chains[static_cast<std::size_t>(c)].line_type == into.line_type);
            });
            if (found < 0)
                break;
            ExportChain& taken = chains[static_cast<std::size_t>(found)];
            grid.Remove({found, false}, taken.start);
            grid.Remove({found, true}, taken.end);
            alive[static_cast<std::size_t>(found)] = false;
            const die::coord oldStart = into.start;
            const die::coord oldEnd = into.end;
            if (PointsCoincide(into.end, taken.start) || PointsCoincide(into.end, taken.end)) {
                if (!PointsCoincide(into.end, taken.start))
                    taken.Reverse();
                into.Append(taken);
                into.end = taken.end;
                grid.Move({static_cast<int>(r), true}, oldEnd, into.end);
            } else {
                if (!PointsCoincide(into.start, taken.end))
                    taken.Reverse();
                into.Prepend(taken);
                into.start = taken.start;
                grid.Move({static_cast<int>(r), false}, oldStart, into.start);
            }
            taken.Clear();
        }
    }
}

// Step 4 for one group of chains (numbers in list order): the walk from the
// origin, each time to the chain with the nearest start (or end, but for
// texts); a chain reached at its end is reversed.
void Walk(std::vector<ExportChain>& chains, const std::vector<int>& group, std::vector<int>& ordered)
{
    NearestEnds nearest;
    for (const int c : group) {
        const ExportChain& chain = chains[static_cast<std::size_t>(c)];
        nearest.Add({c, false}, chain.start);
        if (!chain.text)
            nearest.Add({c, true}, chain.end);
    }
    nearest.Build();
    die::coord current(0.0, 0.0);
    for (std::size_t left = group.size(); left > 0; --left) {
        const Ref chosen = nearest.Nearest(current);
        ExportChain& chain = chains[static_cast<std::size_t>(chosen.chain)];
        nearest.RemoveChain(chosen.chain);
        if (chosen.atEnd)
            chain.Reverse();
        current = chain.end;
        ordered.push_back(chosen.chain);
    }
}

} // namespace

std::vector<ExportChain> ContourChainer::Chains(const ExportBlock& block, bool byLineType)
{
    std::vector<ExportChain> chains;
    EndGrid grid;
    BuildChains(block, byLineType, chains, grid);
    std::vector<bool> alive(chains.size(), true);
    MergeChains(byLineType, chains, alive, grid);

    // Step 3: each text a chain of its own, never reversed or joined.
    for (std::size_t i = 0; i < block.primitives.size(); ++i) {
        const ExportPrimitive& p = block.primitives[i];
        if (p.kind != ExportPrimitive::Text)
            continue;
        ExportChain chain;
        chain.line_type = p.line_type;
        chain.text = true;
        chain.start = p.A;
        chain.end = p.A + p.B * (static_cast<double>(p.text.size()) * p.C.x);
        chain.PushBack({static_cast<int>(i), 0});
        chains.push_back(std::move(chain));
        alive.push_back(true);
    }

    // Step 4: groups by ascending line type (one group when not by line type).
    std::map<int, std::vector<int>> groups;
    for (std::size_t c = 0; c < chains.size(); ++c) {
        if (alive[c])
            groups[byLineType ? chains[c].line_type : 0].push_back(static_cast<int>(c));
    }
    std::vector<int> ordered;
    for (const auto& [lineType, group] : groups)
        Walk(chains, group, ordered);

    std::vector<ExportChain> result;
    result.reserve(ordered.size());
    for (const int c : ordered)
        result.push_back(std::move(chains[static_cast<std::size_t>(c)]));
    return result;
}

void ContourChainer::Run(ExportBlock& block, int optimize, const std::map<int, int>& order)
{
    const bool byLineType = optimize == 2;
    const std::vector<ExportChain> chains = Chains(block, byLineType);

    // Step 5: sort keys position·N + k; the position of an unlisted line type
    // is the table's size. Kept in 64 bits for the sort so that no large
    // block can wrap them.
    const auto n = static_cast<std::int64_t>(block.primitives.size());
    const auto unlisted = static_cast<std::int64_t>(byLineType ? order.size() : 0);
    std::vector<std::pair<std::int64_t, int>> keys;
    keys.reserve(block.primitives.size());
    std::int64_t k = 0;
    for (const ExportChain& chain : chains) {
        for (const ExportChain::Item& item : chain.Items()) {
            ExportPrimitive& p = block.primitives[static_cast<std::size_t>(item.primitive)];
            p.reverse = item.reverse;
            std::int64_t position = unlisted;
            if (byLineType) {
                if (const auto found = order.find(p.line_type); found != order.end())
                    position = found->second;
            }
            const std::int64_t key = position * n + k++;
            p.sort_key = static_cast<std::int32_t>(std::min<std::int64_t>(key, INT32_MAX));
            keys.emplace_back(key, item.primitive);
        }
    }
    std::sort(keys.begin(), keys.end());
    std::vector<ExportPrimitive> sorted;
    sorted.reserve(keys.size());
    for (const auto& [key, index] : keys)
        sorted.push_back(std::move(block.primitives[static_cast<std::size_t>(index)]));
    block.primitives = std::move(sorted);
}

} // namespace Export
