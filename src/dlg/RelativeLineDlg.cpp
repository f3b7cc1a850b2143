#include "dlg/RelativeLineDlg.h"

#include "dlg/NumberFields.h"
#include "dlg/RelativeLineFields.h"
#include "document/MorvekDoc.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace dlg {

namespace {

constexpr int kTextTitle = 633;
constexpr int kTextCurrentPosition = 519;
constexpr int kTextX = 520;
constexpr int kTextY = 521;
constexpr int kTextDirectionLength = 522;
constexpr int kTextAngle = 523;
constexpr int kTextLength = 524;
constexpr int kTextDX = 525;
constexpr int kTextDY = 526;
constexpr int kTextCreate = 527;
constexpr int kTextOffset = 528;
constexpr int kTextOk = 132;

// A text that is not a number reads as 0.
double Value(const QLineEdit* edit)
{
    return NumberOrZero(edit);
}

QLineEdit* Edit(QWidget* parent, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    MakeDoubleField(edit);
    return edit;
}

} // namespace

DirectionDial::DirectionDial(QWidget* parent) : QWidget(parent)
{
    setFixedSize(96, 96);
}

void DirectionDial::SetDirection(double degrees)
{
    degrees_ = degrees;
    update();
}

QPoint DirectionDial::Centre() const
{
    const int r = (width() - 6) / 2;
    return {3 + r, 3 + r};
}

void DirectionDial::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().windowText().color(), 1));
    const int r = (width() - 6) / 2;
    const QPoint c = Centre();
    painter.drawEllipse(c, r, r);
    const double theta = -degrees_ * std::numbers::pi / 180.0;
    painter.drawLine(c, c + QPoint(static_cast<int>(std::cos(theta) * r), static_cast<int>(std::sin(theta) * r)));
}

void DirectionDial::mousePressEvent(QMouseEvent* event)
{
    const QPoint c = Centre();
    const QPointF p = event->position();
    emit Clicked(DialDirection(p.x() - c.x(), p.y() - c.y()));
}

CLineCreateDlg::CLineCreateDlg(CMorvekDoc& doc, QWidget* parent)
    : QDialog(parent, Qt::Tool), doc_(doc), angle_(Edit(this, DirectionText(0.0))), length_(Edit(this, QString())),
      dx_(Edit(this, QStringLiteral("0"))), dy_(Edit(this, QStringLiteral("0"))),
      offsetX_(Edit(this, QStringLiteral("0"))), offsetY_(Edit(this, QStringLiteral("0"))), penX_(new QLabel(this)),
      penY_(new QLabel(this)), spin_(new QSpinBox(this)), dial_(new DirectionDial(this)),
      createDirection_(new QPushButton(Translate(kTextCreate), this)),
      createOffset_(new QPushButton(Translate(kTextCreate), this))
{
    setObjectName(QStringLiteral("LineCreateDlg"));
    setWindowTitle(Translate(kTextTitle));
    angle_->setObjectName(QStringLiteral("Edit1079"));
    penX_->setObjectName(QStringLiteral("Static1085"));
    penY_->setObjectName(QStringLiteral("Static1086"));
    // The spin only reports its steps; its own value is not used.
    spin_->setRange(-1000000, 1000000);
    spin_->setFixedWidth(18);
    spin_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);

    auto* position = new QGroupBox(Translate(kTextCurrentPosition), this);
    auto* positionGrid = new QGridLayout(position);
    positionGrid->addWidget(new QLabel(Translate(kTextX), position), 0, 0);
    positionGrid->addWidget(penX_, 0, 1);
    positionGrid->addWidget(new QLabel(Translate(kTextY), position), 1, 0);
    positionGrid->addWidget(penY_, 1, 1);

    auto* direction = new QGroupBox(Translate(kTextDirectionLength), this);
    auto* directionGrid = new QGridLayout(direction);
    directionGrid->addWidget(new QLabel(Translate(kTextAngle), direction), 0, 0);
    directionGrid->addWidget(angle_, 0, 1);
    directionGrid->addWidget(spin_, 0, 2);
    directionGrid->addWidget(dial_, 0, 3, 4, 1);
    directionGrid->addWidget(new QLabel(Translate(kTextLength), direction), 1, 0);
    directionGrid->addWidget(length_, 1, 1);
    directionGrid->addWidget(new QLabel(Translate(kTextDX), direction), 2, 0);
    directionGrid->addWidget(dx_, 2, 1);
    directionGrid->addWidget(new QLabel(Translate(kTextDY), direction), 3, 0);
    directionGrid->addWidget(dy_, 3, 1);
    directionGrid->addWidget(createDirection_, 4, 0, 1, 4);

    auto* offset = new QGroupBox(Translate(kTextOffset), this);
    auto* offsetGrid = new QGridLayout(offset);
    offsetGrid->addWidget(new QLabel(Translate(kTextX), offset), 0, 0);
    offsetGrid->addWidget(offsetX_, 0, 1);
    offsetGrid->addWidget(new QLabel(Translate(kTextY), offset), 1, 0);
    offsetGrid->addWidget(offsetY_, 1, 1);
    offsetGrid->addWidget(createOffset_, 2, 0, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Translate(kTextOk));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(position);
    layout->addWidget(direction);
    layout->addWidget(offset);
    layout->addWidget(buttons);

    connect(angle_, &QLineEdit::editingFinished, this, [this] { SetDirection(ClampDirection(Direction())); });
    connect(spin_, &QSpinBox::valueChanged, this, [this](int value) {
        const int delta = value - spinLast_;
        spinLast_ = value;
        SetDirection(ClampDirection(Direction() - delta));
    });
    connect(dial_, &DirectionDial::Clicked, this, [this](double degrees) { SetDirection(degrees); });
    // Length, dX and dY are alternatives: typing one clears the other two.
    connect(length_, &QLineEdit::textEdited, this, [this] {
        dx_->setText(QStringLiteral("0"));
        dy_->setText(QStringLiteral("0"));
    });
    connect(dx_, &QLineEdit::textEdited, this, [this] {
        length_->clear();
        dy_->setText(QStringLiteral("0"));
    });
    connect(dy_, &QLineEdit::textEdited, this, [this] {
        length_->clear();
        dx_->setText(QStringLiteral("0"));
    });
    connect(createDirection_, &QPushButton::clicked, this, &CLineCreateDlg::OnCreateByDirection);
    connect(createOffset_, &QPushButton::clicked, this, &CLineCreateDlg::OnCreateByOffset);
    for (QPushButton* create : {createDirection_, createOffset_})
        create->setAutoDefault(false);
    ShowPen();
}

void CLineCreateDlg::ShowPen()
{
    penX_->setText(PenText(doc_.Remembered().penX));
    penY_->setText(PenText(doc_.Remembered().penY));
}

void CLineCreateDlg::showEvent(QShowEvent* event)
{
    ShowPen();
    QDialog::showEvent(event);
}

double CLineCreateDlg::Direction() const
{
    return Value(angle_);
}

void CLineCreateDlg::SetDirection(double degrees)
{
    const QSignalBlocker quiet(angle_);
    angle_->setText(DirectionText(degrees));
    dial_->SetDirection(degrees);
}

void CLineCreateDlg::OnCreateByDirection()
{
    if (CreateByDirection(doc_, Direction(), Value(length_), Value(dx_), Value(dy_))) {
        ShowPen();
        emit DrawingChanged();
    }
}

void CLineCreateDlg::OnCreateByOffset()
{
    if (CreateByOffset(doc_, Value(offsetX_), Value(offsetY_))) {
        ShowPen();
        emit DrawingChanged();
    }
}

} // namespace dlg
