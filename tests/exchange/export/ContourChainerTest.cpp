#include "exchange/export/ContourChainer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>

namespace {

using Export::ContourChainer;
using Export::ExportBlock;
using Export::ExportPrimitive;

ExportPrimitive Line(double x1, double y1, double x2, double y2, int lineType = 1)
{
    ExportPrimitive p;
    p.kind = ExportPrimitive::Line;
    p.line_type = static_cast<std::int16_t>(lineType);
    p.B = {x1, y1};
    p.C = {x2, y2};
    return p;
}

ExportPrimitive Text(double x, double y, const QString& text)
{
    ExportPrimitive p;
    p.kind = ExportPrimitive::Text;
    p.line_type = 1;
    p.A = {x, y};
    p.B = {1.0, 0.0};
    p.C = {2.0, 3.0};
    p.text = text;
    return p;
}

// The walk as written out: each primitive's start and end.
std::vector<std::pair<die::coord, die::coord>> Walked(const ExportBlock& block)
{
    std::vector<std::pair<die::coord, die::coord>> walked;
    for (const ExportPrimitive& p : block.primitives)
        walked.emplace_back(p.Start(), p.End());
    return walked;
}

using Walk = std::vector<std::pair<die::coord, die::coord>>;

TEST(ContourChainer, RectangleInAnyOrderIsOneLoopFromTheCornerNearestTheOrigin)
{
    // The same rectangle (corners (1,1), (5,1), (5,4), (1,4)) drawn in
    // different orders and directions.
    const struct {
        const char* name;
        std::vector<ExportPrimitive> lines;
        Walk expected;
    } cases[] = {
        {"in order",
         {Line(1, 1, 5, 1), Line(5, 1, 5, 4), Line(5, 4, 1, 4), Line(1, 4, 1, 1)},
         {{{1, 1}, {5, 1}}, {{5, 1}, {5, 4}}, {{5, 4}, {1, 4}}, {{1, 4}, {1, 1}}}},
        {"mixed directions",
         {Line(5, 4, 5, 1), Line(1, 4, 5, 4), Line(1, 1, 5, 1), Line(1, 1, 1, 4)},
         // One closed chain built from (1,4): it starts where it was begun.
         {{{1, 4}, {5, 4}}, {{5, 4}, {5, 1}}, {{5, 1}, {1, 1}}, {{1, 1}, {1, 4}}}},
        {"scattered",
         {Line(5, 1, 5, 4), Line(1, 4, 1, 1), Line(5, 4, 1, 4), Line(5, 1, 1, 1)},
         // Two chains that meet only when merged; the last line is turned.
         {{{1, 1}, {5, 1}}, {{5, 1}, {5, 4}}, {{5, 4}, {1, 4}}, {{1, 4}, {1, 1}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExportBlock block;
        block.primitives = c.lines;
        ContourChainer::Run(block, 1, {});
        EXPECT_EQ(Walked(block), c.expected);
        ExportBlock drawn;
        drawn.primitives = c.lines;
        EXPECT_EQ(ContourChainer::Chains(drawn, false).size(), 1u);
    }
}

TEST(ContourChainer, SeparateLinesFollowTheNearestNeighbourAndTurnWhenTheirEndIsNearer)
{
    ExportBlock block;
    block.primitives = {Line(10, 10, 20, 10), Line(3, 0, 8, 0), Line(30, 10, 22, 10)};
    ContourChainer::Run(block, 1, {});
    const Walk expected = {{{3, 0}, {8, 0}}, {{10, 10}, {20, 10}}, {{22, 10}, {30, 10}}};
    EXPECT_EQ(Walked(block), expected);
    EXPECT_EQ(block.primitives[2].reverse, 1); // drawn from (30,10) to (22,10)
    EXPECT_EQ(block.primitives[0].reverse, 0);
}

TEST(ContourChainer, TextsStayAloneAndUnturned)
{
    ExportBlock block;
    // The text's far end (1 + 2·2, 0) is nearer than any line start but a text
    // competes with its start only; the line through the text's start is not joined.
    block.primitives = {Line(1, 0, 1, 9), Text(1, 0, QStringLiteral("ab")), Line(5, 0, 6, 0)};
    const auto chains = ContourChainer::Chains(block, false);
    ASSERT_EQ(chains.size(), 3u);
    for (const auto& chain : chains)
        EXPECT_EQ(chain.Size(), 1u);
    ContourChainer::Run(block, 1, {});
    // (1,0) for both the first line and the text: the line's chain comes
    // first in the list; from (1,9) the text start (1,0) and line (5,0).
    EXPECT_EQ(block.primitives[0].kind, ExportPrimitive::Line);
    EXPECT_EQ(block.primitives[1].kind, ExportPrimitive::Text);
    EXPECT_EQ(block.primitives[1].reverse, 0);
}

TEST(ContourChainer, ByLineTypePutsTheOrderTableFirst)
{
    ExportBlock block;
    block.primitives = {Line(0, 0, 1, 0, 1), Line(1, 0, 2, 0, 2), Line(2, 0, 3, 0, 3), Line(5, 5, 6, 5, 2),
                        Line(1, 0, 1, 1, 1)};
    ContourChainer::Run(block, 2, {{3, 0}, {1, 1}});
    std::vector<int> types;
    for (const auto& p : block.primitives)
        types.push_back(p.line_type);
    EXPECT_EQ(types, (std::vector<int>{3, 1, 1, 2, 2}));
    // Line types do not join with optimize 2, they do with 1.
    ExportBlock mixed;
    mixed.primitives = {Line(0, 0, 1, 0, 1), Line(1, 0, 2, 0, 2)};
    EXPECT_EQ(ContourChainer::Chains(mixed, true).size(), 2u);
    EXPECT_EQ(ContourChainer::Chains(mixed, false).size(), 1u);
}

TEST(ContourChainer, EndsJoinWithinOneMillionthOnly)
{
    const struct {
        double gap;
        std::size_t chains;
    } cases[] = {{0.0, 1}, {0.9e-6, 1}, {-0.9e-6, 1}, {0.00001, 2}, {-0.00001, 2}}; // across a cell border too
    for (const auto& c : cases) {
        ExportBlock block;
        block.primitives = {Line(0, 0, 1, 1), Line(1 + c.gap, 1 + c.gap, 2, 0)};
        EXPECT_EQ(ContourChainer::Chains(block, false).size(), c.chains) << c.gap;
    }
}

// The chaining as plainly stated: every primitive against every chain, every
// remaining chain at every step of the walk. The chainer must agree with it.
struct NaiveChain {
    int lineType = 0;
    bool text = false;
    die::coord start, end;
    std::deque<std::pair<int, int>> items;
    void Reverse()
    {
        std::reverse(items.begin(), items.end());
        for (auto& item : items)
            item.second ^= 1;
        std::swap(start, end);
    }
};

std::vector<std::pair<int, int>> NaiveOrder(const ExportBlock& block, bool byType, const std::map<int, int>& order)
{
    const auto same = Export::PointsCoincide;
    std::vector<NaiveChain> chains;
    for (std::size_t i = 0; i < block.primitives.size(); ++i) {
        const auto& p = block.primitives[i];
        if (p.kind == ExportPrimitive::Text)
            continue;
        bool taken = false;
        for (auto& c : chains) {
            if (byType && c.lineType != p.line_type)
                continue;
            const int idx = static_cast<int>(i);
            if (same(p.B, c.end)) { c.items.push_back({idx, 0}); c.end = p.C; }
            else if (same(p.B, c.start)) { c.items.push_front({idx, 1}); c.start = p.C; }
            else if (same(p.C, c.end)) { c.items.push_back({idx, 1}); c.end = p.B; }
            else if (same(p.C, c.start)) { c.items.push_front({idx, 0}); c.start = p.B; }
            else continue;
            taken = true;
            break;
        }
        if (!taken)
            chains.push_back({p.line_type, false, p.B, p.C, {{static_cast<int>(i), 0}}});
    }
    for (std::size_t r = 0; r < chains.size(); ++r) {
        for (std::size_t s = r + 1; s < chains.size();) {
            NaiveChain& R = chains[r];
            NaiveChain& S = chains[s];
            if (byType && S.lineType != R.lineType) { ++s; continue; }
            if (same(R.end, S.start)) { R.items.insert(R.items.end(), S.items.begin(), S.items.end()); R.end = S.end; }
            else if (same(R.end, S.end)) { S.Reverse(); R.items.insert(R.items.end(), S.items.begin(), S.items.end()); R.end = S.end; }
            else if (same(R.start, S.end)) { R.items.insert(R.items.begin(), S.items.begin(), S.items.end()); R.start = S.start; }
            else if (same(R.start, S.start)) { S.Reverse(); R.items.insert(R.items.begin(), S.items.begin(), S.items.end()); R.start = S.start; }
            else { ++s; continue; }
            chains.erase(chains.begin() + static_cast<long>(s));
            s = r + 1;
        }
    }
    for (std::size_t i = 0; i < block.primitives.size(); ++i) {
        const auto& p = block.primitives[i];
        if (p.kind == ExportPrimitive::Text)
            chains.push_back({p.line_type, true, p.A, p.A + p.B * (p.text.size() * p.C.x), {{static_cast<int>(i), 0}}});
    }
    std::vector<NaiveChain> ordered;
    die::coord current(0, 0);
    int lastGroup = INT_MIN;
    while (!chains.empty()) {
        int group = INT_MAX;
        for (const auto& c : chains)
            group = std::min(group, c.lineType);
        if (byType && group != lastGroup)
            current = {0, 0};
        lastGroup = group;
        int best = -1;
        bool atEnd = false;
        double bestD = 0;
        for (std::size_t i = 0; i < chains.size(); ++i) {
            if (byType && chains[i].lineType != group)
                continue;
            const double ds = (chains[i].start - current).LengthSquared();
            if (best < 0 || ds < bestD) { best = static_cast<int>(i); atEnd = false; bestD = ds; }
            if (!chains[i].text) {
                const double de = (chains[i].end - current).LengthSquared();
                if (de < bestD) { best = static_cast<int>(i); atEnd = true; bestD = de; }
            }
        }
        NaiveChain chosen = chains[static_cast<std::size_t>(best)];
        chains.erase(chains.begin() + best);
        if (atEnd)
            chosen.Reverse();
        current = chosen.end;
        ordered.push_back(chosen);
    }
    const long long n = static_cast<long long>(block.primitives.size());
    std::vector<std::tuple<long long, int, int>> keyed;
    long long k = 0;
    for (const auto& c : ordered) {
        for (const auto& [idx, rev] : c.items) {
            long long pos = byType ? static_cast<long long>(order.size()) : 0;
            if (byType && order.count(block.primitives[static_cast<std::size_t>(idx)].line_type))
                pos = order.at(block.primitives[static_cast<std::size_t>(idx)].line_type);
            keyed.emplace_back(pos * n + k++, idx, rev);
        }
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::pair<int, int>> result;
    for (const auto& [key, idx, rev] : keyed)
        result.emplace_back(idx, rev);
    return result;
}

// The block chained with each primitive's original index carried through.
std::vector<std::pair<int, int>> ChainedOrder(const ExportBlock& block, int optimize, const std::map<int, int>& order)
{
    ExportBlock chained = block;
    for (std::size_t i = 0; i < chained.primitives.size(); ++i)
        chained.primitives[i].bridge_count = static_cast<int>(i);
    ContourChainer::Run(chained, optimize, order);
    std::vector<std::pair<int, int>> got;
    for (const auto& p : chained.primitives)
        got.emplace_back(p.bridge_count, p.reverse);
    return got;
}

TEST(ContourChainer, AgreesWithTheExhaustiveSearchOnRandomLattices)
{
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        // Ends on a coarse lattice so that many meet; some texts among them.
        const int size = round % 5 == 4 ? 300 : 2 + round % 7; // now and then sparse, for the walk
        std::uniform_int_distribution<int> coordinate(-size, size);
        std::uniform_int_distribution<int> lineType(1, 3);
        ExportBlock block;
        const int count = 5 + round * 3;
        for (int i = 0; i < count; ++i) {
            if (i % 11 == 5) {
                block.primitives.push_back(Text(coordinate(random), coordinate(random), QStringLiteral("x")));
                continue;
            }
            block.primitives.push_back(Line(coordinate(random), coordinate(random), coordinate(random),
                                            coordinate(random), lineType(random)));
        }
        for (const int optimize : {1, 2}) {
            const std::map<int, int> order = optimize == 2 ? std::map<int, int>{{2, 0}} : std::map<int, int>{};
            ASSERT_EQ(ChainedOrder(block, optimize, order), NaiveOrder(block, optimize == 2, order))
                << "round " << round << " optimize " << optimize;
        }
    }
}

TEST(ContourChainer, AgreesWithTheExhaustiveSearchWhereEndsMeetWithinTheTolerance)
{
    // Ends on a lattice of the chainer's cell size (its points sit on cell
    // borders), each moved by up to ±0.7e-6 so that some pairs meet and some
    // just miss; now and then a gap of 1e-5 (a loose end) or a segment drawn
    // twice.
    std::mt19937 random(35);
    std::uniform_real_distribution<double> jitter(-0.7e-6, 0.7e-6);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> lineType(1, 2);
    for (int round = 0; round < 80; ++round) {
        std::uniform_int_distribution<int> lattice(-3, 3 + round % 4);
        const auto point = [&] {
            die::coord p(lattice(random) * 1e-3 + jitter(random), lattice(random) * 1e-3 + jitter(random));
            if (percent(random) < 8)
                p.x += 1e-5;
            return p;
        };
        ExportBlock block;
        const int count = 4 + round * 2;
        for (int i = 0; i < count; ++i) {
            if (i > 0 && percent(random) < 10) {
                block.primitives.push_back(block.primitives[static_cast<std::size_t>(i - 1)]);
                continue;
            }
            if (percent(random) < 4) {
                const die::coord at = point();
                block.primitives.push_back(Text(at.x, at.y, QStringLiteral("t")));
                continue;
            }
            const die::coord from = point();
            const die::coord to = point();
            block.primitives.push_back(Line(from.x, from.y, to.x, to.y, lineType(random)));
        }
        for (const int optimize : {1, 2}) {
            const std::map<int, int> order = optimize == 2 ? std::map<int, int>{{2, 0}} : std::map<int, int>{};
            ASSERT_EQ(ChainedOrder(block, optimize, order), NaiveOrder(block, optimize == 2, order))
                << "round " << round << " optimize " << optimize;
        }
    }
}

} // namespace
