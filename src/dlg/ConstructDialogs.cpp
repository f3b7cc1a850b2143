#include "dlg/ConstructDialogs.h"

#include "dlg/NumberFields.h"
#include "document/MorvekDoc.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "options/LanguageTable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace dlg {

namespace {

constexpr int kTextOk = 132;
constexpr int kTextCancel = 133;
constexpr int kTextArcCaption = 43;
constexpr int kTextEllipseCaption = 45;
constexpr int kTextDimensionCaption = 175;
// Labels of the arc's and the ellipse's inputs.
constexpr int kTextStartPoint = 2104;
constexpr int kTextEndPoint = 2105;
constexpr int kTextThroughPoint = 2106;
constexpr int kTextCentre = 2107;
constexpr int kTextRadius = 2108;
constexpr int kTextStartAngle = 2109;
constexpr int kTextEndAngle = 2110;
constexpr int kTextSecondAxisPoint = 2111;
constexpr int kTextSecondSemiAxis = 2112;
constexpr int kTextFirstSemiAxis = 2113;
constexpr int kTextFirstAxisPoint = 2114;
constexpr int kTextX = 2115;
constexpr int kTextY = 2116;
// The dimension dialog's captions.
constexpr int kTextSubtype = 303;
constexpr int kTextFirstNode = 304;
constexpr int kTextSecondNode = 305;
constexpr int kTextCentreNode = 857;
constexpr int kTextSelectCircle = 307;
constexpr int kTextPosition = 308;

// The colour of the sketches' guide lines.
const QColor kSketchColour(128, 128, 0);

QLineEdit* NumberEdit(QWidget* parent, int placeholder = -1)
{
    auto* edit = new QLineEdit(parent);
    MakeDoubleField(edit);
    if (placeholder >= 0)
        edit->setPlaceholderText(Translate(placeholder));
    return edit;
}

// A text that is not a number keeps the value.
void ReadInto(const QLineEdit* edit, double& value)
{
    double read = 0.0;
    if (ReadNumber(edit, read))
        value = read;
    else if (edit->text().trimmed().isEmpty())
        value = 0.0;
}

void Show(QLineEdit* edit, double value)
{
    const QSignalBlocker quiet(edit);
    edit->setText(NumberText(value));
}

QPushButton* MakePickButton(QWidget* parent, QDialog* dialog, int code)
{
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setObjectName(QStringLiteral("Pick%1").arg(code));
    button->setAutoDefault(false);
    button->setFixedWidth(28);
    QObject::connect(button, &QPushButton::clicked, dialog, [dialog, code] { dialog->done(code); });
    return button;
}

// A labelled pair of edits (x and y) with a pick button, placed at (x, y).
QWidget* PointGroup(QWidget* parent, int label, QLineEdit*& ex, QLineEdit*& ey, QPushButton* pick, int x, int y)
{
    auto* group = new QWidget(parent);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    grid->addWidget(new QLabel(Translate(label), group), 0, 0, 1, 2);
    ex = NumberEdit(group, kTextX);
    ey = NumberEdit(group, kTextY);
    grid->addWidget(ex, 1, 0);
    grid->addWidget(ey, 1, 1);
    if (pick) {
        pick->setParent(group);
        grid->addWidget(pick, 1, 2);
    }
    group->setGeometry(x, y, 165, 48);
    return group;
}

// A labelled single edit placed at (x, y).
QLineEdit* ValueGroup(QWidget* parent, int label, int x, int y)
{
    auto* group = new QWidget(parent);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(new QLabel(Translate(label), group));
    QLineEdit* edit = NumberEdit(group);
    layout->addWidget(edit);
    group->setGeometry(x, y, 110, 48);
    return edit;
}

QDialogButtonBox* OkCancel(QDialog* dialog, QPushButton*& ok)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(Translate(kTextOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(Translate(kTextCancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

template <std::size_t N>
QPushButton* FindPick(const std::array<QPushButton*, N>& picks, int code)
{
    for (QPushButton* pick : picks)
        if (pick && pick->objectName() == QStringLiteral("Pick%1").arg(code))
            return pick;
    return nullptr;
}

} // namespace

// --- arc ----------------------------------------------------------------------

CArcDlg::CArcDlg(ArcInputs& inputs, CMorvekDoc& doc, QWidget* parent) : QDialog(parent), inputs_(inputs), doc_(doc)
{
    setObjectName(QStringLiteral("ArcDlg"));
    setWindowTitle(Translate(kTextArcCaption));
    setFixedSize(560, 520);
    picks_ = {MakePickButton(this, this, kPickStart), MakePickButton(this, this, kPickEnd),
              MakePickButton(this, this, kPickCentre), MakePickButton(this, this, kPickThrough)};
    PointGroup(this, kTextStartPoint, edits_[StartX], edits_[StartY], picks_[0], 8, 70);
    PointGroup(this, kTextThroughPoint, edits_[ThroughX], edits_[ThroughY], picks_[3], 182, 70);
    PointGroup(this, kTextEndPoint, edits_[EndX], edits_[EndY], picks_[1], 370, 70);
    PointGroup(this, kTextCentre, edits_[CentreX], edits_[CentreY], picks_[2], 110, 262);
    edits_[RadiusEdit] = ValueGroup(this, kTextRadius, 8, 160);
    edits_[StartAngleEdit] = ValueGroup(this, kTextStartAngle, 290, 250);
    edits_[EndAngleEdit] = ValueGroup(this, kTextEndAngle, 420, 150);
    // Each edit's input and the flag the user's typing sets.
    const ArcInputs::Input flagOf[kFieldCount] = {
        ArcInputs::StartAngle, ArcInputs::EndAngle, ArcInputs::Centre,  ArcInputs::Centre,
        ArcInputs::Radius,     ArcInputs::End,      ArcInputs::End,     ArcInputs::Start,
        ArcInputs::Start,      ArcInputs::Through,  ArcInputs::Through,
    };
    for (int i = 0; i < kFieldCount; ++i) {
        edits_[i]->setObjectName(QStringLiteral("ArcEdit%1").arg(i));
        const ArcInputs::Input flag = flagOf[i];
        connect(edits_[i], &QLineEdit::textEdited, this, [this, flag] {
            inputs_.Give(flag);
            UpdateOk();
        });
    }
    QDialogButtonBox* buttons = OkCancel(this, ok_);
    buttons->setGeometry(340, 476, 210, 36);
    FillEdits();
    UpdateOk();
}

QPushButton* CArcDlg::PickButton(int code) const
{
    return FindPick(picks_, code);
}

void CArcDlg::ReadEdits()
{
    double* const values[kFieldCount] = {&inputs_.startAngle, &inputs_.endAngle, &inputs_.cx, &inputs_.cy,
                                         &inputs_.radius,     &inputs_.ex,       &inputs_.ey, &inputs_.sx,
                                         &inputs_.sy,         &inputs_.tx,       &inputs_.ty};
    for (int i = 0; i < kFieldCount; ++i)
        ReadInto(edits_[i], *values[i]);
}

void CArcDlg::FillEdits()
{
    const double values[kFieldCount] = {inputs_.startAngle, inputs_.endAngle, inputs_.cx, inputs_.cy,
                                        inputs_.radius,     inputs_.ex,       inputs_.ey, inputs_.sx,
                                        inputs_.sy,         inputs_.tx,       inputs_.ty};
    for (int i = 0; i < kFieldCount; ++i)
        Show(edits_[i], values[i]);
}

void CArcDlg::UpdateOk()
{
    ok_->setEnabled(HasEnoughInput(inputs_));
}

void CArcDlg::accept()
{
    ReadEdits();
    if (!HasEnoughInput(inputs_))
        return;
    if (AddArcFromInputs(doc_, inputs_)) {
        QDialog::accept();
        return;
    }
    FillEdits();
    UpdateOk();
    if (parentWidget())
        parentWidget()->update();
}

void CArcDlg::done(int code)
{
    if (code != QDialog::Accepted)
        ReadEdits();
    QDialog::done(code);
}

void CArcDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The arc from the end marker counterclockwise to the start marker.
    const QRect box(QPoint(-17, 13), QPoint(437, 467));
    const auto angleOf = [](QPointF centre, QPointF p) {
        return std::atan2(-(p.y() - centre.y()), p.x() - centre.x()) * 180.0 / std::numbers::pi;
    };
    const auto drawArc = [&](const QRect& r, QPointF from, QPointF to) {
        const QPointF c = QRectF(r).center();
        double a0 = angleOf(c, from);
        double a1 = angleOf(c, to);
        double sweep = a1 - a0;
        while (sweep <= 0.0)
            sweep += 360.0;
        painter.drawArc(r, static_cast<int>(a0 * 16.0), static_cast<int>(sweep * 16.0));
    };
    painter.setPen(QPen(palette().windowText().color(), 1));
    drawArc(box, QPointF(350, 60), QPointF(70, 60));
    painter.setPen(QPen(kSketchColour, 1));
    painter.drawPolyline(QPolygon({QPoint(70, 60), QPoint(210, 240), QPoint(350, 60)}));
    painter.drawLine(210, 240, 460, 240);
    drawArc(QRect(QPoint(150, 180), QPoint(270, 300)), QPointF(270, 240), QPointF(190, 216));
    drawArc(QRect(QPoint(30, 60), QPoint(390, 420)), QPointF(390, 240), QPointF(250, 190));
    painter.setPen(QPen(palette().windowText().color(), 1));
    painter.setBrush(palette().base());
    for (const QPoint& p : {QPoint(70, 60), QPoint(210, 240), QPoint(350, 60)})
        painter.drawEllipse(QRect(p - QPoint(5, 5), p + QPoint(5, 5)));
}

// --- ellipse --------------------------------------------------------------------

CAddEllipseDlg::CAddEllipseDlg(EllipseState& state, CMorvekDoc& doc, QWidget* parent)
    : QDialog(parent), state_(state), doc_(doc)
{
    setObjectName(QStringLiteral("EllipseDlg"));
    setWindowTitle(Translate(kTextEllipseCaption));
    setFixedSize(520, 400);
    state_.Open();
    picks_ = {MakePickButton(this, this, kPickAxis), MakePickButton(this, this, kPickSide),
              MakePickButton(this, this, kPickCentre)};
    PointGroup(this, kTextSecondAxisPoint, edits_[AxisX], edits_[AxisY], picks_[0], 175, 30);
    PointGroup(this, kTextCentre, edits_[CentreX], edits_[CentreY], picks_[2], 175, 175);
    PointGroup(this, kTextFirstAxisPoint, edits_[SideX], edits_[SideY], picks_[1], 340, 105);
    edits_[Second] = ValueGroup(this, kTextSecondSemiAxis, 60, 100);
    edits_[First] = ValueGroup(this, kTextFirstSemiAxis, 350, 175);
    edits_[Rotation] = ValueGroup(this, kTextEllipseRotation, 60, 250);
    for (int i = 0; i < kFieldCount; ++i) {
        edits_[i]->setObjectName(QStringLiteral("EllipseEdit%1").arg(i));
        connect(edits_[i], &QLineEdit::textEdited, this, [this] {
            ReadEdits();
            UpdateOk();
        });
    }
    QDialogButtonBox* buttons = OkCancel(this, ok_);
    buttons->setGeometry(300, 356, 210, 36);
    FillEdits();
    UpdateOk();
}

QPushButton* CAddEllipseDlg::PickButton(int code) const
{
    return FindPick(picks_, code);
}

void CAddEllipseDlg::ReadEdits()
{
    EllipseValues& v = state_.values;
    double* const values[kFieldCount] = {&v.axisX, &v.axisY, &v.second, &v.cx, &v.cy,
                                         &v.first, &v.sideX, &v.sideY,  &v.rotation};
    for (int i = 0; i < kFieldCount; ++i)
        ReadInto(edits_[i], *values[i]);
}

void CAddEllipseDlg::FillEdits()
{
    const EllipseValues& v = state_.values;
    const double values[kFieldCount] = {v.axisX, v.axisY, v.second, v.cx, v.cy, v.first, v.sideX, v.sideY, v.rotation};
    for (int i = 0; i < kFieldCount; ++i)
        Show(edits_[i], values[i]);
}

void CAddEllipseDlg::UpdateOk()
{
    ok_->setEnabled(EllipseOkEnabled(state_.values));
}

void CAddEllipseDlg::accept()
{
    ReadEdits();
    if (!AddEllipseFromValues(doc_, state_)) {
        FillEdits();
        UpdateOk();
        return;
    }
    QDialog::accept();
}

void CAddEllipseDlg::done(int code)
{
    if (code != QDialog::Accepted && code != QDialog::Rejected)
        ReadEdits();
    QDialog::done(code);
}

void CAddEllipseDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    const int w = width() * 437 / 462;
    const int h = height() * 290 / 332;
    const int cx = (w + 20) / 2;
    const int cy = (h + 25) / 2;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kSketchColour, 1));
    const QRect box(QPoint(20, 25), QPoint(w, h));
    painter.drawEllipse(box);
    painter.drawLine(w, cy, cx, cy);
    painter.drawLine(cx, 25, cx, cy);
    // The thick quarter from the first axis' end to the second's.
    painter.setPen(QPen(kSketchColour, 3));
    painter.drawArc(box, 0, 90 * 16);
}

