#pragma once
// A table of rows, each a list of pairs of integers with a flag and a
// value. The outline builder keeps its contours in one: a row per contour,
// a pair (segment index, reversed) per traversed segment, the row value the
// contour's kind.
#include <cstdint>
#include <utility>
#include <vector>

class PairListTable {
public:
    using Pair = std::pair<std::int32_t, std::int32_t>;
    struct PairList {
        std::vector<Pair> pairs;
        std::uint8_t flag = 0;
        int value = 0;
    };

    int Count() const { return static_cast<int>(rows_.size()); }
    // Removes every row.
    void Clear() { rows_.clear(); }
    // Appends an empty row and returns its index.
    int AddRow();
    // Empties the row and zeroes its flag and value.
    void InitRow(int row);
    void RemoveRow(int row);
    // Appends the pair and returns its position.
    int AddPair(int row, int first, int second);
    bool HasFirst(int row, int first) const { return IndexOfFirst(row, first) >= 0; }
    // Some pair of the row is (first, 1).
    bool HasPairWithOne(int row, int first) const;
    // The position of the first pair with that first value, or −1.
    int IndexOfFirst(int row, int first) const;

    PairList& Row(int row) { return rows_[static_cast<std::size_t>(row)]; }
    const PairList& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

private:
    std::vector<PairList> rows_;
};
