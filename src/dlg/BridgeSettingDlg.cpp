#include "dlg/BridgeSettingDlg.h"

#include "dlg/NumberFields.h"
#include "dlg/OneValue.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {
namespace {

void ShowError(const QString& text)
{
    (void)platform::ask(text, QString(), platform::PromptButtons::Ok, platform::PromptIcon::Error); // Ok only
}

QLineEdit* DoubleField(QWidget* parent)
{
    auto* edit = new QLineEdit(QStringLiteral("0"), parent);
    MakeDoubleField(edit);
    return edit;
}

} // namespace

CBridgeSettingDlg::CBridgeSettingDlg(QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this)), min_(DoubleField(this)), max_(DoubleField(this)),
      count_(new QLineEdit(QStringLiteral("0"), this)), length_(DoubleField(this)), kind_(new QComboBox(this)),
      perLength_(DoubleField(this)), defaultLength_(DoubleField(this))
{
    setObjectName(QStringLiteral("BridgeSettingDlg"));
    setWindowTitle(QStringLiteral("Bridge Settings"));
    MakeIntField(count_);
    for (std::size_t kind = 0; kind < kBridgeKindLabels.size(); ++kind)
        kind_->addItem(kBridgeKindLabels[kind].toString(), int(kind));
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    QStringList titles;
    for (const BridgeRuleEditor::Column& column : BridgeRuleEditor::kColumns)
        titles << QString::fromLatin1(column.title);
    list_->setHeaderLabels(titles);
    for (int c = 0; c < int(std::size(BridgeRuleEditor::kColumns)); ++c) {
        list_->setColumnWidth(c, BridgeRuleEditor::kColumns[c].width);
        list_->headerItem()->setTextAlignment(c, BridgeRuleEditor::kColumns[c].alignment);
    }
    list_->setMinimumSize(470, 220);

    auto* sizes = new QHBoxLayout;
    sizes->addWidget(min_);
    sizes->addWidget(max_);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Element size:"), sizes);
    fields->addRow(QStringLiteral("Number of bridges:"), count_);
    fields->addRow(QStringLiteral("Length of bridges:"), length_);
    fields->addRow(QStringLiteral("Type:"), kind_);
    auto* add = new QPushButton(QStringLiteral("Add"), this);
    auto* remove = new QPushButton(QStringLiteral("Delete"), this);
    auto* ruleButtons = new QHBoxLayout;
    ruleButtons->addWidget(add);
    ruleButtons->addWidget(remove);
    auto* defaults = new QGroupBox(QStringLiteral("Defaults"), this);
    auto* defaultFields = new QFormLayout(defaults);
    defaultFields->addRow(QStringLiteral("1/length:"), perLength_);
    defaultFields->addRow(QStringLiteral("Length of bridges:"), defaultLength_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(fields);
    layout->addLayout(ruleButtons);
    layout->addWidget(defaults);
    layout->addWidget(buttons);

    connect(add, &QPushButton::clicked, this, &CBridgeSettingDlg::OnAdd);
    connect(remove, &QPushButton::clicked, this, &CBridgeSettingDlg::OnDelete);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBridgeSettingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBridgeSettingDlg::reject);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &CBridgeSettingDlg::OnRowSelected);
    connect(perLength_, &QLineEdit::textEdited, this, [this] { OnDefaultChanged(perLength_, editor_.perLength); });
    connect(defaultLength_, &QLineEdit::textEdited, this,
            [this] { OnDefaultChanged(defaultLength_, editor_.length); });
}

void CBridgeSettingDlg::SetRuleTable(BridgeRuleSet* rules)
{
    editor_.SetRuleTable(rules);
    FillList();
}

void CBridgeSettingDlg::SetDefaultValues(double* perLength, double* length)
{
    editor_.SetDefaultValues(perLength, length);
    perLength_->setText(NumberText(editor_.perLength));
    defaultLength_->setText(NumberText(editor_.length));
}

void CBridgeSettingDlg::FillList()
{
    filling_ = true;
    list_->clear();
    for (const auto& [id, rule] : editor_.Rules()) {
        auto* item = new QTreeWidgetItem(list_);
        for (int c = 0; c < int(std::size(BridgeRuleEditor::kColumns)); ++c) {
            item->setText(c, BridgeRuleEditor::Cell(rule, c));
            item->setTextAlignment(c, BridgeRuleEditor::kColumns[c].alignment);
        }
        item->setData(0, Qt::UserRole, id);
    }
    filling_ = false;
}

void CBridgeSettingDlg::OnRowSelected()
{
    if (filling_)
        return;
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;
    const std::optional<BridgeRuleEditor::Fields> rule = editor_.FieldsOf(selected.first()->data(0, Qt::UserRole).toInt());
    if (!rule)
        return;
    count_->setText(QString::number(rule->count));
    length_->setText(NumberText(rule->bridgeLength));
    min_->setText(NumberText(rule->minLength));
    max_->setText(NumberText(rule->maxLength));
    kind_->setCurrentIndex(kind_->findData(rule->kind));
}

void CBridgeSettingDlg::OnDefaultChanged(QLineEdit* field, double& value)
{
    double read = 0.0;
    if (!ReadNumber(field, read))
        read = 0.0; // unreadable text counts as 0
    if (read < 0.0) {
        field->setText(QStringLiteral("0"));
        read = 0.0;
    }
    value = read;
}

bool CBridgeSettingDlg::ReadFields(BridgeRuleEditor::Fields& fields)
{
    const auto refuse = [](QLineEdit* edit) {
        ShowError(Translate(kTextNotANumber));
        edit->setFocus();
        return false;
    };
    const std::pair<QLineEdit*, double*> numbers[] = {
        {min_, &fields.minLength}, {max_, &fields.maxLength}, {length_, &fields.bridgeLength}};
    for (const auto& [edit, value] : numbers)
        if (!ReadNumber(edit, *value))
            return refuse(edit);
    if (!ReadNumber(count_, fields.count))
        return refuse(count_);
    fields.kind = kind_->currentData().toInt();
    return true;
}

void CBridgeSettingDlg::OnAdd()
{
    BridgeRuleEditor::Fields fields;
    if (!ReadFields(fields))
        return;
    if (!editor_.Add(fields)) {
        ShowError(QString::fromLatin1(BridgeRuleEditor::kInvalidData));
        return;
    }
    FillList();
}

void CBridgeSettingDlg::OnDelete()
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;
    editor_.Delete(selected.first()->data(0, Qt::UserRole).toInt());
    FillList();
}

void CBridgeSettingDlg::accept()
{
    OnDefaultChanged(perLength_, editor_.perLength);
    OnDefaultChanged(defaultLength_, editor_.length);
    if (!editor_.Apply()) {
        ShowError(QString::fromLatin1(BridgeRuleEditor::kInvalidData));
        return;
    }
    QDialog::accept();
}

} // namespace dlg
