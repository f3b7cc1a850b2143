#include "dlg/DXFImportDlg.h"

#include "options/LanguageTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

CDXFImportDlg::CDXFImportDlg(QWidget* parent, const std::vector<DxfBlock>& blocks, const DxfBlock* modelSpace)
    : QDialog(parent), choices_(blocks, modelSpace), list_(new QTreeWidget(this)), width_(new QLineEdit(this)),
      height_(new QLineEdit(this)), information_(new QPlainTextEdit(this)),
      label_(new QCheckBox(TranslateKey(QStringLiteral("Feliratoz")), this))
{
    setObjectName(QStringLiteral("DXFImportDlg"));
    setWindowTitle(QStringLiteral("DXF File Import"));

    auto* fileBox = new QGroupBox(QStringLiteral("File"), this);
    auto* file = new QLineEdit(fileBox); // nothing fills it
    file->setReadOnly(true);
    (new QHBoxLayout(fileBox))->addWidget(file);

    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setColumnCount(static_cast<int>(std::size(DxfImportChoices::kColumns)));
    QStringList titles;
    for (const auto& c : DxfImportChoices::kColumns)
        titles << QString::fromLatin1(c.title);
    list_->setHeaderLabels(titles);
    int columnsWidth = 0;
    for (int column = 0; column < list_->columnCount(); ++column) {
        const auto& c = DxfImportChoices::kColumns[column];
        list_->headerItem()->setTextAlignment(column, c.alignment);
        list_->setColumnWidth(column, c.width);
        columnsWidth += c.width;
    }
    list_->setMinimumWidth(columnsWidth + 2 * list_->frameWidth() + 4); // every column shown whole
    for (int row = 0; row < choices_.RowCount(); ++row) {
        auto* item = new QTreeWidgetItem(list_);
        for (int column = 0; column < list_->columnCount(); ++column) {
            item->setText(column, choices_.Cell(row, column));
            item->setTextAlignment(column, DxfImportChoices::kColumns[column].alignment | Qt::AlignVCenter);
        }
        item->setData(0, Qt::UserRole, row);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, choices_.IsTicked(row) ? Qt::Checked : Qt::Unchecked);
    }
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            information_->setPlainText(choices_.InformationText(current->data(0, Qt::UserRole).toInt()));
    });

    auto* pageBox = new QGroupBox(QStringLiteral("Page Size"), this);
    auto* pageLayout = new QHBoxLayout(pageBox);
    width_->setText(choices_.pageWidth);
    height_->setText(choices_.pageHeight);
    pageLayout->addWidget(width_);
    pageLayout->addWidget(height_);

    auto* infoBox = new QGroupBox(QStringLiteral("Information"), this);
    information_->setReadOnly(true);
    (new QHBoxLayout(infoBox))->addWidget(information_);

    auto* all = new QPushButton(TranslateKey(QStringLiteral("Mind")), this);
    all->setObjectName(QStringLiteral("Button1087"));
    auto* none = new QPushButton(TranslateKey(QStringLiteral("Semmi")), this);
    none->setObjectName(QStringLiteral("Button1088"));
    connect(all, &QPushButton::clicked, this, [this] {
        choices_.TickAll();
        SyncTicks();
    });
    connect(none, &QPushButton::clicked, this, [this] {
        choices_.ClearAll();
        SyncTicks();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDXFImportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDXFImportDlg::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(pageBox);
    side->addWidget(infoBox, 1);
    side->addWidget(all);
    side->addWidget(none);
    side->addWidget(label_);
    auto* grid = new QGridLayout(this);
    grid->addWidget(fileBox, 0, 0, 1, 2);
    grid->addWidget(list_, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
}

void CDXFImportDlg::SyncTicks()
{
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
        list_->topLevelItem(row)->setCheckState(0, choices_.IsTicked(row) ? Qt::Checked : Qt::Unchecked);
}

void CDXFImportDlg::accept()
{
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
        choices_.SetTicked(row, list_->topLevelItem(row)->checkState(0) == Qt::Checked);
    choices_.pageWidth = width_->text();
    choices_.pageHeight = height_->text();
    choices_.label = label_->isChecked();
    choice_ = choices_.Accept();
    QDialog::accept();
}

DxfImportChoice DxfImportDialogChooser::Choose(const DxfBlock* modelSpace, const std::vector<DxfBlock>& blocks)
{
    CDXFImportDlg dialog(parent_, blocks, modelSpace);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.Choice();
}

} // namespace dlg
