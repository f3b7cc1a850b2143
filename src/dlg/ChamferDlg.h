#pragma once
// The chamfer dialog: five edits (distance 1, distance 2, chamfer length,
// angle 1, angle 2) beside a sketch that shows what each means. OK is
// enabled exactly when the values fix a chamfer (ChamferChoice); it hands
// the five values to the caller. Every opening starts from all values 0.
#include "dlg/ChamferChoice.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dlg {

class CChamferDlg : public QDialog {
    Q_OBJECT
public:
    // Language texts: the instruction, OK, Cancel.
    static constexpr int kTextInstruction = 131;
    static constexpr int kTextOk = 132;
    static constexpr int kTextCancel = 133;

    explicit CChamferDlg(QWidget* parent = nullptr);

    QLineEdit* Edit(ChamferChoice::Field f) const { return edits_[static_cast<std::size_t>(f)]; }
    QPushButton* OkButton() const { return ok_; }
    // The values the edits hold (an unreadable text reads as 0).
    const ChamferChoice& Choice() const { return choice_; }

    // Runs the dialog from all values 0; on OK writes the five values in
    // field order and returns true.
    static bool Ask(QWidget* parent, double (&values)[5]);

private:
    void OnEdited();

    ChamferChoice choice_;
    std::array<QLineEdit*, ChamferChoice::kFieldCount> edits_{};
    QPushButton* ok_;
};

} // namespace dlg
