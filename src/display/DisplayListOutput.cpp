// Building a display list's output for a display mode.
#include "display/DisplayList.h"

#include "display/DisplayStamp.h"

#include "display/FigureOutput.h"
#include "display/FigurePaths.h"
#include "display/LinetypePatterns.h"
#include "linetype/LinetypeTable.h"

#include <cmath>

namespace {

// The pattern of a figure's line type in the linked table: its kind (wave,
// tear or mixed) and values; kind 0 when the figure is drawn plain. The line
// type is left current.
int PatternOf(const DisplayFigure& figure, PatternValues& values)
{
    LinetypeTable* table = DisplayList::GetLinetypeTable();
    if (!table)
        return 0;
    table->SetCurrent(figure.lineType);
    const int kind = table->GetCurrentType();
    for (const int pattern : {LinetypeKind::Wave, LinetypeKind::Tear, LinetypeKind::Mixed}) {
        if (kind > 0 && (kind & pattern)) {
            const Linetype& current = *table->GetCurrent();
            values = {current.subtype1, current.subtype2, current.data1, current.data2, current.data3};
            return pattern;
        }
    }
    return 0;
}

// The pattern output along the path; false when the figure is to be drawn
// plain after all.
bool PatternOutput(DisplayFigure& figure, int pattern, const PatternValues& values, std::span<const PathNode> path)
{
    bool built = false;
    switch (pattern) {
    case LinetypeKind::Wave:
        built = LinetypePatterns::Wave(path, values, figure.output);
        break;
    case LinetypeKind::Tear:
        built = LinetypePatterns::Tear(path, values, figure.output);
        break;
    case LinetypeKind::Mixed:
        built = LinetypePatterns::Mixed(path, values, figure.output);
        break;
    default:
        break;
    }
    if (built)
        figure.outputKind = pattern == LinetypeKind::Wave ? OutputKind::WaveArcs : OutputKind::Polyline;
    return built;
}

// The box of a pattern's output records: points, and for a wave the circle
// of every half-wave (a Draw record followed by its centre, then (radius,
// direction) and the angles).
BoundingBox PatternOutputBox(const DisplayFigure& figure)
{
    BoundingBox box;
    const auto& out = figure.output;
    const bool wave = figure.outputKind == OutputKind::WaveArcs;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (wave && i > 0 && out[i].code == OutputCode::Draw && i + 3 < out.size()) {
            const double r = std::abs(out[i + 2].x);
            box.Extend(out[i + 1].x - r, out[i + 1].y - r);
            box.Extend(out[i + 1].x + r, out[i + 1].y + r);
            i += 3;
            continue;
        }
        box.Extend(out[i].x, out[i].y);
    }
    return box;
}

void BuildOutput(DisplayFigure& figure, int mode)
{
    figure.output.clear();
    figure.outputKind = OutputKind::None;
    const bool bridged = mode == DisplayMode::WithBridges && !figure.bridges.empty();
    PatternValues values;
    const int pattern = mode == DisplayMode::SpecialLineTypes ? PatternOf(figure, values) : 0;
    if (figure.kind == FigureKind::Arc) {
        if (figure.path.size() < 4)
            return;
        // Arcs are patterned along a polyline of 2° steps.
        if (pattern && PatternOutput(figure, pattern, values, FigurePaths::ArcPolyline(figure)))
            return;
        figure.outputKind = bridged ? FigureOutput::BridgedArc(figure, figure.output)
                                    : FigureOutput::PlainArc(figure, figure.output);
        return;
    }
    if (figure.path.empty())
        return;
    if (pattern && PatternOutput(figure, pattern, values, figure.path))
        return;
    figure.outputKind = bridged ? FigureOutput::Bridged(figure.path, figure.bridges, figure.lineType, figure.output)
                                : FigureOutput::Plain(figure.path, figure.lineType, figure.output);
}

} // namespace

void DisplayList::Regenerate(int mode)
{
    if (mode == outputMode_)
        return;
    display::NoteChange();
    outputMode_ = mode;
    for (DisplayFigure& figure : figures_) {
        if (figure.kind < FigureKind::Line || figure.kind > FigureKind::Text) {
            figure.output.clear();
            figure.outputKind = OutputKind::None;
            continue;
        }
        BuildOutput(figure, mode);
        figure.drawnBox = figure.box;
        if (mode == DisplayMode::SpecialLineTypes && figure.outputKind != OutputKind::Arc)
            figure.drawnBox.Unite(PatternOutputBox(figure));
    }
}
