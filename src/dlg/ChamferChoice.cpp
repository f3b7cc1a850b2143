#include "dlg/ChamferChoice.h"

namespace dlg {

bool ChamferChoice::IsComplete() const
{
    int given = 0;
    for (int f = 0; f < kFieldCount; ++f)
        given += IsGiven(static_cast<Field>(f)) ? 1 : 0;
    return given == 2 && !(IsGiven(Angle1) && IsGiven(Angle2));
}

} // namespace dlg
