#include "exchange/export/oldn/OldnWriter.h"

#include "exchange/export/ExportPreparer.h"
#include "geometry/Angle.h"
#include "platform/CFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Export {
namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

// A name or text as one field of one record: ']' would end the field and a
// line break the record.
QString FieldText(const QString& text)
{
    QString field = text;
    field.replace(QLatin1Char(']'), QLatin1Char('|'));
    field.replace(QLatin1Char('\r'), QLatin1Char(' '));
    field.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return field;
}

// The older layout has no numbers for the internal line types of bridged
// and special rules: they go out as a cut (8) and a crease (1).
int WrittenLineType(int lineType)
{
    if (lineType == 122)
        return 8;
    if (lineType == 123)
        return 1;
    return lineType;
}

// The whole part of a ptg, held to the int range (0 for no number).
int WholePtg(double ptg)
{
    if (std::isnan(ptg))
        return 0;
    const double held = std::clamp(ptg, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max()));
    return static_cast<int>(std::trunc(held));
}

struct Bounds {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// The block's lines and arcs (whole circles) bound it; a block without
// either keeps the bounds before it.
Bounds BoundsOf(const ExportBlock& block, const Bounds& before)
{
    Bounds b = before;
    bool first = true;
    const auto extend = [&](double x0, double y0, double x1, double y1) {
        if (first) {
            b = {x0, y1, x1, y0};
            first = false;
            return;
        }
        b.left = std::min(b.left, x0);
        b.right = std::max(b.right, x1);
        b.bottom = std::min(b.bottom, y0);
        b.top = std::max(b.top, y1);
    };
    for (const ExportPrimitive& p : block.primitives) {
        if (p.kind == ExportPrimitive::Line) {
            extend(std::min(p.B.x, p.C.x), std::min(p.B.y, p.C.y), std::max(p.B.x, p.C.x), std::max(p.B.y, p.C.y));
        } else if (p.kind == ExportPrimitive::Arc) {
            const double r = (p.B - p.A).Length();
            extend(p.A.x - r, p.A.y - r, p.A.x + r, p.A.y + r);
        }
    }
    return b;
}

void WritePrimitive(QString& out, const ExportPrimitive& p, int number)
{
    const int lineType = WrittenLineType(p.line_type);
    const int ptg = WholePtg(p.ptg);
    const double width = p.bridge_width;
    if (p.kind == ExportPrimitive::Line) {
        const die::coord& s = p.Start();
        const die::coord& e = p.End();
        out += platform::cformat("L]%d]%f]%f]%f]%f]%d]%d]%d]%f]\n", number, s.x, s.y, e.x, e.y, lineType, ptg,
                                 p.bridge_count, width);
    } else if (p.kind == ExportPrimitive::Arc) {
        // Counter-clockwise from the first point to the second when the
        // radius is positive, clockwise when it is negative.
        const double r = (p.B - p.A).Length();
        const die::coord& first = p.reverse ? p.C : p.B;
        const die::coord& second = p.reverse ? p.B : p.C;
        out += platform::cformat("A]%d]%f]%f]%f]%f]%d]%d]%d]%f]]]%f]%f]%f]\n", number, first.x, first.y, second.x,
                                 second.y, lineType, ptg, p.bridge_count, width, p.A.x, p.A.y, p.reverse ? -r : r);
    } else if (p.kind == ExportPrimitive::Text) {
        const double angle = Angle().FromVector(p.B).Radians() * kDegreesPerRadian;
        out += platform::cformat("T]%d]%f]%f]1]%d]17]%d]%f]%f]%f]\n", number, p.C.y, p.C.x, ptg, lineType, p.A.x, p.A.y,
                                 angle);
        out += FieldText(p.text) + QStringLiteral("]\n");
    }
}

} // namespace

void WriteOldn(ExportText& out, const ExportPreparer& job)
{
    QString& text = out.text;
    text += platform::cformat("D]41111]%s]\nU]M]\n", FieldText(out.name));
    Bounds bounds;
    for (const ExportBlock& block : job.Blocks()) {
        bounds = BoundsOf(block, bounds);
        text += platform::cformat("S]1]]%s]2]1]%f]%f]%f]%f]\n", FieldText(block.name), bounds.left, bounds.top,
                                  bounds.right, bounds.bottom);
        text += QStringLiteral("I]1]]]]1]1]\n");
        int number = 2;
        for (const ExportPlacement& placement : block.placements)
            text += platform::cformat("I]%d]%f]%f]%f]1]1]\n", number++, placement.x, placement.y,
                                      placement.angle * kDegreesPerRadian);
        number = 1;
        for (const ExportPrimitive& p : block.primitives)
            WritePrimitive(text, p, number++);
        text += QStringLiteral("*]\n");
    }
    text += QStringLiteral("*]\n");
}

} // namespace Export
