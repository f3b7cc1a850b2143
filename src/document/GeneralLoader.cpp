#include "document/GeneralLoader.h"

#include "element/Element.h"
#include "element/Text.h"
#include "platform/DrawingObjects.h"
#include "section/Section.h"

#include <numbers>

void general_loader::Dress(const ElementIterator& made, const ImportAttributes& attributes, bool withBridges)
{
    if (!made.NotEqual(section_.end()))
        return; // the figure makes no element
    CElement* element = made.Get();
    if (attributes.ptg > 0.0)
        element->SetPtg(attributes.ptg);
    if (withBridges && attributes.bridgeCount > 0)
        element->SetAutoBridges(attributes.bridgeCount, attributes.bridgeWidth);
}

void general_loader::AddLine(const die::coord& start, const die::coord& end, const ImportAttributes& attributes)
{
    Dress(section_.AddLine3(start.x, start.y, end.x, end.y, true, attributes.lineType), attributes, true);
}

void general_loader::AddArc(const die::coord& centre, const die::coord& start, const die::coord& end,
                            int32_t counterClockwise, const ImportAttributes& attributes)
{
    // A section's arcs run clockwise from their start to their end.
    const die::coord& from = counterClockwise ? end : start;
    const die::coord& to = counterClockwise ? start : end;
    Dress(section_.AddArc3(centre.x, centre.y, from.x, from.y, to.x, to.y, true, attributes.lineType), attributes,
          true);
}

void general_loader::AddText(const die::coord& position, double angle, const die::coord& size, const QString& text,
                             const ImportAttributes& attributes, int32_t mirrored)
{
    Dress(section_.AddText2(position.x, position.y, size.y, angle * 180.0 / std::numbers::pi, size.x, text,
                            platform::LogFont{}, mirrored, TextFontKind::StrokeFont, attributes.lineType),
          attributes, false);
}
