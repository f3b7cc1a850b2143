#include "exchange/export/cf2/Cf2Writer.h"

#include "exchange/export/ExportPreparer.h"
#include "geometry/Angle.h"
#include "geometry/BoundingBox.h"
#include "geometry/GeomConstants.h"
#include "platform/CFormat.h"

#include <cmath>

namespace Export {
namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

// A block's name as CF2 can hold it: a comma would end the field.
QString BlockName(const ExportBlock& block)
{
    QString name = block.name;
    name.replace(QLatin1Char(','), QLatin1Char(' '));
    return name;
}

// A point turned about the origin by the placement's angle, then moved.
die::coord Placed(const die::coord& p, const ExportPlacement& placement)
{
    const double c = std::cos(placement.angle);
    const double s = std::sin(placement.angle);
    return {placement.x + p.x * c - p.y * s, placement.y + p.x * s + p.y * c};
}

// The extents of one primitive: a line's ends, an arc's ends and the points
// of its circle it passes at 0°, 90°, 180° and 270°, a text's box (its
// advance times its characters along its direction, its height across).
void ExtendBy(BoundingBox& box, const ExportPrimitive& p)
{
    switch (p.kind) {
    case ExportPrimitive::Line:
        box.Extend(p.B);
        box.Extend(p.C);
        break;
    case ExportPrimitive::Arc: {
        box.Extend(p.B);
        box.Extend(p.C);
        const double r = (p.B - p.A).Length();
        const double from = Angle().FromVector(p.B - p.A).Radians();
        const double to = Angle().FromVector(p.C - p.A).Radians();
        const double sweep = from == to ? Geom::kTwoPi : Angle::Normalize(to - from);
        for (int quadrant = 0; quadrant < 4; ++quadrant) {
            const double at = quadrant * Geom::kTwoPi / 4.0;
            if (Angle::Normalize(at - from) <= sweep)
                box.Extend(p.A + die::coord(std::cos(at), std::sin(at)) * r);
        }
        break;
    }
    case ExportPrimitive::Text: {
        const die::coord along = p.B * (p.C.x * static_cast<double>(p.text.size()));
        const die::coord up = die::coord(-p.B.y, p.B.x) * p.C.y;
        box.Extend(p.A);
        box.Extend(p.A + along);
        box.Extend(p.A + up);
        box.Extend(p.A + along + up);
        break;
    }
    default:
        break;
    }
}

// The primitive placed: its points turned and moved (an arc stays an arc).
ExportPrimitive PlacedPrimitive(ExportPrimitive p, const ExportPlacement& placement)
{
    const bool text = p.kind == ExportPrimitive::Text;
    p.A = Placed(p.A, placement);
    if (text) {
        p.B = Placed(p.B, {placement.angle, 0.0, 0.0}); // a direction only turns
    } else {
        p.B = Placed(p.B, placement);
        p.C = Placed(p.C, placement);
    }
    return p;
}

// The extents of every block in place and at each of its placements.
BoundingBox ExtentsOf(const std::vector<ExportBlock>& blocks)
{
    BoundingBox box;
    for (const ExportBlock& block : blocks) {
        for (const ExportPrimitive& p : block.primitives) {
            ExtendBy(box, p);
            for (const ExportPlacement& placement : block.placements)
                ExtendBy(box, PlacedPrimitive(p, placement));
        }
    }
    return box;
}

void WritePrimitive(QString& out, const ExportPrimitive& p)
{
    const double ptg = p.ptg;
    if (p.kind == ExportPrimitive::Line) {
        const die::coord& s = p.Start();
        const die::coord& e = p.End();
        out += platform::cformat("L,%f,%d,0,%f,%f,%f,%f,%d,%f\n", ptg, p.line_type, s.x, s.y, e.x, e.y, p.bridge_count,
                                 static_cast<double>(p.bridge_width));
    } else if (p.kind == ExportPrimitive::Arc) {
        // CF2 arcs run clockwise from their first point when the radius is
        // negative, counter-clockwise when it is positive.
        const double r = (p.B - p.A).Length();
        const die::coord& first = p.reverse ? p.B : p.C;
        const die::coord& second = p.reverse ? p.C : p.B;
        out += platform::cformat("A,%f,%d,0,%f,%f,%f,%f,%f,%f,%f,%d,%f\n", ptg, p.line_type, first.x, first.y, second.x,
                                 second.y, p.A.x, p.A.y, p.reverse ? r : -r, p.bridge_count,
                                 static_cast<double>(p.bridge_width));
    } else if (p.kind == ExportPrimitive::Text) {
        // As the CF2 reader takes it: position, angle in degrees, height,
        // advance per character, and the text on a line of its own.
        QString text = p.text;
        text.removeIf([](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); });
        out += platform::cformat("T,%f,%d,0,%f,%f,%f,%f,%f\n%s\n", ptg, p.line_type, p.A.x, p.A.y,
                                 Angle().FromVector(p.B).Radians() * kDegreesPerRadian, p.C.y, p.C.x, text);
    }
}

} // namespace

void WriteCf2(ExportText& out, const ExportPreparer& job)
{
    QString& text = out.text;
    const auto& blocks = job.Blocks();
    text += platform::cformat("$BOF\nV2\nORDER\nEND\nAUX\nEND\nMAIN,%s\nUM\n", out.name);
    // The box the die fills; an export with nothing in it keeps the box
    // readers have always been given.
    const BoundingBox box = ExtentsOf(blocks);
    if (box.IsEmpty())
        text += QStringLiteral("LL,-65,-56\nUR,343,286\n");
    else
        text += platform::cformat("LL,%f,%f\nUR,%f,%f\n", box.minX, box.minY, box.maxX, box.maxY);
    text += QStringLiteral("SCALE,1,1\n");
    for (const ExportBlock& block : blocks) {
        const QString name = BlockName(block);
        text += platform::cformat("C,%s,0,0,0,1,1\n", name);
        for (const ExportPlacement& placement : block.placements)
            text += platform::cformat("C,%s,%f,%f,%f,1,1\n", name, placement.x, placement.y, placement.angle * kDegreesPerRadian);
    }
    text += QStringLiteral("END\n");
    for (const ExportBlock& block : blocks) {
        text += platform::cformat("SUB,%s\n", BlockName(block));
        for (const ExportPrimitive& p : block.primitives)
            WritePrimitive(text, p);
        text += QStringLiteral("END\n");
    }
    text += QStringLiteral("$EOF\n");
}

} // namespace Export
