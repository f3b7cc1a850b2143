#pragma once
// The selection wizard (Modify > Special Selection, Manipulation > Delete >
// All Specified): page one builds the criteria (SelectionCriteria) and
// selects the current layer's elements that meet them on Next; page two
// chooses what happens to them. The caller carries out the action the
// wizard ends with (SelectionWizard::Action).
#include "dlg/SelectionCriteria.h"
#include "options/LanguageTable.h"

#include <QWizard>
#include <QWizardPage>

class LinetypeTable;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace dlg {

// Page one ("Select Specified Elements").
class CSelectElementDlg : public QWizardPage {
    Q_OBJECT
public:
    static constexpr int kTextCaption = 642;
    static constexpr int kTextMethodLabel = 615;
    static constexpr int kTextTypeLabel = 616;
    static constexpr int kTextSelectedLabel = 617;
    static constexpr int kTextLineTypeLabel = 618;
    static constexpr int kTextBridgeCountLabel = 619;
    static constexpr int kTextBridgeModeLabel = 620;
    static constexpr int kTextPtgLabel = 621;
    static constexpr int kTextCriteriaLabel = 622;
    static constexpr int kTextIntroduction = 623;
    static constexpr int kTextAdd = 624;
    static constexpr int kTextDelete = 625;
    // The properties, in the order of their Add buttons.
    enum Property { Type, Selected, LineType, BridgeCount, BridgeMode, Ptg, kPropertyCount };

    // The line types of the table (display types left out) are offered;
    // none when it is null.
    CSelectElementDlg(CMorvekDoc& doc, const LinetypeTable* linetypes, QWidget* parent = nullptr);

    const SelectionCriteria& Criteria() const { return criteria_; }
    QComboBox* Method() const { return method_; }
    QComboBox* Relation(Property p) const { return relations_[p]; }
    QComboBox* ValueBox(Property p) const { return values_[p]; }
    QLineEdit* BridgeCountEdit() const { return bridgeCount_; }
    QLineEdit* PtgEdit() const { return ptg_; }
    QPushButton* AddButton(Property p) const { return add_[p]; }
    QListWidget* List() const { return list_; }
    QPushButton* DeleteButton() const { return delete_; }

    // Adds the criterion of the property from the controls; false at the
    // limit.
    bool AddCriterion(Property p);
    // Next: selects by the criteria; with none it stays. When nothing was
    // selected it asks text 449 whether to go on. The selection made stays
    // in either case.
    bool validatePage() override;

signals:
    void selectionChanged();

private:
    // The Add buttons are enabled while there is room for a criterion.
    void EnableAdd();

    CMorvekDoc& doc_;
    SelectionCriteria criteria_;
    QComboBox* method_;
    QComboBox* relations_[kPropertyCount] = {};
    QComboBox* values_[kPropertyCount] = {};
    QLineEdit* bridgeCount_;
    QLineEdit* ptg_;
    QPushButton* add_[kPropertyCount] = {};
    QListWidget* list_;
    QPushButton* delete_;
};

// Page two ("Choosing Action").
class CActionDlg : public QWizardPage {
    Q_OBJECT
public:
    static constexpr int kTextCaption = 2201;
    static constexpr int kTextIntroduction = 529;
    static constexpr TextIdRange kTextNotes{530, 6};
    static constexpr TextIdRange kTextActions{536, 5};

    CActionDlg(int presetAction, QWidget* parent = nullptr);
    // The checked action (SelectionCriteria::Action).
    int Action() const;
    QRadioButton* Radio(int action) const;

private:
    QButtonGroup* group_;
};

class SelectionWizard : public QWizard {
    Q_OBJECT
public:
    static constexpr int kTextCaption = 397;

    // presetAction: SelectionCriteria::SelectOnly for Special Selection,
    // Delete for All Specified.
    SelectionWizard(QWidget* parent, CMorvekDoc& doc, const LinetypeTable* linetypes, int presetAction);

    CSelectElementDlg* CriteriaPage() const { return criteria_; }
    CActionDlg* ActionPage() const { return action_; }

private:
    CSelectElementDlg* criteria_;
    CActionDlg* action_;
};

} // namespace dlg
