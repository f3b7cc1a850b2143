#pragma once
// The one-value dialog: a label over one edit field, and OK. Closing the
// window or Escape cancels. With validation on, OK refuses a value holding
// a character no number has (dlg::IsValueAccepted) with message 344 and
// the dialog stays open.
#include "dlg/OneValue.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dlg {

class COneParamDlg : public QDialog {
    Q_OBJECT
public:
    explicit COneParamDlg(QWidget* parent = nullptr);

    void SetRequest(const OneValueRequest& request);
    QString Label() const;
    QString Value() const;
    QLineEdit* Edit() const { return edit_; }
    QPushButton* OkButton() const { return ok_; }

    // OK: closes only with an accepted value (or validation off).
    void accept() override;

private:
    QLabel* label_;
    QLineEdit* edit_;
    QPushButton* ok_;
    bool skipValidation_ = false;
};

} // namespace dlg
