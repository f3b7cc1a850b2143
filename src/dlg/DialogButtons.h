#pragma once
// The OK and Cancel buttons of the editing dialogs, captioned with texts
// 132 and 133 and wired to accept and reject.
class QDialog;
class QDialogButtonBox;

namespace dlg {

QDialogButtonBox* OkCancelButtons(QDialog* dialog);

} // namespace dlg
