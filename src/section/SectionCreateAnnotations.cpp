// Creation of texts and dimensions from coordinates and nodes: both come
// without bridges.
#include "section/Section.h"

#include "element/Measure.h"
#include "element/NodeTable.h"
#include "element/Text.h"
#include "support/Log.h"

#include <cmath>
#include <numbers>

namespace {
// The dimension kind that measures about a third point.
constexpr int kMeasureWithCentre = 1204;
} // namespace

ElementIterator Section::AddText3(double hx, double hy, double bx, double by, double ex, double ey,
                                  const QString& text, const platform::LogFont& font, int mirrored, int fontKind,
                                  bool merge, int lineType)
{
    Log::TheLog().Trace(Log::Section);
    if (!CanBeNodes({{hx, hy}, {bx, by}, {ex, ey}}))
        return end();
    const int height = nodes_->AddPoint(hx, hy, merge);
    const int base = nodes_->AddPoint(bx, by, merge);
    const int finish = nodes_->AddPoint(ex, ey, merge);
    if (height < 0 || base < 0 || finish < 0 || height == base || base == finish || height == finish)
        return end();
    auto made = std::make_unique<CText>(nodes_, options_, context_);
    made->SetNodes(height, base, finish);
    made->SetText(text);
    made->SetFont(font);
    made->SetFontKind(fontKind);
    made->SetMirrored(mirrored);
    return Place(std::move(made), lineType, NewBridges::None);
}

ElementIterator Section::AddText2(double x, double y, double height, double angle, double advance,
                                  const QString& text, const platform::LogFont& font, int mirrored, int fontKind,
                                  int lineType)
{
    Log::TheLog().Trace(Log::Section);
    const double alpha = angle * std::numbers::pi / 180.0;
    const double up = alpha + std::numbers::pi / 2.0;
    const double width = advance * static_cast<double>(text.size());
    return AddText3(x + height * std::cos(up), y + height * std::sin(up), x, y, x + width * std::cos(alpha),
                    y + width * std::sin(alpha), text, font, mirrored, fontKind, true, lineType);
}

ElementIterator Section::AddMeasureXY(int kind, double lx, double ly, double x1, double y1, double x2, double y2,
                                      double x3, double y3, bool merge)
{
    Log::TheLog().Trace(Log::Section);
    const bool withCentre = kind == kMeasureWithCentre;
    if ((x1 == x2 && y1 == y2) || !CanBeNodes({{lx, ly}, {x1, y1}, {x2, y2}})
        || (withCentre && !CanBeNodes({{x3, y3}})))
        return end();
    const int first = nodes_->AddPoint(x1, y1, merge);
    const int second = nodes_->AddPoint(x2, y2, merge);
    const int centre = withCentre ? nodes_->AddPoint(x3, y3, merge) : -1;
    const int line = nodes_->AddPoint(lx, ly, merge);
    if (first < 0 || second < 0 || line < 0 || (withCentre && centre < 0) || first == second)
        return end();
    auto measure = std::make_unique<CMeasure>(nodes_, options_, context_);
    measure->SetKind(kind);
    measure->SetNodes(first, second, centre, line);
    return Place(std::move(measure), kMeasureLineType, NewBridges::None);
}

ElementIterator Section::AddMeasurePt1(int kind, int linePoint, int first, int second, int centre,
                                       const std::array<int, 3>& instances, int charWidth, int charHeight)
{
    Log::TheLog().Trace(Log::Section);
    if (MeasuresOnePoint(first, second, instances))
        return end();
    auto measure = std::make_unique<CMeasure>(nodes_, options_, context_);
    measure->SetKind(kind);
    measure->SetNodes(first, second, centre, linePoint);
    measure->SetInstances(instances);
    measure->CharWidthRef() = charWidth;
    measure->CharHeightRef() = charHeight;
    return Place(std::move(measure), kMeasureLineType, NewBridges::None);
}

ElementIterator Section::AddMeasureAt(int kind, double lx, double ly, int first, int second, int centre,
                                      const std::array<int, 3>& instances, bool merge)
{
    Log::TheLog().Trace(Log::Section);
    const auto inUse = [this](int node) { return node >= 0 && node < nodes_->GetCount() && nodes_->GetNode(node) != nullptr; };
    if (!inUse(first) || !inUse(second) || (kind == kMeasureWithCentre && !inUse(centre))
        || MeasuresOnePoint(first, second, instances) || !CanBeNodes({{lx, ly}}))
        return end();
    const int line = nodes_->AddPoint(lx, ly, merge);
    if (line < 0)
        return end();
    return AddMeasurePt1(kind, line, first, second, kind == kMeasureWithCentre ? centre : -1, instances,
                         kMeasureCharWidth, kMeasureCharHeight);
}
