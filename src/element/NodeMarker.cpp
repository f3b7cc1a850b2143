// The node's marker on a device: a small square, circle, diamond or triangle
// about the node's device point.
#include "element/NodePoint.h"

#include "display/DrawContext.h"
#include "options/Options.h"
#include "platform/Device.h"

#include <array>

namespace {

constexpr int kHalf = 5; // device units from the centre to each side

platform::ColorRef MarkerColour(const COptions* options, bool highlighted)
{
    if (options && highlighted)
        return static_cast<platform::ColorRef>(options->GetPropSelColour()) & 0xFFFFFF;
    const auto background = static_cast<platform::ColorRef>(options ? options->GetBackgroundColour() : 0);
    return platform::rgb(255 - platform::redOf(background), 255 - platform::greenOf(background),
                         255 - platform::blueOf(background));
}

} // namespace

void CNodePoint::Draw(DrawContext* context, const COptions* options, bool triangle)
{
    if (context == nullptr || context->device == nullptr)
        return;
    platform::Device& dc = *context->device;
    const die::coord placed = context->placement.Transform({GetX(), GetY()});
    const platform::DevicePoint d = context->ToDevice(placed);

    const platform::Pen oldPen =
        dc.selectPen(platform::Pen::make(platform::PenStyle::Solid, 1, MarkerColour(options, highlighted)));
    const platform::Brush oldBrush = dc.selectBrush(platform::Brush::null());
    if (triangle) {
        const std::array<platform::DevicePoint, 3> points{
            {{d.x, d.y - kHalf}, {d.x - kHalf, d.y + kHalf}, {d.x + kHalf, d.y + kHalf}}};
        dc.polygon(points);
    } else if (context->placement.identity) {
        if (IsParametric())
            dc.ellipse(d.x - kHalf, d.y - kHalf, d.x + kHalf, d.y + kHalf);
        else
            dc.rectangle(d.x - kHalf, d.y - kHalf, d.x + kHalf, d.y + kHalf);
    } else {
        const std::array<platform::DevicePoint, 4> points{
            {{d.x, d.y - kHalf}, {d.x - kHalf, d.y}, {d.x, d.y + kHalf}, {d.x + kHalf, d.y}}};
        dc.polygon(points);
    }
    dc.selectBrush(oldBrush);
    dc.selectPen(oldPen);
}
