#include "dlg/SpecStdPropDlg.h"
#include "dlg/NamedWidgets.h"

#include "dlg/ComponentOverrides.h"
#include "dlg/DialogButtons.h"
#include "dlg/StandardFileAsker.h"
#include "dlg/VariableDlg.h"
#include "options/LanguageTable.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

namespace {

} // namespace

CSpecStdPropDlg::CSpecStdPropDlg(QWidget* parent, ComponentOverrides& model, StandardFileAsker& files,
                                 const QString& startFolder)
    : QDialog(parent), model_(model), files_(files), startFolder_(startFolder), name_(NamedEdit(this, "Name")),
      file_(NamedEdit(this, "File")), x_(NamedEdit(this, "X")), y_(NamedEdit(this, "Y")), rotation_(NamedEdit(this, "Rotation")),
      list_(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("SpecStdPropDlg"));
    setWindowTitle(Translate(kTextCaption));
    // The file changes through its button, which reads the drawing's variables.
    file_->setReadOnly(true);
    auto* browse = NamedButton(this, QStringLiteral("..."), "BrowseFile");
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(Translate(kTextName), name_);
    form->addRow(Translate(kTextFile), fileRow);
    form->addRow(Translate(kTextX), x_);
    form->addRow(Translate(kTextY), y_);
    form->addRow(Translate(kTextRotation), rotation_);

    list_->setObjectName(QStringLiteral("Variables"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setHeaderLabels({Translate(kTextColumnVariable), Translate(kTextColumnFormula), Translate(kTextColumnMark)});
    list_->header()->resizeSection(0, 90);
    list_->header()->resizeSection(1, 210);
    list_->header()->resizeSection(2, 70);

    auto* modify = NamedButton(this, Translate(kTextModify), "Modify");
    auto* reset = NamedButton(this, Translate(kTextReset), "Reset");
    auto* restore = NamedButton(this, Translate(kTextRestore), "Restore");
    auto* side = new QVBoxLayout;
    side->addWidget(modify);
    side->addWidget(reset);
    side->addWidget(restore);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(list_, 1);
    middle->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(middle, 1);
    layout->addWidget(OkCancelButtons(this));

    connect(browse, &QPushButton::clicked, this, &CSpecStdPropDlg::OnBrowseFile);
    connect(modify, &QPushButton::clicked, this, &CSpecStdPropDlg::OnModifyVariable);
    connect(reset, &QPushButton::clicked, this, &CSpecStdPropDlg::OnReset);
    connect(restore, &QPushButton::clicked, this, &CSpecStdPropDlg::OnRestore);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CSpecStdPropDlg::OnModifyVariable);

    FillControls();
    FillList();
    resize(470, 420);
}

void CSpecStdPropDlg::ReadControls()
{
    model_.name = name_->text();
    model_.x = x_->text();
    model_.y = y_->text();
    model_.rotation = rotation_->text();
}

void CSpecStdPropDlg::FillControls()
{
    name_->setText(model_.name);
    file_->setText(model_.file);
    x_->setText(model_.x);
    y_->setText(model_.y);
    rotation_->setText(model_.rotation);
}

void CSpecStdPropDlg::FillList()
{
    const int selected = SelectedRow();
    list_->clear();
    const auto count = static_cast<int>(model_.Rows().size());
    for (int i = 0; i < count; ++i) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, model_.Rows()[static_cast<size_t>(i)].name);
        item->setText(1, model_.ShownFormula(i));
        item->setText(2, model_.Mark(i));
    }
    if (selected >= 0 && selected < count)
        list_->setCurrentItem(list_->topLevelItem(selected));
}

int CSpecStdPropDlg::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.constFirst());
}

void CSpecStdPropDlg::OnBrowseFile()
{
    ReadControls();
    const QString path =
        files_.Open(startFolder_, FileFilter(kTextFilterDrawing, QStringLiteral("*.n")), QStringLiteral("n"));
    if (path.isEmpty())
        return;
    model_.ChooseDrawing(path);
    FillControls();
    FillList();
}

void CSpecStdPropDlg::OnModifyVariable()
{
    ReadControls();
    const int row = SelectedRow();
    if (row < 0 || !model_.Table())
        return;
    const QString variable = model_.Rows()[static_cast<size_t>(row)].name;
    CVariablePropDlg prop(this, model_.Table(), false);
    const int index = model_.Table()->FindIndex(variable);
    prop.SetTexts(variable, model_.FormulaToEdit(row), model_.Table()->GetDescription(index));
    // The description is the drawing's own: only the expression is overridden.
    if (auto* description = prop.findChild<QLineEdit*>(QStringLiteral("Description")))
        description->setEnabled(false);
    if (prop.exec() != QDialog::Accepted)
        return;
    if (model_.Override(row, prop.Expression()))
        FillList();
}

void CSpecStdPropDlg::OnReset()
{
    ReadControls();
    const int row = SelectedRow();
    if (row < 0)
        return;
    model_.Reset(row);
    FillList();
}

void CSpecStdPropDlg::OnRestore()
{
    ReadControls();
    if (model_.Restore())
        FillList();
}

void CSpecStdPropDlg::accept()
{
    ReadControls();
    QDialog::accept();
}

bool DialogComponentEditing::Edit(SpecStandardComponent& component, const QString& standardFile)
{
    ComponentOverrides model(component, standardFile);
    model.LoadVariables(false);
    CSpecStdPropDlg dialog(parent_, model, files_, startFolder_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    component = model.Result();
    return true;
}

} // namespace dlg
