#pragma once
// The node dialog: one node's name and how its position is given (fixed,
// or relative to other nodes: cardinal offsets, radius and angle, or
// distances from two nodes), with the secondary relativity, over formula
// fields. The view keeps the form between showings: the pick buttons end
// the dialog with kEndPickReference or kEndPickEnd so that the user can
// click a node, and the dialog opens again with the typed texts kept.
#include "dlg/NodeProperties.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace dlg {

class CVariableEditCtrl;

class CPropPointDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kEndPickReference = 200;
    static constexpr int kEndPickEnd = 201;
    static constexpr int kTextCaption = 641;
    static constexpr int kTextAddVariableTitle = 183; // the undo step of Add Variable
    static constexpr int kTextNotANumber = 2163;

    CPropPointDlg(QWidget* parent, NodeProperties& properties, NodeForm& form);

    // Shows the mode's controls enabled, the others disabled.
    void SetPositionMode(NodeForm::Mode mode);
    // The controls read into the form; false when X or Y is no number.
    bool ReadForm();
    void OnOK();
    void OnAddVariable();

    CVariableEditCtrl* Field(const char* name) const;

private:
    void WriteForm();
    void SetCombo(QComboBox* combo, int slot);
    void EnableSecondary();
    NodeForm::Mode CheckedMode() const;

    NodeProperties& properties_;
    NodeForm& form_;
    QLineEdit* name_;
    QLabel* id_;
    QRadioButton* fix_;
    QRadioButton* relative_;
    QRadioButton* cardinal_;
    QRadioButton* radial_;
    QRadioButton* radius_;
    QLineEdit* x_;
    QLineEdit* y_;
    QComboBox* reference_;
    QPushButton* pickReference_;
    QComboBox* end_;
    QPushButton* pickEnd_;
    CVariableEditCtrl* dx_;
    CVariableEditCtrl* dy_;
    CVariableEditCtrl* radiusField_;
    CVariableEditCtrl* angle_;
    CVariableEditCtrl* radius1_;
    CVariableEditCtrl* radius2_;
    QCheckBox* separate_;
    QCheckBox* secondary_;
    QLineEdit* centreX_;
    QLineEdit* centreY_;
    QLineEdit* rotation_;
};

// The choice among nodes that lie on one spot: name and slot per row, in
// slot order. Result(): the chosen slot, -1 without a selection.
class CSelectPointDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextCaption = 643;
    static constexpr int kTextPrompt = 560;
    static constexpr int kTextColumnName = 448;
    static constexpr int kTextColumnIndex = 447;

    CSelectPointDlg(QWidget* parent, const NodeTable& nodes, const std::vector<int>& nodeSlots);
    int Result() const { return result_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Choose();

    QTreeWidget* list_;
    int result_ = -1;
};

} // namespace dlg
