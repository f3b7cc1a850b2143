// Building a display list's output for a display mode.
#include "geometry/DisplayList.h"

#include "geometry/FigureOutput.h"
#include "geometry/FigurePaths.h"
#include "geometry/LinetypePatterns.h"
#include "geometry/LinetypeTable.h"

namespace {

// The pattern output of a figure whose line type is a wave, tear or mixed
// one; false when the figure is to be drawn plain.
bool PatternOutput(DisplayFigure& figure, std::span<const PathNode> path)
{
    LinetypeTable* table = DisplayList::GetLinetypeTable();
    if (!table)
        return false;
    table->SetCurrent(figure.lineType);
    const int kind = table->GetCurrentType();
    if (kind <= 0 || !(kind & (LinetypeKind::Wave | LinetypeKind::Tear | LinetypeKind::Mixed)))
        return false;
    const Linetype& current = *table->GetCurrent();
    const PatternValues values{current.subtype1, current.subtype2, current.data1, current.data2, current.data3};
    if (kind & LinetypeKind::Wave) {
        if (!LinetypePatterns::Wave(path, values, figure.output))
            return false;
        figure.outputKind = OutputKind::WaveArcs;
        return true;
    }
    const bool built = kind & LinetypeKind::Tear ? LinetypePatterns::Tear(path, values, figure.output)
                                                 : LinetypePatterns::Mixed(path, values, figure.output);
    if (built)
        figure.outputKind = OutputKind::Polyline;
    return built;
}

void BuildOutput(DisplayFigure& figure, int mode)
{
    figure.output.clear();
    figure.outputKind = OutputKind::None;
    const bool bridged = mode == DisplayMode::WithBridges && !figure.bridges.empty();
    if (figure.kind == FigureKind::Arc) {
        if (figure.path.size() < 4)
            return;
        if (mode == DisplayMode::SpecialLineTypes) {
            const std::vector<PathNode> polyline = FigurePaths::ArcPolyline(figure);
            if (PatternOutput(figure, polyline))
                return;
        }
        figure.outputKind = bridged ? FigureOutput::BridgedArc(figure, figure.output)
                                    : FigureOutput::PlainArc(figure, figure.output);
        return;
    }
    if (figure.path.empty())
        return;
    if (mode == DisplayMode::SpecialLineTypes && PatternOutput(figure, figure.path))
        return;
    figure.outputKind = bridged ? FigureOutput::Bridged(figure.path, figure.bridges, figure.lineType, figure.output)
                                : FigureOutput::Plain(figure.path, figure.lineType, figure.output);
}

} // namespace

void DisplayList::Regenerate(int mode)
{
    if (mode == outputMode_)
        return;
    outputMode_ = mode;
    for (DisplayFigure& figure : figures_) {
        if (figure.kind < FigureKind::Line || figure.kind > FigureKind::Text) {
            figure.output.clear();
            figure.outputKind = OutputKind::None;
            continue;
        }
        BuildOutput(figure, mode);
    }
}
