#include "dlg/PropPointDlg.h"

#include "dlg/DialogButtons.h"
#include "dlg/NumberFields.h"
#include "dlg/VariableDlg.h"
#include "dlg/VariableEditCtrl.h"
#include "dlg/VariableEdits.h"
#include "document/MorvekDoc.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

namespace {

using Mode = NodeForm::Mode;

constexpr int kTextIdentification = 722;
constexpr int kTextName = 723;
constexpr int kTextId = 724;
constexpr int kTextPosition = 725;
constexpr int kTextX = 726;
constexpr int kTextY = 727;
constexpr int kTextPoint = 728;
constexpr int kTextRadial = 729;
constexpr int kTextCardinal = 730;
constexpr int kTextRadius = 731;
constexpr int kTextAngle = 732;
constexpr int kTextDx = 733;
constexpr int kTextDy = 734;
constexpr int kTextRadiusMode = 735;
constexpr int kTextEndPoint = 736;
constexpr int kTextEndRadius = 737;
constexpr int kTextSecondary = 738;
constexpr int kTextRelativeOrigin = 739;
constexpr int kTextRotation = 740;
constexpr int kTextAddVariable = 741;
constexpr int kTextFix = 742;
constexpr int kTextRelative = 743;
constexpr int kTextSeparate = 2165;

CVariableEditCtrl* FormulaField(QWidget* parent, FormulaTable* table, const char* name)
{
    auto* field = new CVariableEditCtrl(table, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setFixedHeight(field->fontMetrics().height() + 12);
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return field;
}

// A mode's group: its radio button over two labelled formula fields.
QGroupBox* TwoFieldBox(QWidget* parent, QRadioButton* mode, int firstLabel, QWidget* first, int secondLabel,
                       QWidget* second)
{
    auto* box = new QGroupBox(parent);
    auto* layout = new QGridLayout(box);
    layout->addWidget(mode, 0, 0, 1, 2);
    layout->addWidget(new QLabel(Translate(firstLabel), box), 1, 0);
    layout->addWidget(first, 1, 1);
    layout->addWidget(new QLabel(Translate(secondLabel), box), 2, 0);
    layout->addWidget(second, 2, 1);
    return box;
}

QPushButton* PickButton(QWidget* parent, const char* name)
{
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setFixedWidth(32);
    return b;
}

} // namespace

CPropPointDlg::CPropPointDlg(QWidget* parent, NodeProperties& properties, NodeForm& form)
    : QDialog(parent), properties_(properties), form_(form), name_(new QLineEdit(this)), id_(new QLabel(this)),
      fix_(new QRadioButton(Translate(kTextFix), this)), relative_(new QRadioButton(Translate(kTextRelative), this)),
      cardinal_(new QRadioButton(Translate(kTextCardinal), this)),
      radial_(new QRadioButton(Translate(kTextRadial), this)),
      radius_(new QRadioButton(Translate(kTextRadiusMode), this)), x_(new QLineEdit(this)), y_(new QLineEdit(this)),
      reference_(new QComboBox(this)), pickReference_(PickButton(this, "PickReference")), end_(new QComboBox(this)),
      pickEnd_(PickButton(this, "PickEnd"))
{
    FormulaTable* table = &properties.Document().Variables();
    dx_ = FormulaField(this, table, "dx");
    dy_ = FormulaField(this, table, "dy");
    radiusField_ = FormulaField(this, table, "Radius");
    angle_ = FormulaField(this, table, "Angle");
    radius1_ = FormulaField(this, table, "Radius1");
    radius2_ = FormulaField(this, table, "Radius2");
    separate_ = new QCheckBox(Translate(kTextSeparate), this);
    secondary_ = new QCheckBox(Translate(kTextSecondary), this);
    centreX_ = new QLineEdit(this);
    centreY_ = new QLineEdit(this);
    rotation_ = new QLineEdit(this);

    setObjectName(QStringLiteral("PropPointDlg"));
    setWindowTitle(Translate(kTextCaption));
    name_->setObjectName(QStringLiteral("Name"));
    id_->setObjectName(QStringLiteral("ID"));
    fix_->setObjectName(QStringLiteral("Fix"));
    relative_->setObjectName(QStringLiteral("Relative"));
    cardinal_->setObjectName(QStringLiteral("Cardinal"));
    radial_->setObjectName(QStringLiteral("Radial"));
    radius_->setObjectName(QStringLiteral("RadiusMode"));
    x_->setObjectName(QStringLiteral("X"));
    y_->setObjectName(QStringLiteral("Y"));
    MakeDoubleField(x_);
    MakeDoubleField(y_);
    reference_->setObjectName(QStringLiteral("Reference"));
    end_->setObjectName(QStringLiteral("End"));
    separate_->setObjectName(QStringLiteral("Separate"));
    secondary_->setObjectName(QStringLiteral("Secondary"));
    centreX_->setObjectName(QStringLiteral("CentreX"));
    centreY_->setObjectName(QStringLiteral("CentreY"));
    rotation_->setObjectName(QStringLiteral("Rotation"));
    for (const auto& [text, slot] : properties.ReferenceEntries()) {
        reference_->addItem(text, slot);
        end_->addItem(text, slot);
    }
    auto* placeGroup = new QButtonGroup(this);
    placeGroup->addButton(fix_);
    placeGroup->addButton(relative_);
    auto* modeGroup = new QButtonGroup(this);
    modeGroup->addButton(cardinal_);
    modeGroup->addButton(radial_);
    modeGroup->addButton(radius_);

    // Identification.
    auto* identification = new QGroupBox(Translate(kTextIdentification), this);
    auto* idLayout = new QGridLayout(identification);
    idLayout->addWidget(new QLabel(Translate(kTextName), identification), 0, 0);
    idLayout->addWidget(name_, 0, 1);
    idLayout->addWidget(new QLabel(Translate(kTextId), identification), 0, 2);
    idLayout->addWidget(id_, 0, 3);
    idLayout->setColumnStretch(1, 1);

    // Position: fixed coordinates or a reference node and one of three ways.
    auto* position = new QGroupBox(Translate(kTextPosition), this);
    auto* pos = new QGridLayout(position);
    pos->addWidget(fix_, 0, 0);
    pos->addWidget(new QLabel(Translate(kTextX), position), 0, 1);
    pos->addWidget(x_, 0, 2);
    pos->addWidget(new QLabel(Translate(kTextY), position), 0, 3);
    pos->addWidget(y_, 0, 4);
    pos->addWidget(relative_, 1, 0);
    pos->addWidget(new QLabel(Translate(kTextPoint), position), 1, 1);
    auto* referenceRow = new QHBoxLayout;
    referenceRow->addWidget(reference_, 1);
    referenceRow->addWidget(pickReference_);
    pos->addLayout(referenceRow, 1, 2, 1, 3);

    QGroupBox* cardinalBox = TwoFieldBox(position, cardinal_, kTextDx, dx_, kTextDy, dy_);
    QGroupBox* radialBox = TwoFieldBox(position, radial_, kTextRadius, radiusField_, kTextAngle, angle_);

    auto* radiusBox = new QGroupBox(position);
    auto* radiusLayout = new QGridLayout(radiusBox);
    radiusLayout->addWidget(radius_, 0, 0, 1, 3);
    radiusLayout->addWidget(new QLabel(Translate(kTextEndPoint), radiusBox), 1, 0);
    radiusLayout->addWidget(end_, 1, 1);
    radiusLayout->addWidget(pickEnd_, 1, 2);
    radiusLayout->addWidget(new QLabel(Translate(kTextEndRadius), radiusBox), 2, 0);
    radiusLayout->addWidget(radius1_, 2, 1, 1, 2);
    radiusLayout->addWidget(separate_, 3, 0);
    radiusLayout->addWidget(radius2_, 3, 1, 1, 2);

    auto* modes = new QHBoxLayout;
    modes->addWidget(cardinalBox);
    modes->addWidget(radialBox);
    modes->addWidget(radiusBox);
    pos->addLayout(modes, 2, 0, 1, 5);

    auto* secondaryBox = new QGroupBox(this);
    auto* secondaryLayout = new QGridLayout(secondaryBox);
    secondaryLayout->addWidget(secondary_, 0, 0, 1, 4);
    secondaryLayout->addWidget(new QLabel(Translate(kTextRelativeOrigin), secondaryBox), 1, 0);
    secondaryLayout->addWidget(centreX_, 1, 1);
    secondaryLayout->addWidget(centreY_, 1, 2);
    secondaryLayout->addWidget(new QLabel(Translate(kTextRotation), secondaryBox), 2, 0);
    secondaryLayout->addWidget(rotation_, 2, 1);

    auto* addVariable = new QPushButton(Translate(kTextAddVariable), this);
    addVariable->setObjectName(QStringLiteral("AddVariable"));
    addVariable->setAutoDefault(false);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    buttons->addButton(addVariable, QDialogButtonBox::ActionRole);
    // OK checks first.
    disconnect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(identification);
    layout->addWidget(position);
    layout->addWidget(secondaryBox);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CPropPointDlg::OnOK);
    connect(addVariable, &QPushButton::clicked, this, &CPropPointDlg::OnAddVariable);
    connect(fix_, &QRadioButton::clicked, this, [this] { SetPositionMode(Mode::Fixed); });
    connect(relative_, &QRadioButton::clicked, this, [this] { SetPositionMode(properties_.RelativeMode()); });
    connect(cardinal_, &QRadioButton::clicked, this, [this] { SetPositionMode(Mode::Cardinal); });
    connect(radial_, &QRadioButton::clicked, this, [this] { SetPositionMode(Mode::Radial); });
    connect(radius_, &QRadioButton::clicked, this, [this] { SetPositionMode(Mode::Radius); });
    connect(separate_, &QCheckBox::toggled, this, [this](bool on) { radius2_->setEnabled(on && radius_->isChecked()); });
    connect(secondary_, &QCheckBox::toggled, this, [this] { EnableSecondary(); });
    connect(pickReference_, &QPushButton::clicked, this, [this] {
        (void)ReadForm(); // what was typed survives the pick
        done(kEndPickReference);
    });
    connect(pickEnd_, &QPushButton::clicked, this, [this] {
        (void)ReadForm();
        done(kEndPickEnd);
    });
    WriteForm();
}

