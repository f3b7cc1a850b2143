#include "gui/MenuStyle.h"

#include "shell/MenuColours.h"
#include "shell/MenuItemMetrics.h"

#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace gui {
namespace {

constexpr int kImageColumn = 22;
constexpr int kLabelLeft = 30;
constexpr int kRightMargin = 12;
// The space between a label and its key.
constexpr int kAcceleratorGap = 16;

shell::Colour ToColour(const QColor& c)
{
    return static_cast<shell::Colour>(c.red()) | static_cast<shell::Colour>(c.green()) << 8
         | static_cast<shell::Colour>(c.blue()) << 16;
}

QColor FromColour(shell::Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c >> 16 & 0xFF));
}

// A palette colour with its lightness and saturation shifted.
QColor Shifted(const QColor& base, int lightness, int saturation)
{
    return FromColour(shell::HLSTransform(ToColour(base), lightness, saturation));
}

QString Label(const QString& text)
{
    return text.section(QLatin1Char('\t'), 0, 0);
}

QString Accelerator(const QString& text)
{
    return text.section(QLatin1Char('\t'), 1);
}

// The label as it is measured: without its first '&'.
QString MeasuredLabel(const QString& text)
{
    QString label = Label(text);
    const qsizetype amp = label.indexOf(QLatin1Char('&'));
    if (amp >= 0)
        label.remove(amp, 1);
    return label;
}

QFont ItemFont(const QStyleOptionMenuItem& item)
{
    QFont font = item.font;
    font.setBold(item.menuItemType == QStyleOptionMenuItem::DefaultItem);
    return font;
}

void DrawMonoIcon(QPainter& p, const QIcon& icon, QPoint at, const QColor& colour)
{
    QPixmap shape = icon.pixmap(16, 16);
    QPainter tint(&shape);
    tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
    tint.fillRect(shape.rect(), colour);
    tint.end();
    p.drawPixmap(at, shape);
}

void DrawCheckMark(QPainter& p, const QRect& box, const QColor& colour)
{
    p.setPen(QPen(colour, 2));
    p.drawPolyline(QPolygon({{box.left() + 3, box.center().y()},
                             {box.left() + 6, box.center().y() + 3},
                             {box.left() + 12, box.center().y() - 3}}));
}

} // namespace

int MenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth:
        return 3; // the three-line frame
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize MenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                  const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    const auto metrics = shell::MenuItemMetrics::ForFontHeight(QFontMetrics(item->font).height());
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        return QSize(4, metrics.separatorHeight);
    // The menu makes every item as wide as the widest and adds the widest
    // accelerator itself; a label with a key keeps a gap before it, so the
    // two never run together.
    shell::MenuItemMetrics popup = metrics;
    const int gap = Accelerator(item->text).isEmpty() ? 0 : kAcceleratorGap;
    popup.Measure(QFontMetrics(ItemFont(*item)).horizontalAdvance(MeasuredLabel(item->text)) + gap, 0);
    return QSize(popup.ItemWidth(), popup.itemHeight);
}

void MenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    if (element == PE_FrameMenu && qobject_cast<const QMenu*>(widget)) {
        const QRect r = option->rect;
        painter->save();
        painter->setBrush(Qt::NoBrush);
        painter->setPen(option->palette.color(QPalette::Shadow));
        painter->drawRect(r.adjusted(0, 0, -1, -1));
        painter->setPen(Shifted(option->palette.color(QPalette::Button), 75, 0));
        painter->drawRect(r.adjusted(1, 1, -2, -2));
        painter->drawRect(r.adjusted(2, 2, -3, -3));
        painter->restore();
        return;
    }
    if (element == PE_PanelMenu && qobject_cast<const QMenu*>(widget)) {
        painter->fillRect(option->rect, Shifted(option->palette.color(QPalette::Button), 75, 0));
        drawPrimitive(PE_FrameMenu, option, painter, widget);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuEmptyArea && qobject_cast<const QMenu*>(widget)) {
        painter->fillRect(option->rect, Shifted(option->palette.color(QPalette::Button), 75, 0));
        return;
    }
    if (element != CE_MenuItem || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QPalette& pal = item->palette;
    const QColor face = pal.color(QPalette::Button);
    const QColor highlight = pal.color(QPalette::Highlight);
    const QRect r = item->rect;
    const bool selected = item->state & State_Selected;
    const bool disabled = !(item->state & State_Enabled);
    const bool checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;

    painter->save();
    if (selected) {
        painter->setPen(highlight);
        painter->setBrush(disabled ? Shifted(face, 73, 0) : Shifted(highlight, 70, -57));
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        painter->fillRect(QRect(r.left(), r.top(), kImageColumn, r.height()), Shifted(face, 20, 0));
        painter->fillRect(QRect(r.left() + kImageColumn, r.top(), r.width() - kImageColumn, r.height()),
                          Shifted(face, 75, 0));
    }
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        const int mid = r.center().y();
        painter->setPen(Shifted(face, -18, 0));
        painter->drawLine(r.left() + kLabelLeft, mid, r.right() - 1, mid);
        painter->restore();
        return;
    }

    QColor boxColour = disabled ? Shifted(face, 73, 0)
                     : selected ? Shifted(highlight, 50, -50)
                                : Shifted(highlight, 70, -57);
    if (checked) {
        painter->setPen(highlight);
        painter->setBrush(boxColour);
        painter->drawRect(QRect(r.left() + 1, r.top() + 1, 19, r.height() - 3));
    }
    if (!item->icon.isNull()) {
        const QPoint origin = r.topLeft();
        if (disabled)
            DrawMonoIcon(*painter, item->icon, origin + QPoint(3, 3), Shifted(face, -27, 0));
        else if (selected && !checked)
            DrawMonoIcon(*painter, item->icon, origin + QPoint(4, 4), Shifted(highlight, 50, -66));
        if (!disabled) {
            const int d = selected && !checked ? 2 : 3;
            painter->drawPixmap(origin + QPoint(d, d), item->icon.pixmap(16, 16));
        }
    } else if (checked) {
        const QColor mark = disabled ? Shifted(face, -27, 0) : pal.color(QPalette::Text);
        if (item->checkType == QStyleOptionMenuItem::Exclusive) {
            const int cx = (2 * r.left() + 25) / 2;
            const int cy = r.center().y();
            painter->setPen(mark);
            painter->setBrush(mark);
            painter->drawEllipse(QRect(QPoint(cx - 4, cy - 3), QPoint(cx + 3, cy + 4)));
        } else {
            DrawCheckMark(*painter, QRect(r.left() + 5, r.top(), 15, r.height()), mark);
        }
    }

    const QString label = Label(item->text);
    if (!label.isEmpty()) {
        painter->setFont(ItemFont(*item));
        painter->setPen(disabled ? Shifted(face, -18, 0) : pal.color(QPalette::Text));
        const QRect text = r.adjusted(kLabelLeft, 0, -kRightMargin, 0);
        const int flags = Qt::AlignVCenter | Qt::TextSingleLine
                        | (styleHint(SH_UnderlineShortcut, option, widget, nullptr) ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
        painter->drawText(text, flags | Qt::AlignLeft, label);
        const QString accelerator = Accelerator(item->text);
        if (!accelerator.isEmpty())
            painter->drawText(text, Qt::AlignVCenter | Qt::TextSingleLine | Qt::AlignRight, accelerator);
    }
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow = *option;
        arrow.rect = QRect(r.right() - kRightMargin + 2, r.top(), kRightMargin - 4, r.height());
        arrow.palette.setColor(QPalette::ButtonText, painter->pen().color());
        QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
    }
    painter->restore();
}

int MenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const
{
    if (hint == SH_Menu_AllowActiveAndDisabled)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace gui
