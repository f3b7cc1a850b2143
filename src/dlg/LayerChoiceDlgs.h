#pragma once
// The two small dialogs of the Manipulation menu: Copy to Layer (the
// layers, one to choose, and whether the copies are selected) and Convert
// Nodes (the two conversion options). Their decisions are
// CopyToLayerChoice's and ConvertNodesChoice's; the dialogs map them onto
// the controls.
#include "dlg/LayerChoices.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTreeWidget;

namespace dlg {

class CCopyToLayerDlg : public QDialog {
    Q_OBJECT
public:
    CCopyToLayerDlg(QWidget* parent, CMorvekDoc& doc);

    CopyToLayerChoice& Choice() { return choice_; }
    QTreeWidget* List() const { return list_; }
    QCheckBox* SelectCopies() const { return selectCopies_; }
    QPushButton* OkButton() const { return ok_; }

    // OK: ends the dialog only for an acceptable choice.
    void accept() override;

private:
    CopyToLayerChoice choice_;
    QTreeWidget* list_;
    QCheckBox* selectCopies_;
    QPushButton* ok_;
};

class CConvertNodesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CConvertNodesDlg(QWidget* parent);

    const ConvertNodesChoice& Choice() const { return choice_; }
    QCheckBox* ToFixed() const { return toFixed_; }
    QCheckBox* Secondary() const { return secondary_; }

private:
    // Writes the choice back to the boxes after a click.
    void Show();

    ConvertNodesChoice choice_;
    QCheckBox* toFixed_;
    QCheckBox* secondary_;
};

} // namespace dlg
