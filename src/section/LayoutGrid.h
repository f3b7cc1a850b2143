#pragma once
// How many copies of a section a saved step-and-repeat layout fits on a
// sheet, and how much of the sheet they leave free; nothing is created.
// One grid serves any number of computations over its section.
#include "geometry/AutoInstance.h"
#include "geometry/BoundingBox.h"

#include <utility>
#include <vector>

class Section;
struct SavedLayout;

// The best grid: copies 0..lastX across and 0..lastY down, and the part of
// the sheet (0 to 1) they leave free. (0, 0) means no grid of at least two
// copies fits.
struct LayoutFit {
    int lastX = 0;
    int lastY = 0;
    double freeFraction = 0.0;
};

class LayoutGrid {
public:
    // The largest index the search reaches in either direction.
    static constexpr int kMaxIndex = kMaxAutoCount - 1;

    explicit LayoutGrid(const Section& section);

    // The best grid of the layout on a sheet of width × height mm. A sheet
    // whose sides are not finite and above 0 holds nothing: (0, 0) with
    // nothing free.
    LayoutFit Compute(const SavedLayout& layout, double width, double height);

    // After Compute: the box of the copy with x index a and y index b, and
    // the box of all copies with x index 0..a and y index 0..b. Indices lie
    // in 0..kMaxIndex.
    BoundingBox GetInstanceRect(int a, int b) const;
    BoundingBox GetGridRect(int a, int b);

private:
    // The largest grids the sheet could hold, computed into the cache, and
    // the best of them; (0, 0) for a layout that does not advance in both
    // directions (it would fill any sheet).
    std::pair<int, int> FitSheet(double width, double height);
    std::pair<int, int> FindBestFit(double width, double height) const;
    // 1 − the area the copies 0..lastX × 0..lastY cover / the sheet's area,
    // never below 0.
    double GetFreeFraction(double width, double height, int lastX, int lastY) const;

    const Section& section_;
    // The advance before an odd or an even index: along x per x index
    // (xStep) and per y index (yShift), along y per x index (xShift) and
    // per y index (yStep).
    double xStep_[2] = {};
    double xShift_[2] = {};
    double yShift_[2] = {};
    double yStep_[2] = {};
    // The section's extent as the copies of each parity of x and y index
    // are turned, about the section's centre.
    BoundingBox kinds_[2][2];
    // Grid boxes by (x index, y index), x index first: entry
    // a · (kMaxIndex + 1) + b, made at the first computation; a box is
    // there when its flag is set.
    std::vector<BoundingBox> grid_;
    std::vector<char> inGrid_;
};
