#pragma once
// The DXF import's options dialog: model space and the blocks with check
// boxes, "Mind" and "Semmi" (All, None) to tick or clear them all, the
// selected row's texts, the page size and "Feliratoz" (label the inserted
// blocks); the three captions are keys of the language table. Its decisions are
// DxfImportChoices'.
#include "dlg/DxfImportChoices.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;

namespace dlg {

class CDXFImportDlg : public QDialog {
    Q_OBJECT
public:
    CDXFImportDlg(QWidget* parent, const std::vector<DxfBlock>& blocks, const DxfBlock* modelSpace = nullptr);

    QTreeWidget* List() const { return list_; }
    QLineEdit* PageWidth() const { return width_; }
    QLineEdit* PageHeight() const { return height_; }
    QPlainTextEdit* Information() const { return information_; }
    QCheckBox* Label() const { return label_; }

    // After OK: the ticked blocks, the page size and the label flag; empty
    // before OK and after Cancel.
    const DxfImportChoice& Choice() const { return choice_; }

    void accept() override;

private:
    void SyncTicks();

    DxfImportChoices choices_;
    DxfImportChoice choice_;
    QTreeWidget* list_;
    QLineEdit* width_;
    QLineEdit* height_;
    QPlainTextEdit* information_;
    QCheckBox* label_;
};

// The import's chooser that asks with the dialog.
class DxfImportDialogChooser : public DxfImportChooser {
public:
    explicit DxfImportDialogChooser(QWidget* parent = nullptr) : parent_(parent) {}
    DxfImportChoice Choose(const DxfBlock* modelSpace, const std::vector<DxfBlock>& blocks) override;

private:
    QWidget* parent_;
};

} // namespace dlg
