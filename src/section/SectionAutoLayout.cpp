// The automatic layout: a pair of step-and-repeat records turned into the
// section's instances.
#include "section/Section.h"

#include "geometry/Angle.h"
#include "support/Log.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// A record a layout can be made of: a bounded count and finite values.
bool IsUsable(const AutoInstance& r)
{
    return r.count >= 1 && r.count <= kMaxAutoCount && std::isfinite(r.angle) && std::isfinite(r.gap1) &&
           std::isfinite(r.gap2) && std::isfinite(r.shift1) && std::isfinite(r.shift2);
}

struct Copy {
    double dx;
    double dy;
    double angle;
};

} // namespace

bool Section::AddAutoInstances(AutoInstance rows, AutoInstance columns)
{
    Log::TheLog().Write("Section::AddAutoInstances( AutoInstance )", Log::Section);
    if (!IsUsable(rows) || !IsUsable(columns))
        return false;

    const SectionBorders borders = GetBorders(false, false, true);
    const double w = borders.right - borders.left;
    const double h = borders.top - borders.bottom;
    AutoInstance r = rows;
    AutoInstance c = columns;
    CoupleAxes(r, c);
    // The turn of a copy by the parity of its x and y index.
    double angles[2][2];
    for (int p = 0; p < 2; ++p) {
        for (int q = 0; q < 2; ++q)
            angles[p][q] = Angle::NormalizeDegrees((r.rotateAlternate && p ? r.angle : 0.0) +
                                                   (c.rotateAlternate && q ? c.angle : 0.0));
    }

    // Every copy first, so that an offset too large to be a number leaves
    // the section as it was.
    std::vector<Copy> copies;
    copies.reserve(static_cast<std::size_t>(r.count) * static_cast<std::size_t>(c.count) - 1);
    for (int i = 0; i < r.count; ++i) {
        for (int j = 0; j < c.count; ++j) {
            if (i == 0 && j == 0)
                continue;
            const double x = i * w + ((i + 1) / 2) * r.gap1 + (i / 2) * r.gap2 + ((j + 1) / 2) * r.shift1 +
                             (j / 2) * r.shift2;
            const double y = j * h + ((j + 1) / 2) * c.gap1 + (j / 2) * c.gap2 + ((i + 1) / 2) * c.shift1 +
                             (i / 2) * c.shift2;
            if (!std::isfinite(x) || !std::isfinite(y))
                return false;
            copies.push_back({x, y, angles[i % 2][j % 2]});
        }
    }

    if (instances_.empty())
        NewInstance(0, 0, 0);
    else
        instances_.erase(instances_.begin() + 1, instances_.end());
    rows_ = rows;
    columns_ = columns;
    for (const Copy& copy : copies)
        NewInstance(copy.dx, copy.dy, copy.angle);
    return true;
}
