// The text's display list (stroke font), its preview drawing in the stroke
// font or the stored system font, and the fitted preview.
#include "element/Text.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "element/AnnotationGeometry.h"
#include "element/ElementNodes.h"
#include "geometry/Angle.h"

#include <cmath>

using ElementNodes::Position;

namespace {
// A baseline shorter than this in both directions is taken along the x axis.
constexpr double kDegenerate = 1e-6;
} // namespace

void CText::RebuildContour()
{
    if (!displayDirty || !TakeCurrentNodes())
        return;
    const die::coord height = Position(*current_[0]);
    const die::coord base = Position(*current_[1]);
    const die::coord end = Position(*current_[2]);
    const double h = die::distance(base, height);
    const double w = text.isEmpty() ? 0.0 : die::distance(base, end) / static_cast<double>(text.size());
    die::coord d = end - base;
    if (std::fabs(d.x) < kDegenerate && std::fabs(d.y) < kDegenerate)
        d.x = 1.0;
    const die::coord origin = mirrored ? end : base;
    const double advance = mirrored ? -w : w;
    BeginContour();
    if (advance != 0.0 && h > 0.0)
        displayList->AddText(origin, d, {advance, h}, text, -1);
    FinishContour();
}

void CText::Draw(DrawContext& dc)
{
    if (!dc.device || !TakeCurrentNodes())
        return;
    const die::coord height = dc.placement.Transform(Position(*current_[0]));
    const die::coord base = dc.placement.Transform(Position(*current_[1]));
    const die::coord end = dc.placement.Transform(Position(*current_[2]));
    const double w = text.isEmpty() ? 0.0 : die::distance(base, end) / static_cast<double>(text.size());
    const double h = die::distance(base, height);
    double angle = ElementNodes::Direction(*current_[1], *current_[2]) + Annotation::PlacementTurn(dc);
    while (angle > Geom::kTwoPi)
        angle -= Geom::kTwoPi;
    if (fontKind == TextFontKind::StrokeFont) {
        dc.DrawStrokeText(base.x, base.y, w, h, Geom::RadToDeg(angle), text);
        return;
    }
    platform::Device& device = *dc.device;
    const platform::LogFont previousFont = device.selectFont(font);
    const platform::ColorRef previousColour = device.setTextColor(colour);
    const unsigned previousAlign = device.setTextAlign(platform::TextAlign::Baseline);
    const platform::DevicePoint at = dc.ToDevice(base);
    device.textOut(at.x, at.y, text);
    device.setTextAlign(previousAlign);
    device.setTextColor(previousColour);
    device.selectFont(previousFont);
}

double CText::DrawFitted(DrawContext& dc, const DeviceRect& rect)
{
    return Annotation::DrawFitted(*this, dc, rect);
}
