// The cuir's display list, its preview drawing and the fitted preview.
#include "element/Cuir.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "element/AnnotationGeometry.h"
#include "element/ElementNodes.h"
#include "element/FittedPreview.h"
#include "geometry/Angle.h"

using Annotation::UnitAt;

void CCuir::RebuildContour()
{
    if (!displayDirty)
        return;
    CNodePoint* current = CurrentNode();
    if (!current)
        return;
    const die::coord c = ElementNodes::Position(*current);
    const die::coord d = UnitAt(angle);
    BeginContour();
    displayList->AddArc(c, c + die::coord{radius, 0.0}, c + die::coord{radius, 0.0});
    displayList->AddLine(c + d * radius, c + d * (radius + wingLength));
    displayList->AddLine(c - d * (radius + wingLength), c - d * radius);
    FinishContour();
}

void CCuir::Draw(DrawContext& dc)
{
    CNodePoint* current = CurrentNode();
    if (!dc.device || !current)
        return;
    const die::coord c = ElementNodes::Position(*current);
    const double a = Angle::Normalize(angle);
    const double b = Angle::Normalize(a + Geom::kPi);
    dc.Line(c + UnitAt(a) * (radius + wingLength), c + UnitAt(a) * radius);
    dc.Line(c + UnitAt(b) * (radius + wingLength), c + UnitAt(b) * radius);
    const die::coord start = c + UnitAt(a) * radius;
    dc.Arc({c.x - radius, c.y + radius}, {c.x + radius, c.y - radius}, start, start);
}

double CCuir::DrawFitted(DrawContext& dc, const DeviceRect& rect)
{
    // The preview dialog sets the node; without it there is nothing to show.
    if (!previewNode)
        return 0.0;
    const double size = 2.0 * (radius + wingLength);
    FitPreview(dc, rect, ElementNodes::Position(*previewNode), size, size);
    Draw(dc);
    return dc.scale;
}