CVariableEditCtrl* CPropPointDlg::Field(const char* name) const
{
    return findChild<CVariableEditCtrl*>(QString::fromLatin1(name));
}

void CPropPointDlg::SetCombo(QComboBox* combo, int slot)
{
    combo->setCurrentIndex(combo->findData(slot));
}

void CPropPointDlg::WriteForm()
{
    name_->setText(form_.name);
    id_->setText(platform::cformat("%d", properties_.NodeIndex()));
    x_->setText(NumberText(form_.x));
    y_->setText(NumberText(form_.y));
    SetCombo(reference_, form_.reference);
    SetCombo(end_, form_.end);
    dx_->SetText(form_.dx);
    dy_->SetText(form_.dy);
    radiusField_->SetText(form_.radius);
    angle_->SetText(form_.angle);
    radius1_->SetText(form_.radius1);
    radius2_->SetText(form_.radius2);
    separate_->setChecked(form_.separateDistance);
    secondary_->setChecked(form_.secondary && properties_.UsesSecondary());
    secondary_->setEnabled(properties_.UsesSecondary());
    centreX_->setText(form_.centreX);
    centreY_->setText(form_.centreY);
    rotation_->setText(form_.rotation);
    SetPositionMode(form_.mode);
    EnableSecondary();
}

