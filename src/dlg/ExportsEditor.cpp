#include "dlg/ExportsEditor.h"

#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

namespace {

constexpr int kTextName = 496;
constexpr int kCaptionDeclare = 690;
constexpr int kCaptionList = 691;
constexpr int kTextConfigure = 692;
constexpr int kTextOk = 694;
constexpr int kTextAdd = 601;
constexpr int kTextModify = 603;
constexpr int kTextDelete = 604;
constexpr int kTextColumnName = 685;
constexpr int kTextColumnType = 678;
constexpr int kTextDuplicate = 886;
constexpr int kTextAskDelete = 423;
constexpr int kTextCancel = 133;

// The types the declare dialog offers, in its order.
struct TypeEntry {
    const char* label;
    const char* type;
};
constexpr TypeEntry kTypes[] = {
    {"HP-GL", "hpgl"}, {"Old text layout (.n)", "oldn"}, {"CF2", "cf2"}, {"Wild", "wild"}};

} // namespace

ExporterDeclare::ExporterDeclare(const ExporterDeclaration& start, bool typeFixed, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ExporterDeclare"));
    setWindowTitle(Translate(kCaptionDeclare));
    auto* form = new QFormLayout;
    name_ = new QLineEdit(start.name, this);
    name_->setObjectName(QStringLiteral("Name"));
    type_ = new QComboBox(this);
    type_->setObjectName(QStringLiteral("Type"));
    for (const TypeEntry& entry : kTypes)
        type_->addItem(QString::fromLatin1(entry.label), QString::fromLatin1(entry.type));
    type_->setCurrentIndex(type_->findData(start.type));
    if (type_->currentIndex() < 0 && typeFixed) {
        type_->addItem(QStringLiteral("?"), QStringLiteral("?"));
        type_->setCurrentIndex(type_->count() - 1);
    }
    type_->setEnabled(!typeFixed);
    form->addRow(Translate(kTextName), name_);
    form->addRow(TranslateKey(QStringLiteral("Type")), type_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(Translate(kTextCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &ExporterDeclare::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

ExporterDeclaration ExporterDeclare::Result() const
{
    return {name_->text().trimmed(), type_->currentData().toString()};
}

void ExporterDeclare::accept()
{
    const ExporterDeclaration result = Result();
    if (result.name.isEmpty() || result.type.isEmpty() || result.type == QLatin1String("?"))
        return;
    QDialog::accept();
}

bool ShowExporterDeclare(ExporterDeclaration& declaration, bool typeFixed, QWidget* parent)
{
    ExporterDeclare dialog(declaration, typeFixed, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    declaration = dialog.Result();
    return true;
}

ExportsEditor::ExportsEditor(Export::ExportManager& manager, QWidget* parent) : QDialog(parent), manager_(manager)
{
    setObjectName(QStringLiteral("ExportsEditor"));
    setWindowTitle(Translate(kCaptionList));
    declare_ = [this](ExporterDeclaration& declaration, bool typeFixed) {
        return ShowExporterDeclare(declaration, typeFixed, this);
    };
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("Exporters"));
    list_->setRootIsDecorated(false);
    list_->setColumnCount(2);
    list_->setHeaderLabels({Translate(kTextColumnName), Translate(kTextColumnType)});
    list_->header()->resizeSection(0, 280);
    list_->header()->resizeSection(1, 80);
    auto* buttons = new QVBoxLayout;
    auto addButton = [&](int text, void (ExportsEditor::*action)()) {
        auto* button = new QPushButton(Translate(text), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
    };
    addButton(kTextConfigure, &ExportsEditor::Configure);
    addButton(kTextAdd, &ExportsEditor::Add);
    addButton(kTextModify, &ExportsEditor::Modify);
    addButton(kTextDelete, &ExportsEditor::Delete);
    buttons->addStretch(1);
    auto* ok = new QPushButton(Translate(kTextOk), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(ok);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { Configure(); });
    resize(520, 300);
    Fill();
}

Export::exporter* ExportsEditor::Selected() const
{
    const QTreeWidgetItem* row = list_->currentItem();
    return row ? static_cast<Export::exporter*>(row->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

void ExportsEditor::StoreChecks()
{
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list_->topLevelItem(i);
        auto* exporter = static_cast<Export::exporter*>(row->data(0, Qt::UserRole).value<void*>());
        exporter->SetEnabled(row->checkState(0) == Qt::Checked);
    }
}

void ExportsEditor::Fill()
{
    StoreChecks();
    const Export::exporter* selected = Selected();
    list_->clear();
    for (const auto& [name, exporter] : manager_.GetNameMap()) {
        auto* row = new QTreeWidgetItem(list_, {exporter->GetName(), exporter->TypeName().toUpper()});
        row->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(exporter)));
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, exporter->IsEnabled() ? Qt::Checked : Qt::Unchecked);
        if (exporter == selected)
            list_->setCurrentItem(row);
    }
}

void ExportsEditor::Configure()
{
    if (Export::exporter* exporter = Selected())
        exporter->Configure();
}

void ExportsEditor::Add()
{
    ExporterDeclaration declaration;
    while (declare_(declaration, false)) {
        const auto names = manager_.GetNameMap();
        if (names.find(declaration.name) == names.end()) {
            auto added = Export::CreateExporter(declaration.type);
            if (!added)
                break;
            added->SetName(declaration.name);
            manager_.Add(std::move(added));
            break;
        }
        platform::ask(Translate(kTextDuplicate));
    }
    Fill();
}

void ExportsEditor::Modify()
{
    Export::exporter* exporter = Selected();
    if (!exporter)
        return;
    const auto names = manager_.GetNameMap();
    ExporterDeclaration declaration{exporter->GetName(), exporter->TypeName()};
    while (declare_(declaration, true)) {
        const auto found = names.find(declaration.name);
        if (found == names.end() || found->second == exporter) {
            exporter->SetName(declaration.name);
            break;
        }
        platform::ask(Translate(kTextDuplicate));
    }
    Fill();
}

void ExportsEditor::Delete()
{
    if (Export::exporter* exporter = Selected()) {
        const QString question = Translate(kTextAskDelete) + QLatin1Char('\n') + exporter->GetName();
        if (platform::ask(question, {}, platform::PromptButtons::YesNo, platform::PromptIcon::Question) ==
            platform::PromptResult::Yes) {
            delete list_->currentItem();
            manager_.Delete(exporter);
        }
    }
    Fill();
}

void ExportsEditor::done(int result)
{
    if (!finished_) {
        finished_ = true;
        StoreChecks();
        QString error;
        if (!manager_.Save(&error))
            platform::ask(error, {}, platform::PromptButtons::Ok, platform::PromptIcon::Error);
        if (onSaved_)
            onSaved_();
    }
    QDialog::done(result);
}

} // namespace dlg
