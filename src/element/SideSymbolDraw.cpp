// The figures of the separation rule and the stripper wood, in millimetres
// from the node, mirrored by the side.
#include "element/SideSymbol.h"

#include "display/DisplayList.h"

#include <array>

void CSeperationRule::RebuildContour()
{
    const auto at = BeginFigure();
    if (!at)
        return;
    const die::coord c = *at;
    const double s = Sign();
    const std::array<die::coord, 4> bar = {c + die::coord{1.5 * s, 1.0}, c + die::coord{31.5 * s, 1.0},
                                           c + die::coord{31.5 * s, -1.0}, c + die::coord{1.5 * s, -1.0}};
    for (std::size_t i = 0; i + 1 < bar.size(); ++i)
        displayList->AddLine(bar[i], bar[i + 1]);
    AddCircle(c + die::coord{23.5 * s, 12.5}, 3.0);
    AddCircle(c + die::coord{23.5 * s, -12.5}, 3.0);
    AddCircle(c + die::coord{100.0 * s, -15.0}, 2.8);
    AddCircle(c + die::coord{100.0 * s, -55.0}, 2.8);
    FinishContour();
}

void CStripperWood::RebuildContour()
{
    const auto at = BeginFigure();
    if (!at)
        return;
    const die::coord c = *at;
    const double s = Sign();
    constexpr double kHoleRadius = 0.5;
    const auto rectangle = [&](double k) {
        const std::array<die::coord, 5> corners = {c + die::coord{-7.0, k * s}, c + die::coord{7.0, k * s},
                                                   c + die::coord{7.0, (k + 19.0) * s},
                                                   c + die::coord{-7.0, (k + 19.0) * s}, c + die::coord{-7.0, k * s}};
        for (std::size_t i = 0; i + 1 < corners.size(); ++i)
            displayList->AddLine(corners[i], corners[i + 1]);
    };
    AddCircle(c + die::coord{0.0, 12.5 * s}, kHoleRadius);
    rectangle(130.0);
    AddCircle(c + die::coord{0.0, 314.0 * s}, kHoleRadius);
    rectangle(479.0);
    AddCircle(c + die::coord{0.0, 663.0 * s}, kHoleRadius);
    rectangle(828.0);
    AddCircle(c + die::coord{0.0, 993.0 * s}, kHoleRadius);
    FinishContour();
}
