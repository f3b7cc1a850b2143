#include "options/LineTypePens.h"
#include "options/Options.h"

#include "platform/Device.h"

int COptions::PaintBackground(platform::Device* dc, int left, int top, int right, int bottom) const
{
    if (!dc)
        return 0;
    const auto colour = static_cast<platform::ColorRef>(backgroundColour_);
    const platform::Brush oldBrush = dc->selectBrush(platform::Brush::solid(colour));
    const platform::Pen oldPen = dc->selectPen(platform::Pen::make(platform::PenStyle::Solid, 1, colour));
    dc->rectangle(left, top, right, bottom);
    dc->selectBrush(oldBrush);
    dc->selectPen(oldPen);
    return backgroundColour_;
}

void COptions::SelectLineTypePen(platform::Device& dc, int lineType) const
{
    if (lineTypePens_)
        lineTypePens_->SelectLineTypePen(dc, lineType);
    else
        dc.selectPen(platform::Pen::null());
}
