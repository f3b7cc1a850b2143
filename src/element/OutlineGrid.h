#pragma once
// A hash grid of boxes for the outline builder's graph steps: each item is
// kept in every cell its box touches, so that a box query returns every item
// whose box meets it (and some that merely share a cell). Items whose box is
// not finite or spans very many cells sit in a list that every query returns.
#include "geometry/Coord.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class OutlineGrid {
public:
    // cell: the side of a cell (mm), positive.
    explicit OutlineGrid(double cell) : cell_(cell) {}

    void Add(int item, const die::coord& low, const die::coord& high);
    void AddPoint(int item, const die::coord& at) { Add(item, at, at); }
    // The items whose cells meet the box, ascending, each once.
    void Query(const die::coord& low, const die::coord& high, std::vector<int>& out) const;

private:
    // Cell range of a box; false when it is not finite or too large.
    bool Cells(const die::coord& low, const die::coord& high, std::int64_t& x0, std::int64_t& y0, std::int64_t& x1,
               std::int64_t& y1) const;
    static std::uint64_t Key(std::int64_t x, std::int64_t y);

    double cell_;
    std::unordered_map<std::uint64_t, std::vector<int>> cells_;
    std::vector<int> everywhere_;
};
