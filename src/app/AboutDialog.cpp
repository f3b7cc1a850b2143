#include "app/AboutDialog.h"

#include "options/LanguageTable.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace app {
namespace {

constexpr int kTextCaption = 901;
constexpr int kTextVersion = 907;
constexpr int kTextBuilt = 908;
constexpr int kPictureSize = 96;

} // namespace

QPixmap AboutDialog::Picture()
{
    QPixmap picture(kPictureSize, kPictureSize);
    picture.fill(QColor(0xF4, 0xE9, 0xD4)); // the die board's wood
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // The cutting rule round a box blank, broken by two bridges a side.
    QPen cut(QColor(0xC0, 0x10, 0x10), 2.5);
    p.setPen(cut);
    const QRectF box(14, 18, 68, 60);
    const auto rule = [&p](QPointF a, QPointF b) {
        // Three pieces with two gaps: the bridges.
        const QPointF d = (b - a) / 10.0;
        p.drawLine(a, a + d * 3);
        p.drawLine(a + d * 4, a + d * 6);
        p.drawLine(a + d * 7, b);
    };
    rule(box.topLeft(), box.topRight());
    rule(box.topRight(), box.bottomRight());
    rule(box.bottomRight(), box.bottomLeft());
    rule(box.bottomLeft(), box.topLeft());
    // The crease lines where the box folds.
    QPen crease(QColor(0x20, 0x40, 0xB0), 1.5, Qt::DashLine);
    p.setPen(crease);
    p.drawLine(QPointF(box.left() + box.width() / 3, box.top()), QPointF(box.left() + box.width() / 3, box.bottom()));
    p.drawLine(QPointF(box.left() + box.width() * 2 / 3, box.top()),
               QPointF(box.left() + box.width() * 2 / 3, box.bottom()));
    p.drawLine(QPointF(box.left(), box.top() + box.height() / 4), QPointF(box.right(), box.top() + box.height() / 4));
    // The board's frame.
    p.setPen(QPen(QColor(0x70, 0x50, 0x30), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3, 3, kPictureSize - 6, kPictureSize - 6), 6, 6);
    return picture;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(Translate(kTextCaption).remove(QLatin1Char('&')));
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("AboutPicture"));
    picture->setPixmap(Picture());
    auto* name = new QLabel(QStringLiteral("<b>MorvekXP</b>"));
    auto* version = new QLabel(Translate(kTextVersion).arg(QCoreApplication::applicationVersion()));
    version->setObjectName(QStringLiteral("AboutVersion"));
    auto* built = new QLabel(Translate(kTextBuilt).arg(QStringLiteral(__DATE__)));
    built->setObjectName(QStringLiteral("AboutBuilt"));
    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(built);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(texts);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

} // namespace app
