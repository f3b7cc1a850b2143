#include "dlg/LayerChoiceDlgs.h"

#include "dlg/LayerDlg.h"
#include "options/LanguageTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

namespace {

QDialogButtonBox* OkCancel(QDialog* dialog, int ok, int cancel)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(Translate(ok));
    buttons->button(QDialogButtonBox::Cancel)->setText(Translate(cancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

CCopyToLayerDlg::CCopyToLayerDlg(QWidget* parent, CMorvekDoc& doc)
    : QDialog(parent), choice_(doc), list_(new QTreeWidget(this)),
      selectCopies_(new QCheckBox(Translate(CopyToLayerChoice::kTextSelectCopies), this))
{
    using C = CopyToLayerChoice;
    setObjectName(QStringLiteral("CopyToLayerDlg"));
    setWindowTitle(Translate(C::kTextCaption));
    list_->setObjectName(QStringLiteral("List1195"));
    SetUpLayerList(list_,
                   {Translate(C::kTextColumnName), Translate(C::kTextColumnVisible), Translate(C::kTextCurrent)},
                   C::kColumnWidths, false);
    for (int i = 0; i < choice_.RowCount(); ++i) {
        const C::Row row = choice_.RowAt(i);
        AddLayerRow(list_, {row.name, row.visible, row.current});
    }
    selectCopies_->setObjectName(QStringLiteral("Check1028"));
    selectCopies_->setChecked(choice_.selectCopies);
    QDialogButtonBox* buttons = OkCancel(this, C::kTextOk, C::kTextCancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(selectCopies_);
    layout->addWidget(buttons);
}

void CCopyToLayerDlg::accept()
{
    choice_.selectCopies = selectCopies_->isChecked();
    std::vector<int> rows;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (list_->topLevelItem(i)->isSelected())
            rows.push_back(i);
    }
    if (choice_.Accept(rows))
        QDialog::accept();
}

CConvertNodesDlg::CConvertNodesDlg(QWidget* parent)
    : QDialog(parent), toFixed_(new QCheckBox(Translate(ConvertNodesChoice::kTextToFixed), this)),
      secondary_(new QCheckBox(Translate(ConvertNodesChoice::kTextSecondary), this))
{
    setObjectName(QStringLiteral("ConvertNodesDlg"));
    setWindowTitle(Translate(ConvertNodesChoice::kTextCaption));
    toFixed_->setObjectName(QStringLiteral("Check1028"));
    secondary_->setObjectName(QStringLiteral("Check1029"));
    connect(toFixed_, &QCheckBox::clicked, this, [this](bool on) {
        choice_.SetToFixed(on);
        Show();
    });
    connect(secondary_, &QCheckBox::clicked, this, [this](bool on) {
        choice_.SetSecondary(on);
        Show();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(toFixed_);
    layout->addWidget(secondary_);
    layout->addWidget(OkCancel(this, ConvertNodesChoice::kTextOk, ConvertNodesChoice::kTextCancel));
    Show();
}

void CConvertNodesDlg::Show()
{
    const QSignalBlocker quietFirst(toFixed_);
    const QSignalBlocker quietSecond(secondary_);
    toFixed_->setChecked(choice_.ToFixed());
    secondary_->setChecked(choice_.Secondary());
}

} // namespace dlg
