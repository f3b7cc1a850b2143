#include "dlg/PropertyPages.h"

#include "dlg/AnnotationPages.h"
#include "dlg/GeometryPages.h"
#include "document/MorvekDoc.h"
#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "options/LanguageTable.h"
#include "section/Section.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace dlg {

namespace {

constexpr double kKeep = std::numeric_limits<double>::quiet_NaN();

// A point for Section::RefreshElement: not-a-number keeps the node.
void PushPoint(std::vector<double>& w, const PagePoint& p, bool keep)
{
    const die::coord a = p.Applied();
    w.push_back(keep ? kKeep : a.x);
    w.push_back(keep ? kKeep : a.y);
}

// The common end of the line, arc and ellipse applies: nothing when
// nothing changed; the element rebuilt through Section::RefreshElement
// with the Element page's values; then the extensions.
ApplyOutcome ApplyRebuilt(PropertyValues& v, PropertyApply& t, std::vector<double> w, bool geometryChanged,
                          const Extension& atStart, const Extension& atEnd)
{
    const bool extended = atStart.value != 0.0 || atEnd.value != 0.0;
    if (!geometryChanged && !extended && !v.common.Differs(t.element))
        return ApplyOutcome::Unchanged;
    std::unique_ptr<CElement> edited = Section::CreateElement(t.element);
    if (!edited)
        return ApplyOutcome::Refused;
    v.common.ApplyTo(*edited);
    if (!geometryChanged)
        w.clear();
    const Section::Refresh r = t.section.RefreshElement(t.slot, *edited, w);
    if (r.outcome == Section::Refresh::Refused)
        return ApplyOutcome::Refused;
    if (r.outcome == Section::Refresh::Kept && extended) // the extension alone: a copy is extended
        (void)t.section.ReplaceElement(t.slot, Section::CreateElement(t.element));
    t.doc.ValidateAllElements();
    CElement* now = t.section.GetElement(t.slot);
    if (now && extended && !now->ExtendBy(atStart.value, atEnd.value))
        t.extensionRefused = true;
    if (now) {
        now->RefreshBridges();
        now->Recalculate();
    }
    return ApplyOutcome::Changed;
}

// --- line ---------------------------------------------------------------------

void FillLine(PropertyValues& v, CElement& e)
{
    if (auto* line = dynamic_cast<CLine*>(&e))
        v.line.Fill(*line);
}

bool PickLine(PropertyValues& v, int code, const PickedPoint& p)
{
    switch (code) {
    case propend::kPickLineStart: v.line.start.Set(p.x, p.y); return true;
    case propend::kPickLineEnd: v.line.end.Set(p.x, p.y); return true;
    default: return false;
    }
}

QString ValidateLine(const PropertyValues& v)
{
    if (v.line.EndsEqual())
        return Translate(kTextEqualLineEnds);
    return {};
}

ApplyOutcome ApplyLine(PropertyValues& v, PropertyApply& t)
{
    std::vector<double> w;
    PushPoint(w, v.line.start, !v.line.start.Changed());
    PushPoint(w, v.line.end, !v.line.end.Changed());
    return ApplyRebuilt(v, t, w, v.line.GeometryChanged(), v.line.atStart, v.line.atEnd);
}

// --- arc ----------------------------------------------------------------------

void FillArc(PropertyValues& v, CElement& e)
{
    if (auto* arc = dynamic_cast<CArc*>(&e))
        v.arc.Fill(*arc);
}

bool PickArc(PropertyValues& v, int code, const PickedPoint& p)
{
    switch (code) {
    case propend::kPickArcStart:
        v.arc.start.Set(p.x, p.y);
        v.arc.UpdateRadius();
        return true;
    case propend::kPickArcEnd: v.arc.end.Set(p.x, p.y); return true;
    case propend::kPickArcCentre:
        v.arc.centre.Set(p.x, p.y);
        v.arc.UpdateRadius();
        return true;
    default: return false;
    }
}

ApplyOutcome ApplyArc(PropertyValues& v, PropertyApply& t)
{
    std::vector<double> w;
    PushPoint(w, v.arc.start, !v.arc.start.Changed());
    PushPoint(w, v.arc.end, !v.arc.end.Changed());
    PushPoint(w, v.arc.centre, !v.arc.centre.Changed());
    return ApplyRebuilt(v, t, w, v.arc.GeometryChanged(), v.arc.atStart, v.arc.atEnd);
}

// --- ellipse ------------------------------------------------------------------

void FillEllipse(PropertyValues& v, CElement& e)
{
    if (auto* ellipse = dynamic_cast<CEllipse*>(&e))
        v.ellipse.Fill(*ellipse);
}

bool PickEllipse(PropertyValues& v, int code, const PickedPoint& p)
{
    switch (code) {
    case propend::kPickEllipseStart: v.ellipse.start.Set(p.x, p.y); return true;
    case propend::kPickEllipseEnd: v.ellipse.end.Set(p.x, p.y); return true;
    case propend::kPickEllipseCentre: v.ellipse.centre.Set(p.x, p.y); return true;
    default: return false;
    }
}

QString ValidateEllipse(const PropertyValues& v)
{
    if (!(v.ellipse.radius1 > 0.0) || !(v.ellipse.radius2 > 0.0))
        return Translate(kTextEllipseRadius);
    return {};
}

ApplyOutcome ApplyEllipse(PropertyValues& v, PropertyApply& t)
{
    const EllipsePageValues& e = v.ellipse;
    std::vector<double> w;
    PushPoint(w, e.start, !e.start.Changed());
    PushPoint(w, e.end, !e.end.Changed());
    PushPoint(w, e.centre, !e.centre.Changed());
    // The radius nodes follow a moved centre or a new shape.
    const bool shape = e.ShapeChanged() || e.centre.Changed();
    w.push_back(shape ? e.AppliedRadius1() : kKeep);
    w.push_back(shape ? e.AppliedRadius2() : kKeep);
    w.push_back(shape ? e.AppliedAngle() * std::numbers::pi / 180.0 : kKeep);
    return ApplyRebuilt(v, t, w, e.GeometryChanged(), e.atStart, e.atEnd);
}

// The table: one row per element type with properties. The cuir, Bobst
// assembly, dimension and text rows join here with their pages.
const std::array kRows{
    PropertyPageRow{ElementTypeId::Arc, true, false, &MakeArcPage, &FillArc, &PickArc, nullptr, &ApplyArc},
    PropertyPageRow{ElementTypeId::Line, true, false, &MakeLinePage, &FillLine, &PickLine, &ValidateLine, &ApplyLine},
    PropertyPageRow{ElementTypeId::Ellipse, true, false, &MakeEllipsePage, &FillEllipse, &PickEllipse,
                    &ValidateEllipse, &ApplyEllipse},
    PropertyPageRow{ElementTypeId::Spline, true, false, nullptr, nullptr, nullptr, nullptr, nullptr},
    PropertyPageRow{ElementTypeId::Cuir, false, false, &MakeCuirPage, &FillCuir, &PickCuir, nullptr, &ApplyCuir},
    PropertyPageRow{ElementTypeId::BobstAsm, false, false, &MakeBobstAsmPage, &FillBobstAsm, &PickBobstAsm, nullptr,
                    &ApplyBobstAsm, &FillSeveralBobstAsm, &ApplySeveralBobstAsm},
    PropertyPageRow{ElementTypeId::Measure, false, false, &MakeDimensionPage, &FillDimension, &PickDimension, nullptr,
                    &ApplyDimension},
    PropertyPageRow{ElementTypeId::Text, true, true, &MakeTextPage, &FillText, &PickText, &ValidateText, &ApplyText,
                    &FillSeveralText, &ApplySeveralText},
};

} // namespace

const PropertyPageRow* FindPropertyPages(int typeId)
{
    for (const PropertyPageRow& row : kRows)
        if (row.typeId == typeId)
            return &row;
    return nullptr;
}

ApplyOutcome ApplyCommonOnly(PropertyValues& values, PropertyApply& target)
{
    return ApplyRebuilt(values, target, {}, false, Extension{}, Extension{});
}

} // namespace dlg
