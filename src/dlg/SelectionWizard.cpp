#include "dlg/SelectionWizard.h"

#include "dlg/NumberFields.h"
#include "document/MorvekDoc.h"
#include "linetype/LinetypeTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>
#include <map>

namespace dlg {

namespace {

using P = CSelectElementDlg;
using SC = SelectionCriteria;

QComboBox* Combo(QWidget* parent, std::initializer_list<QString> items)
{
    auto* box = new QComboBox(parent);
    box->addItems(QStringList(items));
    return box;
}

QComboBox* WordRelation(QWidget* parent)
{
    return Combo(parent, {Translate(SC::kTextRelationIs), Translate(SC::kTextRelationIsNot)});
}

QComboBox* Comparisons(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (const char* symbol : SC::kComparisonSymbols)
        box->addItem(QString::fromLatin1(symbol));
    box->setCurrentIndex(static_cast<int>(SC::Comparison::Equal));
    return box;
}

QComboBox* Choices(QWidget* parent, const SC::Choice* choices, std::size_t count)
{
    auto* box = new QComboBox(parent);
    for (std::size_t i = 0; i < count; ++i)
        box->addItem(Translate(choices[i].text));
    return box;
}

} // namespace

CSelectElementDlg::CSelectElementDlg(CMorvekDoc& doc, const LinetypeTable* linetypes, QWidget* parent)
    : QWizardPage(parent), doc_(doc),
      method_(Combo(this, {Translate(SC::kTextMethodAll), Translate(SC::kTextMethodAny)})),
      bridgeCount_(new QLineEdit(QStringLiteral("0"), this)), ptg_(new QLineEdit(QStringLiteral("0"), this)),
      list_(new QListWidget(this)), delete_(new QPushButton(Translate(kTextDelete), this))
{
    setObjectName(QStringLiteral("SelectElementDlg"));
    setTitle(Translate(kTextCaption));
    setSubTitle(Translate(kTextIntroduction));

    relations_[Type] = WordRelation(this);
    values_[Type] = Choices(this, SC::kTypes, std::size(SC::kTypes));
    values_[Selected] = Combo(this, {Translate(SC::kTextChoiceSelected), Translate(SC::kTextChoiceNotSelected)});
    relations_[LineType] = WordRelation(this);
    values_[LineType] = new QComboBox(this);
    if (linetypes) {
        std::map<int, QString> names;
        linetypes->ListNames(names, LinetypeKind::Display);
        for (const auto& [number, name] : names)
            values_[LineType]->addItem(name, number);
    }
    values_[LineType]->setCurrentIndex(-1);
    relations_[BridgeCount] = Comparisons(this);
    relations_[BridgeMode] = WordRelation(this);
    values_[BridgeMode] = Choices(this, SC::kBridgeModes, std::size(SC::kBridgeModes));
    relations_[Ptg] = Comparisons(this);
    MakeIntField(bridgeCount_);
    MakeDoubleField(ptg_);
    bridgeCount_->setObjectName(QStringLiteral("Edit1026"));
    ptg_->setObjectName(QStringLiteral("Edit1027"));

    static constexpr int kLabels[kPropertyCount] = {kTextTypeLabel,        kTextSelectedLabel,
                                                    kTextLineTypeLabel,    kTextBridgeCountLabel,
                                                    kTextBridgeModeLabel, kTextPtgLabel};
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Translate(kTextMethodLabel), this), 0, 0);
    grid->addWidget(method_, 0, 1, 1, 2);
    for (int p = 0; p < kPropertyCount; ++p) {
        const int row = p + 1;
        grid->addWidget(new QLabel(Translate(kLabels[p]), this), row, 0);
        if (relations_[p])
            grid->addWidget(relations_[p], row, 1);
        QWidget* value = p == BridgeCount ? static_cast<QWidget*>(bridgeCount_)
                       : p == Ptg         ? static_cast<QWidget*>(ptg_)
                                          : values_[p];
        grid->addWidget(value, row, 2);
        add_[p] = new QPushButton(Translate(kTextAdd), this);
        add_[p]->setAutoDefault(false);
        grid->addWidget(add_[p], row, 3);
        connect(add_[p], &QPushButton::clicked, this, [this, p] { (void)AddCriterion(static_cast<Property>(p)); });
    }
    grid->setColumnStretch(2, 1);

    auto* listRow = new QHBoxLayout;
    listRow->addWidget(list_, 1);
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(delete_);
    listButtons->addStretch();
    listRow->addLayout(listButtons);
    delete_->setAutoDefault(false);
    connect(delete_, &QPushButton::clicked, this, [this] {
        const int line = list_->currentRow();
        if (line < 0 || !list_->currentItem() || !list_->currentItem()->isSelected())
            return;
        criteria_.Remove(line);
        delete list_->takeItem(line);
        EnableAdd();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(Translate(kTextCriteriaLabel), this));
    layout->addLayout(listRow);
}

