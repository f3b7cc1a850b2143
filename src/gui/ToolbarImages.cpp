#include "gui/ToolbarImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <map>

namespace gui {
namespace {

using Draw = std::function<void(QPainter&)>;

const QColor kInk(0, 0, 0);
const QColor kRule(0, 0, 160);
const QColor kPaper(255, 255, 240);

void Sheet(QPainter& p)
{
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}}));
}

void Arrow(QPainter& p, bool right)
{
    QPainterPath path;
    path.arcMoveTo(3, 4, 10, 10, right ? 160 : 20);
    path.arcTo(3, 4, 10, 10, right ? 160 : 20, right ? -140 : 140);
    p.setPen(QPen(kRule, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    const QPointF tip = path.currentPosition();
    p.setBrush(kRule);
    p.drawPolygon(QPolygonF({tip + QPointF(-3, -2), tip + QPointF(3, -2), tip + QPointF(0, 2)}));
}

// The pictures this program draws itself, by strip index.
const std::map<int, Draw>& Pictures()
{
    static const std::map<int, Draw> pictures{
        {51, [](QPainter& p) { Sheet(p); }},
        {52, [](QPainter& p) {
             p.setPen(kInk);
             p.setBrush(QColor(230, 200, 90));
             p.drawRect(QRectF(1.5, 4.5, 13, 9));
             p.drawLine(QPointF(1.5, 4.5), QPointF(4.5, 2.5));
         }},
        {53, [](QPainter& p) {
             p.setPen(kInk);
             p.setBrush(QColor(60, 80, 170));
             p.drawRect(QRectF(1.5, 1.5, 13, 13));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4.5, 1.5, 7, 5));
         }},
        {57, [](QPainter& p) {
             p.setPen(kInk);
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4.5, 1.5, 7, 5));
             p.setBrush(QColor(190, 190, 190));
             p.drawRect(QRectF(1.5, 6.5, 13, 6));
         }},
        {0, [](QPainter& p) {
             Sheet(p);
             p.setPen(QPen(QColor(200, 0, 0), 2));
             p.drawLine(5, 6, 11, 12);
             p.drawLine(11, 6, 5, 12);
         }},
        {2, [](QPainter& p) { p.drawLine(2, 13, 13, 3); }},
        {1, [](QPainter& p) { p.drawPolyline(QPolygon({{2, 13}, {6, 4}, {10, 11}, {14, 3}})); }},
        {3, [](QPainter& p) { p.drawEllipse(QRectF(2.5, 2.5, 11, 11)); }},
        {4, [](QPainter& p) { p.drawArc(QRectF(2.5, 4.5, 11, 11), 0, 180 * 16); }},
        {25, [](QPainter& p) { p.drawEllipse(QRectF(1.5, 4.5, 13, 7)); }},
        {69, [](QPainter& p) { p.drawArc(QRectF(1.5, 4.5, 13, 7), 0, 200 * 16); }},
        {50, [](QPainter& p) {
             QPainterPath path(QPointF(1, 12));
             path.cubicTo(5, 0, 10, 16, 15, 4);
             p.drawPath(path);
         }},
        {14, [](QPainter& p) {
             QFont font = p.font();
             font.setPixelSize(13);
             font.setBold(true);
             p.setFont(font);
             p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("A"));
         }},
        {66, [](QPainter& p) { p.drawRect(QRectF(2.5, 4.5, 11, 8)); }},
        {67, [](QPainter& p) {
             p.drawPolygon(QPolygonF({{8, 2}, {14, 6.5}, {12, 14}, {4, 14}, {2, 6.5}}));
         }},
        {32, [](QPainter& p) { Arrow(p, false); }},
        {31, [](QPainter& p) { Arrow(p, true); }},
        {22, [](QPainter& p) {
             p.drawLine(2, 12, 14, 12);
             p.drawLine(2, 9, 2, 14);
             p.drawLine(14, 9, 14, 14);
             p.drawLine(2, 5, 14, 5);
         }},
        {21, [](QPainter& p) {
             p.drawLine(2, 14, 14, 14);
             p.drawLine(2, 14, 11, 3);
             p.drawArc(QRectF(-6, 6, 16, 16), 0, 50 * 16);
         }},
        {23, [](QPainter& p) {
             p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
             p.drawLine(8, 8, 13, 3);
         }},
        {7, [](QPainter& p) {
             p.drawLine(2, 10, 10, 2);
             p.drawLine(6, 14, 14, 6);
         }},
        {28, [](QPainter& p) {
             p.drawLine(2, 2, 2, 8);
             p.drawArc(QRectF(2, 2, 12, 12), 180 * 16, 90 * 16);
             p.drawLine(8, 14, 14, 14);
         }},
        {71, [](QPainter& p) { p.drawPolyline(QPolygon({{2, 2}, {2, 9}, {7, 14}, {14, 14}})); }},
        {8, [](QPainter& p) {
             p.setPen(QPen(QColor(200, 0, 0), 2));
             p.drawLine(3, 3, 13, 13);
             p.drawLine(13, 3, 3, 13);
         }},
        {11, [](QPainter& p) {
             p.drawLine(8, 1, 8, 15);
             p.drawLine(1, 8, 15, 8);
             p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
         }},
        {59, [](QPainter& p) {
             p.drawLine(3, 12, 12, 4);
             p.setBrush(QColor(200, 0, 0));
             p.drawRect(1, 10, 4, 4);
             p.drawRect(10, 2, 4, 4);
         }},
    };
    return pictures;
}

} // namespace

QIcon ToolbarImage(int imageIndex, const QString& shortText)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kRule, 1.3));
    const auto it = Pictures().find(imageIndex);
    if (it != Pictures().end()) {
        it->second(painter);
    } else {
        painter.setPen(QColor(110, 110, 110));
        painter.setBrush(QColor(235, 235, 235));
        painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        QFont font = painter.font();
        font.setPixelSize(8);
        painter.setFont(font);
        painter.setPen(kInk);
        painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, shortText.left(2));
    }
    painter.end();
    return QIcon(pixmap);
}

} // namespace gui