void CPropPointDlg::EnableSecondary()
{
    const bool on = secondary_->isChecked() && properties_.UsesSecondary();
    for (QLineEdit* e : {centreX_, centreY_, rotation_})
        e->setEnabled(on);
}

void CPropPointDlg::SetPositionMode(Mode mode)
{
    fix_->setChecked(mode == Mode::Fixed);
    relative_->setChecked(mode != Mode::Fixed);
    if (mode == Mode::Cardinal)
        cardinal_->setChecked(true);
    else if (mode == Mode::Radial)
        radial_->setChecked(true);
    else if (mode == Mode::Radius)
        radius_->setChecked(true);
    const bool relative = mode != Mode::Fixed;
    x_->setEnabled(!relative);
    y_->setEnabled(!relative);
    reference_->setEnabled(relative);
    pickReference_->setEnabled(relative);
    cardinal_->setEnabled(relative);
    radial_->setEnabled(relative);
    radius_->setEnabled(relative);
    dx_->setEnabled(mode == Mode::Cardinal);
    dy_->setEnabled(mode == Mode::Cardinal);
    radiusField_->setEnabled(mode == Mode::Radial);
    angle_->setEnabled(mode == Mode::Radial);
    end_->setEnabled(mode == Mode::Radius);
    pickEnd_->setEnabled(mode == Mode::Radius);
    radius1_->setEnabled(mode == Mode::Radius);
    separate_->setEnabled(mode == Mode::Radius);
    radius2_->setEnabled(mode == Mode::Radius && separate_->isChecked());
}