// --- dimension ------------------------------------------------------------------

CAddMeasureDlg::CAddMeasureDlg(DimensionState& state, CMorvekDoc& doc, QWidget* parent)
    : QDialog(parent), state_(state), doc_(doc)
{
    setObjectName(QStringLiteral("DimensionDlg"));
    setWindowTitle(Translate(kTextDimensionCaption));
    state_.Open();
    auto* grid = new QGridLayout;
    kind_ = new QComboBox(this);
    for (const DimensionItem& item : kDimensionItems)
        kind_->addItem(Translate(item.text), item.kind);
    grid->addWidget(new QLabel(Translate(kTextSubtype), this), 0, 0);
    grid->addWidget(kind_, 0, 1, 1, 3);
    picks_ = {MakePickButton(this, this, kPickFirst), MakePickButton(this, this, kPickSecond),
              MakePickButton(this, this, kPickCentre), MakePickButton(this, this, kPickPosition),
              MakePickButton(this, this, kPickCircle)};
    const int rowLabels[4] = {kTextFirstNode, kTextSecondNode, kTextCentreNode, kTextPosition};
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(new QLabel(Translate(rowLabels[row]), this), row + 1, 0);
        if (row < 3) {
            names_[row] = new QLineEdit(this);
            names_[row]->setReadOnly(true);
            grid->addWidget(names_[row], row + 1, 1);
        }
        coords_[2 * row] = NumberEdit(this, kTextX);
        coords_[2 * row + 1] = NumberEdit(this, kTextY);
        grid->addWidget(coords_[2 * row], row + 1, 2);
        grid->addWidget(coords_[2 * row + 1], row + 1, 3);
        grid->addWidget(picks_[row], row + 1, 4);
    }
    circle_ = new QLineEdit(this);
    circle_->setReadOnly(true);
    grid->addWidget(new QLabel(Translate(kTextSelectCircle), this), 5, 0);
    grid->addWidget(circle_, 5, 1, 1, 3);
    grid->addWidget(picks_[4], 5, 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancel(this, ok_));

    const int index = kind_->findData(state_.kind);
    kind_->setCurrentIndex(index >= 0 ? index : kind_->findData(kDimAligned));
    // The names of the picked nodes and the circle held.
    const DimensionNodePick* picks[3] = {&state_.first, &state_.second, &state_.centre};
    NodeTable& nodes = doc_.Nodes();
    for (int i = 0; i < 3; ++i) {
        const int node = picks[i]->node;
        const CNodePoint* point = node >= 0 && node < nodes.GetCount() ? nodes.GetNode(node) : nullptr;
        names_[i]->setText(point ? point->GetName() : QString());
    }
    circle_->setText(state_.HasCircle() ? Translate(kTextCircleHeld) : QString());
    const double values[8] = {state_.first.x,  state_.first.y,  state_.second.x, state_.second.y,
                              state_.centre.x, state_.centre.y, state_.posX,     state_.posY};
    for (int i = 0; i < 8; ++i)
        Show(coords_[i], values[i]);
    connect(kind_, &QComboBox::currentIndexChanged, this, &CAddMeasureDlg::OnKindChanged);
    OnKindChanged();
}

