#include "element/PairListTable.h"

#include <QtGlobal>

#include <algorithm>

int PairListTable::AddRow()
{
    rows_.emplace_back();
    return Count() - 1;
}

void PairListTable::InitRow(int row)
{
    Q_ASSERT(row >= 0 && row < Count());
    Row(row) = PairList();
}

void PairListTable::RemoveRow(int row)
{
    Q_ASSERT(row >= 0 && row < Count());
    rows_.erase(rows_.begin() + row);
}

int PairListTable::AddPair(int row, int first, int second)
{
    Q_ASSERT(row >= 0 && row < Count());
    std::vector<Pair>& pairs = Row(row).pairs;
    pairs.emplace_back(first, second);
    return static_cast<int>(pairs.size()) - 1;
}

bool PairListTable::HasPairWithOne(int row, int first) const
{
    const std::vector<Pair>& pairs = Row(row).pairs;
    return std::find(pairs.begin(), pairs.end(), Pair(first, 1)) != pairs.end();
}

int PairListTable::IndexOfFirst(int row, int first) const
{
    const std::vector<Pair>& pairs = Row(row).pairs;
    const auto it = std::find_if(pairs.begin(), pairs.end(), [&](const Pair& p) { return p.first == first; });
    return it == pairs.end() ? -1 : static_cast<int>(it - pairs.begin());
}
