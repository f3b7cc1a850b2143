#include "dlg/PropertyPreview.h"

#include "display/DrawContext.h"
#include "dlg/PropertyPage.h"
#include "element/Element.h"
#include "geometry/Instance.h"
#include "gui/QtDevice.h"
#include "options/Options.h"

#include <QPainter>

namespace dlg {

namespace {
constexpr int kMarkerHalf = 3; // px
}

PropertyPreview::PropertyPreview(PropertyPage& page, const COptions* options, QWidget* parent)
    : QWidget(parent), page_(page), options_(options)
{
    setObjectName(QStringLiteral("PropertyPreview"));
    setMinimumSize(240, 180);
}

void PropertyPreview::paintEvent(QPaintEvent*)
{
    const double ratio = devicePixelRatioF();
    gui::QtDevice buffer(width(), height(), ratio);
    if (options_) {
        (void)options_->PaintBackground(&buffer, 0, 0, width(), height());
        options_->SelectLineTypePen(buffer, page_.PreviewLineType());
    }
    DrawContext dc(&buffer, CInstance(true), false, false, {0, 0});
    CElement* element = page_.PreviewElement();
    if (element)
        (void)element->DrawFitted(dc, {0, 0, width(), height()});
    {
        gui::QtDevice target(this);
        target.bitBlt(0, 0, width(), height(), buffer, 0, 0);
    }
    if (!element)
        return;
    QPainter painter(this);
    const std::vector<die::coord> markers = page_.PreviewMarkers();
    const int highlighted = page_.HighlightedMarker();
    for (int i = 0; i < static_cast<int>(markers.size()); ++i) {
        const platform::DevicePoint p = dc.ToDevice(markers[static_cast<size_t>(i)]);
        const QRect box(p.x - kMarkerHalf, p.y - kMarkerHalf, 2 * kMarkerHalf + 1, 2 * kMarkerHalf + 1);
        if (i == highlighted) {
            painter.fillRect(box.adjusted(-2, -2, 2, 2), Qt::red);
        } else {
            painter.setPen(Qt::yellow);
            painter.drawRect(box);
        }
    }
}

} // namespace dlg
