#include "dlg/DimensionFields.h"

#include "document/MorvekDoc.h"
#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "section/Section.h"
#include "section/UndoTransaction.h"

#include <algorithm>

namespace dlg {

const int kCircleElementType = ElementTypeId::Arc;

bool DimensionState::TakeCircle(const CElement* element, int companion)
{
    const auto* arc = dynamic_cast<const CArc*>(element);
    if (!arc)
        return false;
    circleCentre = arc->GetCenterNode();
    circleStart = arc->GetStartNode();
    circleCompanion = companion;
    return true;
}

void DimensionState::StartCommand(int presetKind)
{
    reset = true;
    kind = presetKind;
}

void DimensionState::Open()
{
    if (!reset)
        return;
    const int preset = kind == kDimAngle || kind == kDimRadius ? kind : kDimAligned;
    *this = {};
    kind = preset;
    reset = false;
}

DimensionControls ControlsFor(int kind)
{
    DimensionControls c;
    if (kind == kDimAngle) {
        c.centre = true;
        c.centreCoords = true;
    } else if (kind == kDimRadius) {
        c.points = false;
        c.pointCoords = false;
        c.circle = true;
    }
    return c;
}

bool DimensionOkEnabled(const DimensionState& state)
{
    switch (state.kind) {
    case kDimRadius: return state.HasCircle();
    case kDimAngle: return state.first.node >= 0 && state.second.node >= 0 && state.centre.node >= 0;
    default: return state.first.node >= 0 && state.second.node >= 0;
    }
}

int DimensionTitle(int kind)
{
    switch (kind) {
    case kDimHorizontal: return 117;
    case kDimVertical: return 118;
    case kDimAngle: return 49;
    case kDimRadius: return 192;
    default: return 48;
    }
}

bool AddDimensionFromState(CMorvekDoc& doc, const DimensionState& state)
{
    Section* section = doc.GetCurrentSection();
    if (!section || !DimensionOkEnabled(state))
        return false;
    const bool radius = state.kind == kDimRadius;
    const int first = radius ? state.circleCentre : state.first.node;
    const int second = radius ? state.circleStart : state.second.node;
    const std::array<int, 3> companions =
        radius ? std::array<int, 3>{state.circleCompanion, state.circleCompanion, 0}
               : std::array<int, 3>{state.first.companion, state.second.companion, state.centre.companion};
    const int centre = state.kind == kDimAngle ? state.centre.node : -1;
    UndoTransaction step(doc.Undo(), DimensionTitle(state.kind), section);
    if (section->AddMeasureAt(state.kind, state.posX, state.posY, first, second, centre, companions, true)
            .AtEnd())
        return false;
    (void)step.commit(); // the dimension changed the drawing; the listener marked it
    return true;
}

} // namespace dlg
