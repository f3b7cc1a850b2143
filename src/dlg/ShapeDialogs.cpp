#include "dlg/ShapeDialogs.h"

#include "dlg/DialogButtons.h"

#include "options/LanguageTable.h"
#include "platform/CFormat.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dlg {

namespace {

// Language texts of the captions.
constexpr int kTextEdges = 594;
constexpr int kTextAngle = 595;
constexpr int kTextSide = 596;
constexpr int kTextShorterDiagonal = 597;
constexpr int kTextLongerDiagonal = 598;
constexpr int kTextRotation = 599;
constexpr int kTextSelect = 600;
constexpr int kTextPolygonTitle = 640;
constexpr int kTextRectWidth = 237;
constexpr int kTextRectHeight = 236;
constexpr int kTextRectRadius = 50;
constexpr int kTextRectAngle = 217;

QString Number(double value)
{
    return platform::cformat("%.3f", value);
}

double Read(const QLineEdit* edit)
{
    return platform::wtof(edit->text());
}

QLineEdit* Field(QWidget* parent, const QString& name, double value)
{
    auto* edit = new QLineEdit(Number(value), parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

CPolygonDlg::CPolygonDlg(COptions& options, const PolygonValues& values, QWidget* parent)
    : QDialog(parent), options_(options), edges_(new QSpinBox(this)), angle_(Field(this, QStringLiteral("Edit1027"), 0.0)),
      side_(Field(this, QStringLiteral("Edit1093"), values.sideLength)),
      shorter_(Field(this, QStringLiteral("Edit1095"), values.shorterDiagonal)),
      longer_(Field(this, QStringLiteral("Edit1156"), values.longerDiagonal)),
      rotation_(Field(this, QStringLiteral("Edit1072"), values.rotation)), select_(new QCheckBox(Translate(kTextSelect), this)),
      ok_(nullptr)
{
    setObjectName(QStringLiteral("PolygonDlg"));
    setWindowTitle(Translate(kTextPolygonTitle));
    edges_->setObjectName(QStringLiteral("Edit1026"));
    edges_->setRange(PolygonValues::kMinEdges, PolygonValues::kMaxEdges);
    edges_->setValue(ClampEdges(values.edges));
    angle_->setReadOnly(true);
    select_->setChecked(values.select);
    auto* form = new QFormLayout;
    form->addRow(Translate(kTextEdges), edges_);
    form->addRow(Translate(kTextAngle), angle_);
    form->addRow(Translate(kTextSide), side_);
    form->addRow(Translate(kTextShorterDiagonal), shorter_);
    form->addRow(Translate(kTextLongerDiagonal), longer_);
    form->addRow(Translate(kTextRotation), rotation_);
    form->addRow(select_);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(edges_, &QSpinBox::valueChanged, this, &CPolygonDlg::OnEdgesChanged);
    for (QLineEdit* size : {side_, shorter_, longer_})
        connect(size, &QLineEdit::textChanged, this, &CPolygonDlg::OnSizeChanged);
    OnEdgesChanged();
    OnSizeChanged();
}

PolygonValues CPolygonDlg::Values() const
{
    PolygonValues values;
    values.edges = ClampEdges(edges_->value());
    values.sideLength = Read(side_);
    values.shorterDiagonal = Read(shorter_);
    values.longerDiagonal = Read(longer_);
    values.rotation = Read(rotation_);
    values.select = select_->isChecked();
    return values;
}

void CPolygonDlg::OnEdgesChanged()
{
    angle_->setText(Number(InteriorAngle(edges_->value())));
}

void CPolygonDlg::OnSizeChanged()
{
    ok_->setEnabled(HasPolygonSize(Values()));
}

void CPolygonDlg::accept()
{
    if (!StorePolygon(options_, Values()))
        return;
    QDialog::accept();
}

CRectangleDlg::CRectangleDlg(COptions& options, QWidget* parent) : QDialog(parent), options_(options)
{
    setObjectName(QStringLiteral("RectangleDlg"));
    setWindowTitle(QStringLiteral("Rectangle"));
    const RectangleValues values = LoadRectangle(options);
    width_ = Field(this, QStringLiteral("Edit1016"), values.width);
    height_ = Field(this, QStringLiteral("Edit1053"), values.height);
    radius_ = Field(this, QStringLiteral("Edit1035"), values.radius);
    angle_ = Field(this, QStringLiteral("Edit1026"), values.angle);
    auto* form = new QFormLayout;
    form->addRow(Translate(kTextRectWidth), width_);
    form->addRow(Translate(kTextRectHeight), height_);
    // Text 50 also names the radius dimension's kind, so it has no colon.
    QString radiusLabel = Translate(kTextRectRadius);
    if (!radiusLabel.endsWith(QLatin1Char(':')))
        radiusLabel += QLatin1Char(':');
    form->addRow(radiusLabel, radius_);
    form->addRow(Translate(kTextRectAngle), angle_);
    auto* layout = new QVBoxLayout(this);
    // Room for the sketch above the fields.
    layout->addSpacing(200);
    layout->addLayout(form);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    const auto checkSize = [this] { ok_->setEnabled(HasRectangleSize(Values())); };
    for (QLineEdit* size : {width_, height_})
        connect(size, &QLineEdit::textChanged, this, checkSize);
    checkSize();
}

RectangleValues CRectangleDlg::Values() const
{
    return {Read(width_), Read(height_), Read(radius_), Read(angle_)};
}

void CRectangleDlg::accept()
{
    if (!HasRectangleSize(Values()))
        return;
    StoreRectangle(options_, Values());
    QDialog::accept();
}

void CRectangleDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawPolyline(QPolygon({QPoint(240, 50), QPoint(270, 50), QPoint(270, 80)}));
    // Quarter arcs of radius 30, counter-clockwise from the start angle.
    const struct {
        int cx, cy, start;
    } arcs[] = {{120, 80, 90}, {120, 150, 180}, {240, 150, 270}, {240, 80, 0}};
    for (const auto& a : arcs)
        painter.drawArc(QRect(a.cx - 30, a.cy - 30, 60, 60), a.start * 16, 90 * 16);
    painter.drawLine(170, 115, 190, 115);
    painter.drawLine(180, 105, 180, 125);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawPolygon(QPolygon({QPoint(90, 50), QPoint(270, 50), QPoint(270, 180), QPoint(90, 180)}));
}

} // namespace dlg
