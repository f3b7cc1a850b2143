#include "dlg/VariableDlg.h"
#include "dlg/NamedWidgets.h"

#include "dlg/DialogButtons.h"
#include "dlg/VariableEditCtrl.h"
#include "options/LanguageTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

namespace {

constexpr int kTextOk = 132;

QPushButton* Button(QWidget* parent, int textId, const char* name)
{
    return NamedButton(parent, Translate(textId), name);
}

} // namespace

// --- one variable -------------------------------------------------------------

CVariablePropDlg::CVariablePropDlg(QWidget* parent, FormulaTable* table, bool nameEditable)
    : QDialog(parent), name_(new QLineEdit(this)), expression_(new CVariableEditCtrl(table, this)),
      description_(new QLineEdit(this))
{
    setObjectName(QStringLiteral("VariablePropDlg"));
    setWindowTitle(Translate(kTextCaption));
    name_->setObjectName(QStringLiteral("Name"));
    name_->setEnabled(nameEditable);
    expression_->setObjectName(QStringLiteral("Expression"));
    expression_->setFixedHeight(expression_->fontMetrics().height() * 3);
    description_->setObjectName(QStringLiteral("Description"));
    auto* form = new QFormLayout;
    form->addRow(Translate(kTextName), name_);
    form->addRow(Translate(kTextExpression), expression_);
    form->addRow(Translate(kTextDescription), description_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(this));
    resize(420, sizeHint().height());
}

void CVariablePropDlg::SetTexts(const QString& name, const QString& expression, const QString& description)
{
    name_->setText(name);
    expression_->SetText(expression);
    description_->setText(description);
}

QString CVariablePropDlg::Name() const
{
    return name_->text();
}

QString CVariablePropDlg::Expression() const
{
    return expression_->Text();
}

QString CVariablePropDlg::Description() const
{
    return description_->text();
}

// --- rename -----------------------------------------------------------------

CChangeNameDlg::CChangeNameDlg(QWidget* parent, const QString& caption, const QString& firstLabel,
                               const QString& secondLabel, const QString& firstValue, const QString& secondValue)
    : QDialog(parent), second_(new QLineEdit(secondValue, this))
{
    setObjectName(QStringLiteral("ChangeNameDlg"));
    setWindowTitle(caption);
    auto* first = new QLineEdit(firstValue, this);
    first->setReadOnly(true);
    second_->setObjectName(QStringLiteral("NewName"));
    auto* form = new QFormLayout;
    form->addRow(firstLabel, first);
    form->addRow(secondLabel, second_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(this));
    second_->selectAll();
    second_->setFocus();
}

QString CChangeNameDlg::SecondValue() const
{
    return second_->text();
}

// --- the list -------------------------------------------------------------------

CVariableDlg::CVariableDlg(QWidget* parent, VariableEdits& edits)
    : QDialog(parent), edits_(edits), list_(new QTreeWidget(this)), definition_(new QLabel(this)),
      all_(new QRadioButton(Translate(kTextAll), this)), used_(new QRadioButton(Translate(kTextUsedFilter), this)),
      checkUsed_(new QCheckBox(Translate(kTextCheckUsed), this))
{
    setObjectName(QStringLiteral("VariableDlg"));
    setWindowTitle(Translate(kTextCaption));
    list_->setObjectName(QStringLiteral("List"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setHeaderLabels({Translate(kTextColumnName), Translate(kTextColumnValue), Translate(kTextColumnValidity)});
    list_->setColumnWidth(0, 100);
    list_->setColumnWidth(1, 120);
    list_->setColumnWidth(2, 80);
    list_->setMinimumSize(330, 260);
    definition_->setObjectName(QStringLiteral("Definition"));
    definition_->setWordWrap(true);
    definition_->setMinimumHeight(40);
    definition_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    all_->setObjectName(QStringLiteral("All"));
    used_->setObjectName(QStringLiteral("Used"));
    checkUsed_->setObjectName(QStringLiteral("CheckUsed"));
    all_->setChecked(true);

    auto* add = Button(this, kTextAdd, "Add");
    auto* modify = Button(this, kTextModify, "Modify");
    auto* remove = Button(this, kTextDelete, "Delete");
    auto* rename = Button(this, kTextRename, "Rename");

    auto* listGroup = new QGroupBox(Translate(kTextListGroup), this);
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->addWidget(list_);
    auto* filters = new QHBoxLayout;
    filters->addWidget(all_);
    filters->addWidget(used_);
    filters->addWidget(checkUsed_);
    filters->addStretch();
    listLayout->addLayout(filters);
    auto* definitionGroup = new QGroupBox(Translate(kTextDefinitionGroup), this);
    auto* definitionLayout = new QVBoxLayout(definitionGroup);
    definitionLayout->addWidget(definition_);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {add, modify, remove, rename})
        side->addWidget(b);
    side->addStretch();
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    ok->button(QDialogButtonBox::Ok)->setText(Translate(kTextOk));
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    side->addWidget(ok);

    auto* left = new QVBoxLayout;
    left->addWidget(listGroup, 1);
    left->addWidget(definitionGroup);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);

    connect(add, &QPushButton::clicked, this, &CVariableDlg::OnAdd);
    connect(modify, &QPushButton::clicked, this, &CVariableDlg::OnModify);
    connect(remove, &QPushButton::clicked, this, &CVariableDlg::OnDelete);
    connect(rename, &QPushButton::clicked, this, &CVariableDlg::OnRename);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { OnModify(); });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { ShowDefinition(); });
    for (QRadioButton* filter : {all_, used_})
        connect(filter, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                RefreshList();
        });
    connect(checkUsed_, &QCheckBox::toggled, this, [this] {
        // The Used filter needs the marks: the box stays set with it.
        if (used_->isChecked() && !checkUsed_->isChecked())
            checkUsed_->setChecked(true);
        else
            RefreshList();
    });
    RefreshList();
}