QPushButton* CAddMeasureDlg::PickButton(int code) const
{
    return FindPick(picks_, code);
}

void CAddMeasureDlg::ReadEdits()
{
    double* const values[8] = {&state_.first.x,  &state_.first.y,  &state_.second.x, &state_.second.y,
                               &state_.centre.x, &state_.centre.y, &state_.posX,     &state_.posY};
    for (int i = 0; i < 8; ++i)
        ReadInto(coords_[i], *values[i]);
    // The kind travels as the item's data: two items may read alike.
    const QVariant kind = kind_->currentData();
    if (kind.isValid())
        state_.kind = kind.toInt();
}

void CAddMeasureDlg::OnKindChanged()
{
    ReadEdits();
    const DimensionControls c = ControlsFor(state_.kind);
    for (int i : {0, 1}) {
        picks_[i]->setEnabled(c.points);
        names_[i]->setEnabled(c.points);
    }
    for (int i : {0, 1, 2, 3}) {
        coords_[i]->setEnabled(c.pointCoords);
        coords_[i]->setVisible(c.pointCoords);
    }
    picks_[2]->setEnabled(c.centre);
    names_[2]->setEnabled(c.centre);
    for (int i : {4, 5}) {
        coords_[i]->setEnabled(c.centreCoords);
        coords_[i]->setVisible(c.centreCoords);
    }
    picks_[4]->setEnabled(c.circle);
    circle_->setEnabled(c.circle);
    ok_->setEnabled(DimensionOkEnabled(state_));
}

void CAddMeasureDlg::accept()
{
    ReadEdits();
    if (!AddDimensionFromState(doc_, state_))
        return;
    QDialog::accept();
}

void CAddMeasureDlg::done(int code)
{
    if (code != QDialog::Accepted && code != QDialog::Rejected)
        ReadEdits();
    QDialog::done(code);
}

} // namespace dlg
