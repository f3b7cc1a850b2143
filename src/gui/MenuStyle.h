#pragma once
// The flat look of the drop-down menus, as a style over the program's own:
// items sized by shell::MenuItemMetrics (all items of a popup equally wide,
// 30 pixels of picture column, a 12-pixel right margin), a light column on
// the left carrying the command's picture, a framed highlight on the
// selected item and a three-line frame, every colour made from the palette
// by shell::HLSTransform. The menu bar itself keeps the base style's look.
#include <QProxyStyle>

namespace gui {

class MenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    // A disabled item is highlighted too, so that its status text shows.
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

} // namespace gui