QString CVariableDlg::SelectedName() const
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? QString() : selected.back()->text(0);
}

void CVariableDlg::Select(const QString& name)
{
    list_->clearSelection();
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (list_->topLevelItem(i)->text(0) == name) {
            list_->setCurrentItem(list_->topLevelItem(i));
            list_->topLevelItem(i)->setSelected(true);
        }
    ShowDefinition();
}

void CVariableDlg::RefreshList()
{
    if (used_->isChecked() && !checkUsed_->isChecked()) {
        const QSignalBlocker block(checkUsed_);
        checkUsed_->setChecked(true);
    }
    const QString selected = SelectedName();
    {
        const QSignalBlocker block(list_);
        list_->clear();
        for (const VariableEdits::Row& row : edits_.Rows(used_->isChecked(), checkUsed_->isChecked())) {
            auto* item = new QTreeWidgetItem(list_, {row.name, row.value, row.validity});
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    Select(selected);
}

void CVariableDlg::ShowDefinition()
{
    const QString name = SelectedName();
    definition_->setText(name.isEmpty() ? QString() : edits_.Definition(name, checkUsed_->isChecked()));
}

void CVariableDlg::OnAdd()
{
    CVariablePropDlg prop(this, edits_.Table(), true);
    for (;;) {
        if (prop.exec() != QDialog::Accepted)
            return;
        if (edits_.Add(prop.Name(), prop.Expression(), prop.Description()) != VariableEdits::Outcome::Refused)
            break;
    }
    RefreshList();
    Select(prop.Name());
}

void CVariableDlg::OnModify()
{
    const QString name = SelectedName();
    if (name.isEmpty() || !edits_.IsModifiable(name))
        return;
    CVariablePropDlg prop(this, edits_.Table(), false);
    prop.SetTexts(name, edits_.Formula(name), edits_.Description(name));
    if (prop.exec() != QDialog::Accepted)
        return;
    if (edits_.Modify(name, prop.Expression(), prop.Description()) != VariableEdits::Outcome::Refused)
        RefreshList();
}

void CVariableDlg::OnDelete()
{
    const QString name = SelectedName();
    if (name.isEmpty())
        return;
    if (edits_.Delete(name) == VariableEdits::Outcome::Changed)
        RefreshList();
}

void CVariableDlg::OnRename()
{
    const QString name = SelectedName();
    if (name.isEmpty())
        return;
    // Renaming to the same name does nothing but show 375 for a protected
    // variable, before the rename dialog.
    if (edits_.Rename(name, name) == VariableEdits::Outcome::Protected)
        return;
    CChangeNameDlg dialog(this, Translate(kTextRenameCaption), Translate(kTextRenameOld), Translate(kTextRenameNew),
                          name, name);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (edits_.Rename(name, dialog.SecondValue()) == VariableEdits::Outcome::Changed) {
        RefreshList();
        Select(dialog.SecondValue());
    }
}

} // namespace dlg
