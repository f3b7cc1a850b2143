#include "dlg/EllipseFields.h"

#include "document/MorvekDoc.h"
#include "section/Section.h"
#include "section/UndoTransaction.h"

#include <cmath>

namespace dlg {

void EllipseState::Open()
{
    if (reset) {
        values = {};
        pickMode = PickNone;
        reset = false;
    }
    EllipseValues& v = values;
    if (pickMode == PickAxis && v.second == 0.0)
        v.second = std::hypot(v.axisX - v.cx, v.axisY - v.cy);
    if (pickMode == PickSide && v.first == 0.0)
        v.first = std::hypot(v.sideX - v.cx, v.sideY - v.cy);
}

bool EllipseOkEnabled(const EllipseValues& values)
{
    return values.first > 0.0 && values.second > 0.0;
}

double NormaliseRotation(double degrees)
{
    if (!std::isfinite(degrees))
        return 0.0;
    if (degrees > 360.0) {
        degrees = std::fmod(degrees, 360.0);
        if (degrees == 0.0)
            degrees = 360.0;
    } else if (degrees < 0.0) {
        degrees = std::fmod(degrees, 360.0);
        if (degrees < 0.0)
            degrees += 360.0;
    }
    return degrees + 0.0; // no negative zero
}

bool AddEllipseFromValues(CMorvekDoc& doc, EllipseState& state)
{
    EllipseValues& v = state.values;
    Section* section = doc.GetCurrentSection();
    if (!section || !EllipseOkEnabled(v))
        return false;
    v.rotation = NormaliseRotation(v.rotation);
    UndoTransaction step(doc.Undo(), kTextEllipseTitle, section);
    if (section->AddEllipse3(v.cx, v.cy, v.first, v.second, v.rotation, true, section->CurrentArcLineType()).AtEnd())
        return false;
    (void)step.commit(); // the ellipse changed the drawing; the listener marked it
    state.reset = true;
    return true;
}

} // namespace dlg
