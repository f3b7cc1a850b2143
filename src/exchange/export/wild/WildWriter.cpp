#include "exchange/export/wild/WildWriter.h"

#include "exchange/export/ExportPreparer.h"
#include "exchange/export/FigureConversion.h"
#include "platform/CFormat.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace Export {
namespace {

long long Units(double mm)
{
    const double v = std::floor(mm * 50.0 + 0.5);
    return std::isfinite(v) ? static_cast<long long>(std::clamp(v, -9.0e18, 9.0e18)) : 0;
}

void Point(QString& out, const char* command, const die::coord& p, int lineType)
{
    const die::coord tool = lineType == 2 ? die::coord(0.0, 0.0) : die::coord(4.0, -94.0);
    out += platform::cformat(command, Units(p.x - tool.x), Units(p.y - tool.y));
}

// How much shorter than an arc its chords may be; the rest of the 1/50 mm
// the format resolves is left to the rounding of their ends.
constexpr double kChordShortfall = 0.005;

} // namespace

void WriteWild(ExportText& out, const ExportPreparer& job)
{
    QString& text = out.text;
    text += QStringLiteral(":83\nA0,0\n");
    std::optional<int> tool;
    std::optional<die::coord> current;
    std::vector<ExportPrimitive> chords;
    bool arcsAsChords = false;
    for (const ExportBlock& block : job.Blocks()) {
        for (const ExportPrimitive& p : block.primitives) {
            if (!tool || *tool != p.line_type) {
                text += p.line_type == 3 ? QStringLiteral("P3\n:21\n:550,50\n:747,47\n:E-100\n")
                                         : QStringLiteral("P4\n:21\n:5200,200\n:747,47\n:E4500\n");
                tool = p.line_type;
            }
            const auto line = [&](const die::coord& s, const die::coord& e) {
                if (!current || (*current - s).Length() > 0.01)
                    Point(text, "U%d,%d\n", s, p.line_type);
                Point(text, "D%d,%d\n", e, p.line_type);
                current = e;
            };
            if (p.kind == ExportPrimitive::Line) {
                line(p.Start(), p.End());
            } else if (p.kind == ExportPrimitive::Arc) {
                // The format has no arcs: chords, in the arc's own direction.
                chords.clear();
                AppendChords(p, chords, kChordShortfall);
                if (p.reverse) {
                    for (auto c = chords.rbegin(); c != chords.rend(); ++c)
                        line(c->C, c->B);
                } else {
                    for (const ExportPrimitive& c : chords)
                        line(c.B, c.C);
                }
                arcsAsChords = arcsAsChords || !chords.empty();
            }
        }
    }
    if (arcsAsChords)
        out.notes.push_back(QStringLiteral("Arcs were written as chords: the Wild plotter format has no arcs."));
}

} // namespace Export
