#include "document/GeneralLoader.h"

#include "element/Element.h"
#include "element/Text.h"
#include "platform/DrawingObjects.h"
#include "section/Section.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void SetImportedBridges(CElement& element, const ImportAttributes& attributes, bool reversed)
{
    if (!attributes.explicitBridges) {
        element.SetAutoBridges(std::max(attributes.bridgeCount, 0), attributes.bridgeWidth);
        return;
    }
    // "L" gives the gap's start, "R" its end, "C" and "D" its middle.
    const double length = element.GetFullLength();
    std::vector<Bridge> list;
    for (const ImportBridge& b : attributes.bridges) {
        const double width = b.value;
        if (!(width > 0.0) || !std::isfinite(b.position))
            continue;
        double start = b.kind == 1 ? b.position : b.kind == 2 ? b.position - width : b.position - width * 0.5;
        if (reversed)
            start = length - start - width;
        list.push_back({0, start, width});
    }
    element.SetAutoBridges(0, 0.0);
    element.SetBridgeMode(BridgeMode::ByHand);
    element.SetBridges(list);
}

bool general_loader::Accept(std::initializer_list<double> values)
{
    for (double v : values) {
        if (!(std::fabs(v) <= kMaxMagnitude)) {
            ++refused_;
            return false;
        }
    }
    return true;
}

int32_t general_loader::LineType(int32_t fileLineType)
{
    const int32_t clamped = std::clamp(fileLineType, kLowestLineType, kHighestLineType);
    if (clamped != fileLineType)
        ++clamped_;
    return clamped;
}

void general_loader::Dress(const ElementIterator& made, const ImportAttributes& attributes, bool withBridges,
                           bool reversed)
{
    if (!made.NotEqual(section_.end()))
        return; // the figure makes no element
    CElement* element = made.Get();
    if (attributes.ptg > 0.0 && std::isfinite(attributes.ptg))
        element->SetPtg(attributes.ptg);
    if (withBridges)
        SetImportedBridges(*element, attributes, reversed);
}

void general_loader::AddLine(const die::coord& start, const die::coord& end, const ImportAttributes& attributes)
{
    if (!Accept({start.x, start.y, end.x, end.y}))
        return;
    Dress(section_.AddLine3(start.x, start.y, end.x, end.y, true, LineType(attributes.lineType)), attributes, true,
          false);
}

void general_loader::AddArc(const die::coord& centre, const die::coord& start, const die::coord& end,
                            int32_t counterClockwise, const ImportAttributes& attributes)
{
    if (!Accept({centre.x, centre.y, start.x, start.y, end.x, end.y}))
        return;
    // A section's arcs run clockwise from their start to their end.
    const die::coord& from = counterClockwise ? end : start;
    const die::coord& to = counterClockwise ? start : end;
    Dress(section_.AddArc3(centre.x, centre.y, from.x, from.y, to.x, to.y, true, LineType(attributes.lineType)),
          attributes, true, counterClockwise != 0);
}

void general_loader::AddText(const die::coord& position, double angle, const die::coord& size, const QString& text,
                             const ImportAttributes& attributes, int32_t mirrored)
{
    if (!Accept({position.x, position.y, size.x, size.y, angle}))
        return;
    Dress(section_.AddText2(position.x, position.y, size.y, angle * 180.0 / std::numbers::pi, size.x, text,
                            platform::LogFont{}, mirrored, TextFontKind::StrokeFont, LineType(attributes.lineType)),
          attributes, false, false);
}