Mode CPropPointDlg::CheckedMode() const
{
    if (fix_->isChecked())
        return Mode::Fixed;
    if (radial_->isChecked())
        return Mode::Radial;
    if (radius_->isChecked())
        return Mode::Radius;
    return Mode::Cardinal;
}

bool CPropPointDlg::ReadForm()
{
    form_.mode = CheckedMode();
    form_.name = name_->text();
    form_.reference = reference_->currentIndex() >= 0 ? reference_->currentData().toInt() : -1;
    form_.end = end_->currentIndex() >= 0 ? end_->currentData().toInt() : -1;
    form_.dx = dx_->Text();
    form_.dy = dy_->Text();
    form_.radius = radiusField_->Text();
    form_.angle = angle_->Text();
    form_.radius1 = radius1_->Text();
    form_.radius2 = radius2_->Text();
    form_.separateDistance = separate_->isChecked();
    form_.secondary = secondary_->isChecked() && properties_.UsesSecondary();
    form_.centreX = centreX_->text();
    form_.centreY = centreY_->text();
    form_.rotation = rotation_->text();
    double x = 0.0;
    double y = 0.0;
    const bool numbers = ReadNumber(x_, x) && ReadNumber(y_, y);
    if (numbers) {
        form_.x = x;
        form_.y = y;
    }
    return numbers;
}

void CPropPointDlg::OnOK()
{
    if (!ReadForm() && form_.mode == Mode::Fixed) {
        (void)platform::ask(Translate(kTextNotANumber), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning);
        return;
    }
    if (properties_.Apply(form_))
        accept();
}

void CPropPointDlg::OnAddVariable()
{
    CVariablePropDlg prop(this, &properties_.Document().Variables(), true);
    VariableEdits edits(properties_.Document(), kTextAddVariableTitle);
    while (prop.exec() == QDialog::Accepted) {
        if (edits.Add(prop.Name(), prop.Expression(), prop.Description()) != VariableEdits::Outcome::Refused)
            break;
    }
    edits.Finish();
    for (CVariableEditCtrl* field : {dx_, dy_, radiusField_, angle_, radius1_, radius2_})
        field->SetFormulaTable(&properties_.Document().Variables()); // the new name is coloured
}

// --- the choice among nodes on one spot ----------------------------------------

CSelectPointDlg::CSelectPointDlg(QWidget* parent, const NodeTable& nodes, const std::vector<int>& nodeSlots)
    : QDialog(parent), list_(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("SelectPointDlg"));
    setWindowTitle(Translate(kTextCaption));
    list_->setObjectName(QStringLiteral("List"));
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setHeaderLabels({Translate(kTextColumnName), Translate(kTextColumnIndex)});
    list_->header()->setDefaultAlignment(Qt::AlignCenter);
    list_->setColumnWidth(0, 200);
    list_->setColumnWidth(1, 30);
    list_->setMinimumWidth(260);
    for (int slot : nodeSlots) {
        const CNodePoint* node = nodes.GetNode(slot);
        auto* item = new QTreeWidgetItem(list_, {node ? node->GetName() : QString(), platform::cformat("%d", slot)});
        item->setTextAlignment(1, Qt::AlignCenter);
    }
    QDialogButtonBox* buttons = OkCancelButtons(this);
    disconnect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(Translate(kTextPrompt), this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectPointDlg::Choose);
    // A double click chooses the row under it; outside the rows it closes
    // the dialog with no choice.
    list_->viewport()->installEventFilter(this);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { Choose(); });
}

bool CSelectPointDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick
        && list_->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()) == nullptr) {
        result_ = -1;
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CSelectPointDlg::Choose()
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    result_ = selected.isEmpty() ? -1 : selected.back()->text(1).toInt();
    accept();
}

} // namespace dlg
