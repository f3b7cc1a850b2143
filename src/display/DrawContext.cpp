#include "display/DrawContext.h"

#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "display/StrokeFont.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constinit platform::Current<int> g_mirrorFlags{0};

// origin + sign·int(value): the product truncated towards zero before the sign
// is applied, held within the device range instead of overflowing.
int mapAxis(int origin, bool mirrored, double value)
{
    const std::int64_t t = platform::toDeviceUnits(value);
    const std::int64_t r = static_cast<std::int64_t>(origin) + (mirrored ? -t : t);
    return static_cast<int>(std::clamp<std::int64_t>(r, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
}

} // namespace

platform::ScopedOverride<int> DrawContext::OverrideMirrorFlags(int bits)
{
    return g_mirrorFlags.Override(bits);
}

int DrawContext::GetMirrorFlags()
{
    return g_mirrorFlags.Get();
}

void DrawContext::SetMirrorFlags(int bits)
{
    g_mirrorFlags.Set(bits);
}

DrawContext::DrawContext(platform::Device* dc, const CInstance& place, bool pen, bool bridges,
                         platform::DevicePoint deviceOrigin)
    : device(dc), placement(place), origin(deviceOrigin), penFlag(pen), bridgesFlag(bridges)
{
}

platform::DevicePoint DrawContext::ToDevice(const die::coord& p) const
{
    return {mapAxis(origin.x, g_mirrorFlags.Get() & MirrorX, p.x * scale),
            mapAxis(origin.y, g_mirrorFlags.Get() & MirrorY, p.y * scale)};
}

void DrawContext::SelectLineTo(int x, int y)
{
    if (!device)
        return;
    device->selectPen(platform::Pen::white());
    device->lineTo(x, y);
}

void DrawContext::Line(const die::coord& P, const die::coord& Q)
{
    if (!device)
        return;
    device->moveTo(ToDevice(P));
    const platform::DevicePoint q = ToDevice(Q);
    SelectLineTo(q.x, q.y);
}

void DrawContext::LineToPoint(const die::coord& P)
{
    const platform::DevicePoint p = ToDevice(P);
    SelectLineTo(p.x, p.y);
}

void DrawContext::ArcDevice(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (!device)
        return;
    device->selectPen(platform::Pen::white());
    device->arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void DrawContext::Arc(const die::coord& A, const die::coord& B, const die::coord& S, const die::coord& E)
{
    const platform::DevicePoint a = ToDevice(A), b = ToDevice(B), s = ToDevice(S), e = ToDevice(E);
    ArcDevice(a.x, a.y, b.x, b.y, s.x, s.y, e.x, e.y);
}

void DrawContext::DrawGlyph(int index, double x, double y, double width, double height, double angle)
{
    const StrokeFont::Glyph* glyph = StrokeFont::GlyphAt(index);
    if (!device || !glyph || glyph->last < 0)
        return;
    const double sx = width / StrokeFont::CellSize;
    const double sy = height / StrokeFont::CellSize;
    for (int j = 0; j <= glyph->last && j < StrokeFont::MaxStrokes; ++j) {
        die::coord from(glyph->x1[j], glyph->y1[j]);
        die::coord to(glyph->x2[j], glyph->y2[j]);
        Geom::ScaleRotatePoint(from.x, from.y, x, y, angle, sx, sy, false);
        Geom::ScaleRotatePoint(to.x, to.y, x, y, angle, sx, sy, false);
        device->moveTo(ToDevice(from));
        device->lineTo(ToDevice(to));
    }
}

void DrawContext::DrawStrokeText(double x, double y, double width, double height, double angle,
                                 const QString& text)
{
    const bool alongX = std::abs(angle) < 0.1;
    const double stepX = alongX ? width : width * std::cos(Geom::DegToRad(angle));
    const double stepY = alongX ? 0.0 : width * std::sin(Geom::DegToRad(angle));
    for (const QChar c : text) {
        const int index = StrokeFont::IndexOf(c);
        if (index >= 0)
            DrawGlyph(index, x, y, width, height, angle);
        x += stepX;
        y += stepY;
    }
}
