#include "dlg/PageNumber.h"

#include "element/MeasureFormat.h"
#include "element/NodeTable.h"
#include "platform/CFormat.h"

namespace dlg {

PageNumber::PageNumber(double exact, double factor) : factor_(factor)
{
    Set(exact);
}

PageNumber PageNumber::FromText(const QString& text, double factor)
{
    PageNumber number(0.0, factor);
    number.exact_ = platform::wtof(text) / factor;
    number.shown_ = text;
    number.text_ = text;
    return number;
}

void PageNumber::Set(double exact)
{
    exact_ = exact;
    shown_ = platform::cformat("%.3f", MeasureFormat::Shown(exact * factor_));
    text_ = shown_;
}

double PageNumber::Value() const
{
    if (!Changed())
        return exact_;
    return platform::wtof(text_) / factor_;
}

int NodeFor(NodeTable& nodes, int current, const PageNumber& x, const PageNumber& y)
{
    if (current >= 0 && !x.Changed() && !y.Changed())
        return current;
    return nodes.AddPoint(x.Value(), y.Value(), true);
}

} // namespace dlg
