#include "dlg/DialogButtons.h"

#include "options/LanguageTable.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace dlg {

namespace {

constexpr int kTextOk = 132;
constexpr int kTextCancel = 133;

} // namespace

QDialogButtonBox* OkCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(Translate(kTextOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(Translate(kTextCancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace dlg
