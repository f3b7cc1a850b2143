#pragma once
// The modify sheet: the Move, Rotate and Scale/Mirror pages over a
// ModifyPages, which they edit as the user types (numbers as the C run-time
// reads them: text that is no number is 0). The elements check boxes of
// the pages show and toggle the document's move-elements flag. A pick
// button ends the sheet with its code (ModifySheet::kEnd...), the
// interactive rotation with kEndRotateInteractive after putting the
// document into that modify state; OK ends it with Accepted.
#include "dlg/ModifyPages.h"

#include <QDialog>

#include <vector>

class CMorvekDoc;
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace dlg {

class ModifySheet : public QDialog {
    Q_OBJECT
public:
    // The pick buttons' end codes and the interactive rotation's.
    static constexpr int kEndMoveStart = 207;
    static constexpr int kEndMoveEnd = 208;
    static constexpr int kEndRotateCentre = 215;
    static constexpr int kEndFlipAxis = 221;
    static constexpr int kEndFlipAxisEnd = 222;
    static constexpr int kEndScaleCentre = 224;
    static constexpr int kEndRotateInteractive = 211;
    // Page indexes.
    enum Page : int { kMovePage = 0, kRotatePage = 1, kScalePage = 2 };

    // Shows each page's values as it stands after its Show (picked points
    // taken); page is the one made active.
    ModifySheet(ModifyPages& pages, CMorvekDoc& doc, int page, const QString& caption, QWidget* parent = nullptr);

    QTabWidget* Tabs() const { return tabs_; }
    // The edits by page, in the order of the page's fields (Move: start x,
    // start y, end x, end y, dx, dy; Rotate: centre x, y, angle; Scale:
    // static x, y, fx, fy, axis x1, y1, x2, y2).
    QLineEdit* MoveEdit(int i) const { return moveEdits_[static_cast<size_t>(i)]; }
    QLineEdit* RotateEdit(int i) const { return rotateEdits_[static_cast<size_t>(i)]; }
    QLineEdit* ScaleEdit(int i) const { return scaleEdits_[static_cast<size_t>(i)]; }
    QButtonGroup* RotateGrid() const { return rotateGrid_; }
    QButtonGroup* ScaleGrid() const { return scaleGrid_; }
    QButtonGroup* AxisChoice() const { return axisGroup_; }
    QCheckBox* KeepRatio() const { return keepRatio_; }
    const std::vector<QCheckBox*>& ElementChecks() const { return elementChecks_; }
    QPushButton* AxisEndButton() const { return axisEndButton_; }

private:
    QWidget* BuildMovePage();
    QWidget* BuildRotatePage();
    QWidget* BuildScalePage();
    QCheckBox* ElementsCheck(int text, QWidget* parent);
    QPushButton* EndButton(int code, QWidget* parent);
    QButtonGroup* StaticGrid(QWidget* parent, QGridLayout* grid, int row);
    void ShowMove();
    void ShowRotate();
    void ShowScale();
    void ApplyAxisRules();

    ModifyPages& pages_;
    CMorvekDoc& doc_;
    QTabWidget* tabs_ = nullptr;
    std::vector<QLineEdit*> moveEdits_;
    std::vector<QLineEdit*> rotateEdits_;
    std::vector<QLineEdit*> scaleEdits_;
    QButtonGroup* rotateGrid_ = nullptr;
    QButtonGroup* scaleGrid_ = nullptr;
    QButtonGroup* axisGroup_ = nullptr;
    QCheckBox* keepRatio_ = nullptr;
    QCheckBox* scaleGroup_ = nullptr;
    QCheckBox* flipGroup_ = nullptr;
    QPushButton* axisEndButton_ = nullptr;
    std::vector<QCheckBox*> elementChecks_;
};

} // namespace dlg
