#include "display/DisplayList.h"

#include "display/DisplayStamp.h"

#include "display/FigurePaths.h"

#include <algorithm>
#include <iterator>

namespace {
constinit platform::Current<LinetypeTable*> linkedLinetypes{nullptr};
constinit platform::Current<const GlyphPathTable*> linkedGlyphs{nullptr};
} // namespace

platform::ScopedOverride<LinetypeTable*> DisplayList::InstallLinetypeTable(LinetypeTable& table)
{
    return linkedLinetypes.Override(&table);
}

LinetypeTable* DisplayList::GetLinetypeTable()
{
    return linkedLinetypes.Get();
}

platform::ScopedOverride<const GlyphPathTable*> DisplayList::InstallGlyphPathTable(const GlyphPathTable& table)
{
    return linkedGlyphs.Override(&table);
}

const GlyphPathTable* DisplayList::GetGlyphPathTable()
{
    return linkedGlyphs.Get();
}

void DisplayList::Reset()
{
    display::NoteChange();
    figures_.clear();
    closed_ = true;
    outputMode_ = -1;
    lineType_ = 0;
    box_ = BoundingBox();
}

void DisplayList::Begin(int lineType, int attribute, int resolution, double ptg)
{
    Reset();
    lineType_ = lineType;
    attribute_ = attribute;
    resolution_ = resolution;
    ptg_ = static_cast<float>(ptg);
}

DisplayFigure& DisplayList::AddFigure(int kind, int lineType)
{
    CloseFigure();
    DisplayFigure& figure = figures_.emplace_back();
    figure.kind = kind;
    figure.lineType = lineType == -1 ? lineType_ : lineType;
    figure.attribute = attribute_;
    figure.resolution = resolution_;
    figure.ptg = ptg_;
    closed_ = false;
    return figure;
}

void DisplayList::AddLine(const die::coord& start, const die::coord& end, int lineType)
{
    DisplayFigure& figure = AddFigure(FigureKind::Line, lineType);
    figure.points = {start, end};
    CloseFigure();
}

void DisplayList::AddArc(const die::coord& centre, const die::coord& start, const die::coord& end, int lineType)
{
    DisplayFigure& figure = AddFigure(FigureKind::Arc, lineType);
    figure.points = {centre, start, end};
    CloseFigure();
}

void DisplayList::AddEllipse(const die::coord& centre, const die::coord& axis, const die::coord& radii,
                             const die::coord& startVector, const die::coord& endVector, int lineType)
{
    DisplayFigure& figure = AddFigure(FigureKind::Ellipse, lineType);
    figure.points = {centre, axis, radii, startVector, endVector};
    CloseFigure();
}

void DisplayList::AddText(const die::coord& origin, const die::coord& direction, const die::coord& advanceAndHeight,
                          const QString& text, int lineType)
{
    DisplayFigure& figure = AddFigure(FigureKind::Text, lineType);
    const double length = direction.Length();
    figure.points = {origin, length > 0.0 ? direction / length : direction, advanceAndHeight};
    figure.text = text;
    figure.glyphs = linkedGlyphs.Get();
    CloseFigure();
}

void DisplayList::BeginCurve(int lineType)
{
    AddFigure(FigureKind::Curve, lineType);
}

void DisplayList::AddPoint(const die::coord& point)
{
    if (!figures_.empty())
        figures_.back().points.push_back(point);
}

void DisplayList::AddBridge(double position, double width)
{
    display::NoteChange();
    if (figures_.empty())
        return;
    // The output walks the gaps in order along the rule, so they are kept
    // sorted by position, and gaps that overlap or meet become one.
    std::vector<DisplayBridge>& bridges = figures_.back().bridges;
    auto at = std::upper_bound(bridges.begin(), bridges.end(), position,
                               [](double p, const DisplayBridge& b) { return p < b.position; });
    at = bridges.insert(at, {0, position, static_cast<float>(width)});
    if (at != bridges.begin() && std::prev(at)->position + std::prev(at)->width >= at->position)
        at = std::prev(at);
    double end = at->position + at->width;
    auto next = std::next(at);
    while (next != bridges.end() && next->position <= end) {
        end = std::max(end, next->position + next->width);
        ++next;
    }
    if (next != std::next(at)) {
        at->width = static_cast<float>(end - at->position);
        bridges.erase(std::next(at), next);
    }
    outputMode_ = -1;
}

void DisplayList::CloseFigure()
{
    if (closed_)
        return;
    display::NoteChange();
    closed_ = true;
    outputMode_ = -1;
    DisplayFigure& figure = figures_.back();
    FigurePaths::BuildPath(figure);
    FigurePaths::BuildBox(figure);
    if (figures_.size() == 1)
        box_ = figure.box;
    else
        box_.Unite(figure.box);
}
