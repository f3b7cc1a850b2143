#pragma once
// The automatic layout dialog: the X and Y step-and-repeat records of a
// layer in two groups (the cross-mapped shifts as AutoLayoutFields lays
// them out), Save (a named layout in the document's store, announced),
// Optimize (the layout optimisation dialog; a chosen result comes back
// into the fields) and four pick buttons that end the dialog with their
// code (AutoLayoutFields' kPick...) so that the view can pick the distance
// in the drawing. It ends with QDialog::Accepted, Rejected or a pick code;
// the records it holds come out through GetParams.
#include "dlg/AutoLayoutFields.h"
#include "dlg/LayoutOptimisation.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dlg {

class CAutoInstanceDlg : public QDialog {
    Q_OBJECT
public:
    // Language texts: caption, the groups, the radios, the labels, the
    // buttons.
    static constexpr int kTextCaption = 815;
    static constexpr int kTextGroupX = 816;
    static constexpr int kTextGroupY = 817;
    static constexpr int kTextSameTurn = 818;
    static constexpr int kTextAlternateTurn = 819;
    static constexpr int kTextRotation = 820;
    static constexpr int kTextShiftRow1 = 821;
    static constexpr int kTextShiftRow2 = 822;
    static constexpr int kTextRepeat = 823;
    static constexpr int kTextDistance = 858;
    static constexpr int kTextVerticalShift = 859;
    static constexpr int kTextHorizontalShift = 860;
    static constexpr int kTextFirstSecond = 861;
    static constexpr int kTextSecondThird = 862;
    static constexpr int kTextOk = 132;
    static constexpr int kTextCancel = 133;
    static constexpr int kTextSave = 4;
    static constexpr int kTextOptimize = 590;

    // store and counter: the document's saved layouts and the number of
    // its next one; section: the layer the optimisation fits.
    CAutoInstanceDlg(QWidget* parent, LayoutStore& store, int& layoutCounter, const Section& section,
                     PaperSizes papers);

    void SetParams(const AutoLayoutParams& params);
    // The records as the fields hold them.
    AutoLayoutParams GetParams() const;

    // The controls and buttons, for the window tests.
    QLineEdit* Field(AutoField field) const { return fields_[static_cast<std::size_t>(field)]; }
    QLineEdit* Repeat(bool x) const { return x ? repeatX_ : repeatY_; }
    QRadioButton* Radio(bool x, bool alternate) const { return radios_[(x ? 0 : 2) + (alternate ? 1 : 0)]; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* OptimizeButton() const { return optimize_; }
    QPushButton* PickButton(int pickCode) const { return picks_[static_cast<std::size_t>(pickCode - kPickXFirst)]; }

    void OnSave();
    void OnOptimize();
    void OnPick(int pickCode);

private:
    void ShowParams(const AutoLayoutParams& params);
    void UpdateEnabling();
    void OnRepeatEdited(QLineEdit* edit);

    LayoutStore& store_;
    int& layoutCounter_;
    const Section& section_;
    PaperSizes papers_;
    std::array<QLineEdit*, kAutoFieldCount> fields_{};
    std::array<QRadioButton*, 4> radios_{};
    std::array<QPushButton*, 4> picks_{};
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* optimize_;
    QLineEdit* repeatX_;
    QLineEdit* repeatY_;
    AutoLayoutParams params_;
};

} // namespace dlg
