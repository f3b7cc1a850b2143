#include "geometry/AutoInstance.h"

void CoupleAxes(AutoInstance& rows, AutoInstance& columns)
{
    if (!rows.rotateAlternate) {
        rows.gap2 = rows.gap1;
        columns.shift2 = -columns.shift1;
    }
    if (!columns.rotateAlternate) {
        columns.gap2 = columns.gap1;
        rows.shift2 = -rows.shift1;
    }
}