bool CSelectElementDlg::AddCriterion(Property p)
{
    const bool negated = relations_[p] && relations_[p]->currentIndex() == 1;
    const auto comparison = [this, p] {
        return static_cast<SC::Comparison>(std::max(relations_[p]->currentIndex(), 0));
    };
    bool added = false;
    switch (p) {
    case Type: added = criteria_.AddType(negated, values_[Type]->currentIndex()); break;
    case Selected: added = criteria_.AddSelected(values_[Selected]->currentIndex() == 0); break;
    case LineType:
        // Without a chosen line type there is nothing to compare with.
        if (values_[LineType]->currentIndex() >= 0)
            added = criteria_.AddLineType(negated, values_[LineType]->currentData().toInt(),
                                          values_[LineType]->currentText());
        break;
    case BridgeCount: {
        int count = 0; // a text that is no number counts as 0
        (void)ReadNumber(bridgeCount_, count);
        added = criteria_.AddBridgeCount(comparison(), count);
        break;
    }
    case BridgeMode: added = criteria_.AddBridgeMode(negated, values_[BridgeMode]->currentIndex()); break;
    case Ptg: {
        double ptg = 0.0; // a text that is no number counts as 0
        (void)ReadNumber(ptg_, ptg);
        added = criteria_.AddPtg(comparison(), ptg);
        break;
    }
    default: break;
    }
    if (added)
        list_->addItem(criteria_.Lines().back());
    EnableAdd();
    return added;
}

void CSelectElementDlg::EnableAdd()
{
    const bool room = criteria_.Count() < SelectionCriteria::kMaxCriteria;
    for (QPushButton* add : add_)
        add->setEnabled(room);
}

bool CSelectElementDlg::validatePage()
{
    Section* section = doc_.GetCurrentSection();
    if (!section)
        return false;
    const int selected = criteria_.Select(*section, method_->currentIndex() == 0);
    if (selected < 0)
        return false; // no criterion: nothing to select by
    emit selectionChanged();
    if (selected > 0)
        return true;
    return platform::ask(Translate(SC::kTextNothingSelected), QString(), platform::PromptButtons::YesNo,
                         platform::PromptIcon::Question) == platform::PromptResult::Yes;
}

CActionDlg::CActionDlg(int presetAction, QWidget* parent) : QWizardPage(parent), group_(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("ActionDlg"));
    setTitle(Translate(kTextCaption));
    setSubTitle(Translate(kTextIntroduction));
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kTextActions.count; ++i) {
        const int action = SC::SelectOnly + i;
        auto* radio = new QRadioButton(Translate(kTextActions.At(i)), this);
        group_->addButton(radio, action);
        layout->addWidget(radio);
        auto* note = new QLabel(Translate(kTextNotes.At(i)), this);
        note->setWordWrap(true);
        note->setContentsMargins(24, 0, 0, 6);
        layout->addWidget(note);
    }
    auto* closing = new QLabel(Translate(kTextNotes.At(kTextNotes.count - 1)), this);
    closing->setWordWrap(true);
    layout->addStretch();
    layout->addWidget(closing);
    QAbstractButton* preset = group_->button(presetAction);
    (preset ? preset : group_->button(SC::SelectOnly))->setChecked(true);
}

int CActionDlg::Action() const
{
    return group_->checkedId() > 0 ? group_->checkedId() : static_cast<int>(SC::SelectOnly);
}

QRadioButton* CActionDlg::Radio(int action) const
{
    return qobject_cast<QRadioButton*>(group_->button(action));
}

SelectionWizard::SelectionWizard(QWidget* parent, CMorvekDoc& doc, const LinetypeTable* linetypes, int presetAction)
    : QWizard(parent), criteria_(new CSelectElementDlg(doc, linetypes, this)),
      action_(new CActionDlg(presetAction, this))
{
    setObjectName(QStringLiteral("SelectionWizard"));
    setWindowTitle(Translate(kTextCaption));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    addPage(criteria_);
    addPage(action_);
}

} // namespace dlg
