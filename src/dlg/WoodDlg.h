#pragma once
// The die-board dialog (Die > Wood, and the properties of a die board): the
// four distances between the layout and the board edge or the board's size,
// the corner radius, the centre-line edge and its notch, the lock, and on
// three tabs the knife lines, the side rules and the board text, beside a
// live preview of the board. OK applies the board in one undo step, Split
// applies it and breaks its outline into simple elements in a second step,
// Delete board removes the layer's board. Its rules are DieBoardForm; the
// view keeps a DieBoardMemory so that a layer without a board opens with
// what the dialog held last.
#include "dlg/DieBoardForm.h"

#include <QDialog>

#include <array>
#include <memory>

class CMorvekDoc;
class CWood;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class Section;

namespace dlg {

class BoardPreview;

class CWoodDlg : public QDialog {
    Q_OBJECT
public:
    // The dialog's result when the board was deleted.
    static constexpr int kDeleted = 5;

    static constexpr int kTextCaption = 652;
    static constexpr int kTextClientWidth = 267;
    static constexpr int kTextClientHeight = 268;
    static constexpr int kTextLeft = 269;
    static constexpr int kTextBottom = 270;
    static constexpr int kTextSizeGroup = 271;
    static constexpr int kTextWidth = 272;
    static constexpr int kTextHeight = 273;
    static constexpr int kTextDistanceGroup = 274;
    static constexpr int kTextRight = 275;
    static constexpr int kTextTop = 276;
    static constexpr int kTextFillet = 277;
    static constexpr int kTextRadius = 278;
    static constexpr int kTextCentreLine = 512;
    static constexpr int kTextKnivesOn = 513;
    static constexpr int kTextLock = 582;
    static constexpr int kTextOk = 132;
    static constexpr int kTextCancel = 133;
    static constexpr int kTextSplit = 383;
    static constexpr int kTextDeleteBoard = 768;
    static constexpr int kTextUndoBoard = 176;
    static constexpr int kTextSideOption = 868;
    static constexpr int kTextKnivesTab = 874;
    static constexpr int kTextSidesTab = 875;
    static constexpr int kTextTextTab = 46;
    static constexpr int kTextBoardText = 234;
    static constexpr int kTextTextSize = 866;
    static constexpr int kTextTextHeight = 236;
    static constexpr int kTextTextDistance = 302;
    static constexpr int kTextNotchWidth = 2250;
    static constexpr int kTextNotchDepth = 2251;
    static constexpr int kTextCentreHorizontally = 2252;
    static constexpr int kTextCentreVertically = 2253;
    static constexpr int kTextSideColumn = 2254;
    static constexpr int kTextNotANumber = 2255;

    // board: the layer's board, or null (a new one is made on OK). The
    // memory is read at opening and written when the dialog ends.
    CWoodDlg(CMorvekDoc& doc, Section& layer, CWood* board, DieBoardMemory& memory, QWidget* parent = nullptr);
    ~CWoodDlg() override;

    const DieBoardForm& Form() const { return form_; }
    // The working copy the preview draws.
    const CWood& Preview() const { return *copy_; }

    void accept() override;
    void done(int result) override;
    // OK, then the board's outline as simple elements in a step of its own.
    void Split();
    // Removes the layer's board and ends with kDeleted; without a board the
    // dialog stays open and no step is left.
    void DeleteBoard();

private:
    QLineEdit* NumberEdit(const QString& name);
    // Reads every number field into the form; false (and the message) when
    // a number field holds no number.
    bool ReadFields(bool complain);
    void ShowDistances();
    void ShowSize();
    void ShowRadius();
    void ShowRow(int row);
    void StoreRow();
    void FollowLock();
    void RefreshPreview();
    // The board applied to the layer in one undo step; false when nothing
    // could be applied.
    bool Apply();

    CMorvekDoc& doc_;
    Section& layer_;
    CWood* board_;
    DieBoardMemory& memory_;
    DieBoardForm form_;
    std::unique_ptr<CWood> copy_;
    int appliedSlot_ = -1;
    int row_ = 0;

    std::array<QLineEdit*, 4> distances_{};
    QLineEdit* clientWidth_;
    QLineEdit* clientHeight_;
    QLineEdit* width_;
    QLineEdit* height_;
    QCheckBox* centreH_;
    QCheckBox* centreV_;
    QCheckBox* fillet_;
    QLineEdit* radius_;
    std::array<QRadioButton*, 4> centreLine_{};
    QLineEdit* notchWidth_;
    QLineEdit* notchDepth_;
    QCheckBox* lock_;
    QTabWidget* tabs_;
    QCheckBox* knivesOn_;
    std::array<QLineEdit*, 5> knives_{};
    QTreeWidget* sideList_;
    QLineEdit* d0_;
    QLineEdit* deltaD_;
    QLineEdit* l_;
    QComboBox* kind_;
    QCheckBox* option_;
    QCheckBox* symmetric_;
    QLineEdit* text_;
    std::array<QCheckBox*, 8> positions_{};
    QLineEdit* textSize_;
    QLineEdit* textHeight_;
    QLineEdit* textDistance_;
    BoardPreview* preview_;
};

// Die > Wood on the document's current layer: the dialog on the layer's
// first die board, or none; the element properties of a die board run it
// too. Returns the dialog's result (Accepted, Rejected or kDeleted).
int EditDieBoard(QWidget* parent, CMorvekDoc& doc, DieBoardMemory& memory);

} // namespace dlg
