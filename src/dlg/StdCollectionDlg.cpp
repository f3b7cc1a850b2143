#include "dlg/StdCollectionDlg.h"

#include "dlg/DialogButtons.h"
#include "gui/FolderChooser.h"
#include "options/LanguageTable.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

CTwoValueDlg::CTwoValueDlg(const QString& caption, const QString& label1, const QString& label2,
                           const CollectionValues& values, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    name_ = new QLineEdit(values.name, this);
    file_ = new QLineEdit(values.file, this);
    file_->setMinimumWidth(300);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setAutoDefault(false);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(label1, this), 0, 0);
    grid->addWidget(name_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(label2, this), 1, 0);
    grid->addWidget(file_, 1, 1);
    grid->addWidget(browse, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString start = file_->text().isEmpty() ? QString() : QFileInfo(file_->text()).absolutePath();
        const QString path = QFileDialog::getSaveFileName(this, QString(), start + QStringLiteral("/untitled1.sif"),
                                                          gui::QtFilter(Translate(kTextCatalogueFilter)), nullptr,
                                                          QFileDialog::DontConfirmOverwrite);
        if (!path.isEmpty())
            file_->setText(path);
    });
}

CollectionValues CTwoValueDlg::Values() const
{
    return {name_->text(), file_->text()};
}

CStdCollectionDlg::CStdCollectionDlg(COptions& options, QWidget* parent) : QDialog(parent), collections_(options)
{
    setWindowTitle(Translate(kTextTitle));
    list_ = new QTreeWidget(this);
    list_->setColumnCount(2);
    list_->setHeaderLabels({Translate(kTextName), Translate(kTextFile)});
    list_->setColumnWidth(0, 100);
    list_->setColumnWidth(1, 300);
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setMinimumWidth(420);
    auto* ok = new QPushButton(Translate(kTextOk), this);
    auto* add = new QPushButton(Translate(kTextAdd), this);
    auto* modify = new QPushButton(Translate(kTextModify), this);
    auto* remove = new QPushButton(Translate(kTextDelete), this);
    for (QPushButton* b : {add, modify, remove})
        b->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ok, add, modify, remove})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(add, &QPushButton::clicked, this, &CStdCollectionDlg::OnAdd);
    connect(modify, &QPushButton::clicked, this, &CStdCollectionDlg::OnModify);
    connect(remove, &QPushButton::clicked, this, &CStdCollectionDlg::OnDelete);
    Fill();
}

void CStdCollectionDlg::Fill()
{
    list_->clear();
    for (int i = 0; i < collections_.Count(); ++i) {
        const CollectionValues values = collections_.At(i);
        new QTreeWidgetItem(list_, {values.name, values.file});
    }
}

int CStdCollectionDlg::Selected() const
{
    int selected = -1;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (list_->topLevelItem(i)->isSelected())
            selected = i;
    }
    return selected;
}

void CStdCollectionDlg::OnAdd()
{
    CTwoValueDlg dialog(Translate(kTextAddCaption), Translate(kTextName), Translate(kTextFile),
                        StandardCollections::NewValues(), this);
    if (dialog.exec() == QDialog::Accepted)
        collections_.Add(dialog.Values());
    Fill();
}

void CStdCollectionDlg::OnModify()
{
    const int selected = Selected();
    const std::optional<CollectionValues> values = collections_.StartModify(selected);
    if (!values)
        return;
    CTwoValueDlg dialog(Translate(kTextModifyCaption), Translate(kTextName), Translate(kTextFile), *values, this);
    if (dialog.exec() == QDialog::Accepted)
        collections_.Modify(selected, dialog.Values());
    Fill();
}

void CStdCollectionDlg::OnDelete()
{
    (void)collections_.Delete(Selected());
    Fill();
}

} // namespace dlg
