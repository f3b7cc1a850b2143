#include "exchange/export/CompatBridges.h"

#include <algorithm>
#include <cmath>

namespace Export {
namespace {

constexpr double kEqual = 0.0001;

bool Equal(double a, double b)
{
    return std::abs(a - b) < kEqual;
}

// How many groups the gaps form: runs of evenly spaced bridges (equal gaps
// between equal rules, the runs' end rules at most twice the inner ones) and
// lone gaps. Counts no further than 2.
int GroupCount(const std::vector<RulePiece>& v)
{
    const auto len = [&](size_t i) { return v[i].length; };
    int groups = 0;
    bool open = false;
    size_t j = 1;
    while (j + 1 < v.size() && groups < 2) {
        if (!open) {
            if (len(j + 1) <= 2.0 * len(j - 1) + kEqual)
                open = true;
            else
                ++groups;
            j += 2;
        } else if (Equal(len(j), len(j - 2))) {
            if (Equal(len(j + 1), len(j - 1))) {
                j += 2;
            } else if (len(j - 1) <= 2.0 * len(j + 1) + kEqual) {
                ++groups; // the run takes gap j and closes
                open = false;
                j += 2;
            } else {
                ++groups; // the run closes before gap j, which is scanned again
                open = false;
            }
        } else {
            ++groups;
            open = false;
        }
    }
    if (open)
        ++groups;
    return groups;
}

} // namespace

void AddPiece(std::vector<RulePiece>& pieces, double length, std::int32_t kind)
{
    if (pieces.empty() && kind == RulePiece::Gap)
        pieces.push_back({0.0, RulePiece::Rule});
    if (!pieces.empty() && pieces.back().kind == kind)
        pieces.back().length += length;
    else
        pieces.push_back({length, kind});
}

void FinishPieces(std::vector<RulePiece>& pieces)
{
    if (!pieces.empty() && pieces.back().kind == RulePiece::Gap)
        pieces.push_back({0.0, RulePiece::Rule});
}

void BridgeItemsOf(const std::vector<RulePiece>& pieces, std::vector<BridgeItem>& items)
{
    items.clear();
    if (pieces.empty())
        return;
    const size_t count = pieces.size();
    if (GroupCount(pieces) <= 1 && Equal(pieces.front().length, pieces.back().length)) {
        double total = 0.0;
        for (const RulePiece& p : pieces)
            total += p.length;
        items.push_back({0.0, total, count > 1 ? pieces[1].length : 0.0, static_cast<std::int32_t>((count - 1) / 2)});
        return;
    }
    double shortest = pieces[0].length;
    for (size_t i = 0; i < count; i += 2)
        shortest = std::min(shortest, pieces[i].length);
    const double g = shortest / 2.0;
    items.push_back({0.0, pieces[0].length - g, 0.0, 0});
    for (size_t i = 1; i + 1 < count; ++i) {
        const double c = items.back().end;
        const double v = pieces[i].length;
        if (pieces[i].kind == RulePiece::Gap)
            items.push_back({c, c + v + 2.0 * g, v, 1});
        else if (v > 2.0 * g + kEqual)
            items.push_back({c, c + v - 2.0 * g, 0.0, 0});
    }
    const double c = items.back().end;
    items.push_back({c, c + pieces.back().length - g, 0.0, 0});
}

} // namespace Export
