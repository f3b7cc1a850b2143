#include "exchange/export/cf2/Cf2Writer.h"

#include "exchange/export/ExportPreparer.h"
#include "platform/CFormat.h"

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
    }
}

} // namespace

void WriteCf2(ExportText& out, const ExportPreparer& job)
{
    QString& text = out.text;
    text += platform::cformat("$BOF\nV2\nORDER\nEND\nAUX\nEND\nMAIN,%s\nUM\nLL,-65,-56\nUR,343,286\nSCALE,1,1\n", out.name);
    const auto& blocks = job.Blocks();
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
