#pragma once
// The bridge rule table dialog ("Bridge Settings"): the automatic bridge
// rules in a list, a new rule from the fields (Add), the selected one
// removed (Delete), and the two bridge defaults. Its decisions are
// BridgeRuleEditor's; OK hands the rules and defaults back.
#include "dlg/BridgeRuleEditor.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace dlg {

class CBridgeSettingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBridgeSettingDlg(QWidget* parent = nullptr);

    void SetRuleTable(BridgeRuleSet* rules);
    void SetDefaultValues(double* perLength, double* length);

    QTreeWidget* List() const { return list_; }
    QLineEdit* MinimumField() const { return min_; }
    QLineEdit* MaximumField() const { return max_; }
    QLineEdit* CountField() const { return count_; }
    QLineEdit* LengthField() const { return length_; }
    QComboBox* KindBox() const { return kind_; }
    QLineEdit* PerLengthDefault() const { return perLength_; }
    QLineEdit* LengthDefault() const { return defaultLength_; }
    const BridgeRuleEditor& Editor() const { return editor_; }

    void OnAdd();
    void OnDelete();
    void accept() override;

private:
    void FillList();
    void OnRowSelected();
    void OnDefaultChanged(QLineEdit* field, double& value);
    // The rule fields; false, after the standard message, when one is not a number.
    bool ReadFields(BridgeRuleEditor::Fields& fields);

    BridgeRuleEditor editor_;
    bool filling_ = false;
    QTreeWidget* list_;
    QLineEdit* min_;
    QLineEdit* max_;
    QLineEdit* count_;
    QLineEdit* length_;
    QComboBox* kind_;
    QLineEdit* perLength_;
    QLineEdit* defaultLength_;
};

} // namespace dlg
