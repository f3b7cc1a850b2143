#include "dlg/ElementPage.h"

#include "display/DisplayList.h"
#include "dlg/ElementValues.h"
#include "dlg/GeometryPages.h"
#include "dlg/NumberFields.h"
#include "dlg/PropertyValues.h"
#include "linetype/LinetypeTable.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <map>

namespace dlg {

namespace {

constexpr int kTextLineType = 221;
constexpr int kTextPtg = 222;
constexpr int kTextSelected = 223;
constexpr int kTextAutomatic = 224;
constexpr int kTextRuleTable = 225;
constexpr int kTextCount = 226;
constexpr int kTextBridgeLength = 227;
constexpr int kTextCustom = 228;
constexpr int kTextDistance = 229;
constexpr int kTextLength = 220;
constexpr int kTextDelete = 232;
constexpr int kTextAvoidInstances = 720;
constexpr int kTextBridgeEntry = 479;
constexpr int kTextSplit = 383;
constexpr int kNoDisplayTypes = 4;

double Read(const QLineEdit* edit)
{
    double v = 0.0;
    return ReadNumber(edit, v) ? v : 0.0;
}

// A field still showing the value it was given keeps that value exactly.
double ReadKept(const QLineEdit* edit, double given)
{
    return edit->text() == NumberText(given) ? given : Read(edit);
}

} // namespace

ElementPage::ElementPage(ElementValues& values, QWidget* parent) : PropertyPage(parent), values_(values)
{
    setObjectName(QStringLiteral("PropElementPage"));
    auto* grid = new QGridLayout(this);
    int row = 0;
    lineType_ = new QComboBox(this);
    grid->addWidget(new QLabel(Translate(kTextLineType), this), row, 0);
    grid->addWidget(lineType_, row++, 1, 1, 2);
    ptgBox_ = new QCheckBox(Translate(kTextPtg), this);
    ptg_ = new QLineEdit(this);
    MakeDoubleField(ptg_);
    grid->addWidget(ptgBox_, row, 0);
    grid->addWidget(ptg_, row++, 1);
    selected_ = new QCheckBox(Translate(kTextSelected), this);
    avoid_ = new QCheckBox(Translate(kTextAvoidInstances), this);
    grid->addWidget(selected_, row++, 0, 1, 2);
    grid->addWidget(avoid_, row++, 0, 1, 2);

    auto* bridges = new QGroupBox(this);
    auto* b = new QGridLayout(bridges);
    automatic_ = new QRadioButton(Translate(kTextAutomatic), bridges);
    automaticBox_ = new QCheckBox(Translate(kTextAutomatic), bridges);
    custom_ = new QRadioButton(Translate(kTextCustom), bridges);
    auto* modes = new QButtonGroup(this);
    modes->addButton(automatic_);
    modes->addButton(custom_);
    ruleTable_ = new QCheckBox(Translate(kTextRuleTable), bridges);
    count_ = new QLineEdit(bridges);
    MakeIntField(count_);
    length_ = new QLineEdit(bridges);
    MakeDoubleField(length_);
    b->addWidget(automatic_, 0, 0);
    b->addWidget(automaticBox_, 0, 0);
    b->addWidget(ruleTable_, 1, 0, 1, 2);
    b->addWidget(new QLabel(Translate(kTextCount), bridges), 2, 0);
    b->addWidget(count_, 2, 1);
    b->addWidget(new QLabel(Translate(kTextBridgeLength), bridges), 3, 0);
    b->addWidget(length_, 3, 1);
    b->addWidget(custom_, 0, 2);
    list_ = new QListWidget(bridges);
    b->addWidget(list_, 1, 2, 3, 2);
    distance_ = new QLineEdit(bridges);
    width_ = new QLineEdit(bridges);
    MakeDoubleField(distance_);
    MakeDoubleField(width_);
    b->addWidget(new QLabel(Translate(kTextDistance), bridges), 4, 2);
    b->addWidget(distance_, 4, 3);
    b->addWidget(new QLabel(Translate(kTextLength), bridges), 5, 2);
    b->addWidget(width_, 5, 3);
    add_ = new QPushButton(Translate(kTextAdd), bridges);
    delete_ = new QPushButton(Translate(kTextDelete), bridges);
    add_->setAutoDefault(false);
    delete_->setAutoDefault(false);
    b->addWidget(add_, 6, 2);
    b->addWidget(delete_, 6, 3);
    grid->addWidget(bridges, row++, 0, 1, 3);
    split_ = new QPushButton(Translate(kTextSplit), this);
    split_->setAutoDefault(false);
    grid->addWidget(split_, row++, 0);
    grid->setRowStretch(row, 1);

    connect(lineType_, &QComboBox::currentIndexChanged, this, [this] {
        values_.lineType = lineType_->currentData().toInt();
        PreviewChanged();
    });
    connect(ptgBox_, &QCheckBox::toggled, ptg_, &QWidget::setEnabled);
    connect(automatic_, &QRadioButton::toggled, this, [this] { Enable(); });
    connect(ruleTable_, &QCheckBox::stateChanged, this, [this] { Enable(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int i) {
        StoreCurrent();
        double d = 0.0, w = 0.0;
        values_.Select(i, d, w);
        distance_->setText(values_.current >= 0 ? NumberText(d) : QString());
        width_->setText(values_.current >= 0 ? NumberText(w) : QString());
    });
    connect(distance_, &QLineEdit::editingFinished, this, [this] { StoreCurrent(); });
    connect(width_, &QLineEdit::editingFinished, this, [this] { StoreCurrent(); });
    for (QLineEdit* e : {ptg_, length_}) {
        connect(e, &QLineEdit::editingFinished, this, [e] {
            double v = 0.0;
            if (ReadNumber(e, v) && v < 0.0)
                e->setText(NumberText(NonNegative(v)));
        });
    }
    connect(add_, &QPushButton::clicked, this, [this] {
        StoreCurrent();
        if (values_.AddBridge())
            FillList();
        PreviewChanged();
    });
    connect(delete_, &QPushButton::clicked, this, [this] {
        values_.DeleteBridge(list_->currentRow());
        FillList();
        PreviewChanged();
    });
    connect(split_, &QPushButton::clicked, this, [this] {
        ReadFields();
        EndSheet(propend::kSplitUp);
    });
}

int ElementPage::CaptionTextId() const
{
    return kTextCaptionElement;
}

void ElementPage::Begin(const PropertyContext&)
{
    const ElementValues& v = values_;
    lineType_->blockSignals(true);
    lineType_->clear();
    if (v.several)
        lineType_->addItem(QString(), ElementValues::kDiffers);
    std::map<int, QString> names;
    if (const LinetypeTable* table = DisplayList::GetLinetypeTable())
        table->ListNames(names, kNoDisplayTypes);
    if (!v.several && !names.contains(v.lineType))
        names[v.lineType] = QString::number(v.lineType);
    for (const auto& [number, text] : names)
        lineType_->addItem(text, number);
    lineType_->setCurrentIndex(std::max(0, lineType_->findData(v.lineType)));
    lineType_->blockSignals(false);

    const bool ptgKnown = !v.several || v.ptg != ElementValues::kDiffers;
    ptg_->setText(NumberText(ptgKnown ? v.ptg : 0.0));
    ptgBox_->setVisible(v.several);
    ptgBox_->setChecked(ptgKnown);
    // A known pointage of several elements stays ticked.
    ptgBox_->setEnabled(!(v.several && ptgKnown));
    ptg_->setEnabled(ptgKnown);
    selected_->setChecked(v.selected == 1);
    avoid_->setTristate(v.several);
    avoid_->setCheckState(v.avoidInstances == ElementValues::kDiffersFlag ? Qt::PartiallyChecked
                          : v.avoidInstances                              ? Qt::Checked
                                                                          : Qt::Unchecked);
    count_->setText(QString::number(v.autoCount));
    length_->setText(NumberText(v.bridgeLength));
    automatic_->setVisible(!v.several || v.textMode);
    automaticBox_->setVisible(v.several && !v.textMode);
    if (v.several) {
        automaticBox_->setChecked(v.autoState == 1);
        automaticBox_->setEnabled(v.autoState != 1);
        ruleTable_->setTristate(v.ruleState != 1);
        ruleTable_->setCheckState(v.ruleState == 1   ? Qt::Checked
                                  : v.ruleState == 0 ? Qt::Unchecked
                                                     : Qt::PartiallyChecked);
    } else {
        ruleTable_->setTristate(false);
        ruleTable_->setChecked(v.bridgeMode == 2);
        (v.bridgeMode == 0 ? custom_ : automatic_)->setChecked(true);
    }
    values_.current = -1;
    FillList();
    Enable();
}

void ElementPage::FillList()
{
    list_->blockSignals(true);
    list_->clear();
    for (int i = 0; i < static_cast<int>(values_.bridges.size()); ++i)
        list_->addItem(platform::cformat(Translate(kTextBridgeEntry).toUtf8().constData(), i));
    list_->setCurrentRow(-1);
    list_->blockSignals(false);
    values_.current = -1;
    distance_->clear();
    width_->clear();
}

void ElementPage::Enable()
{
    const ElementValues& v = values_;
    const bool bridges = !v.textMode;
    const bool customOn = bridges && !v.several && custom_->isChecked();
    const bool autoOn = bridges && (v.several || automatic_->isChecked());
    automatic_->setEnabled(bridges);
    custom_->setEnabled(bridges && !v.several);
    ruleTable_->setEnabled(autoOn);
    const bool counted = autoOn && ruleTable_->checkState() == Qt::Unchecked;
    count_->setEnabled(counted);
    length_->setEnabled(counted);
    automaticBox_->setEnabled(bridges && v.autoState != 1);
    for (QWidget* w : std::initializer_list<QWidget*>{list_, distance_, width_, add_, delete_})
        w->setEnabled(customOn);
    split_->setEnabled(!v.several);
}

void ElementPage::StoreCurrent()
{
    if (values_.current < 0)
        return;
    values_.StoreCurrent(Read(distance_), Read(width_));
}

void ElementPage::ReadFields()
{
    ElementValues& v = values_;
    StoreCurrent();
    v.lineType = lineType_->currentData().toInt();
    const double ptg = NonNegative(ReadKept(ptg_, v.ptg));
    v.ptg = v.several && !ptgBox_->isChecked() ? ElementValues::kDiffers : ptg;
    v.selected = selected_->isChecked() ? 1 : 0;
    v.avoidInstances = avoid_->checkState() == Qt::PartiallyChecked ? ElementValues::kDiffersFlag
                       : avoid_->isChecked()                        ? 1
                                                                    : 0;
    v.autoCount = static_cast<int>(Read(count_));
    v.bridgeLength = NonNegative(ReadKept(length_, v.bridgeLength));
    if (v.several) {
        v.changeBridges = automaticBox_->isChecked();
        v.ruleState = ruleTable_->checkState() == Qt::PartiallyChecked ? ElementValues::kDiffersFlag
                      : ruleTable_->isChecked()                        ? 1
                                                                       : 0;
    } else if (!v.textMode) {
        v.bridgeMode = custom_->isChecked() ? 0 : (ruleTable_->isChecked() ? 2 : 1);
    }
}

} // namespace dlg
