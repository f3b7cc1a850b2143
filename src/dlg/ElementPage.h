#pragma once
// The Element page of the properties sheet: line type, pointage, selected,
// avoid instances and the bridges of one element, or of several at once
// (three-state boxes for what differs). It edits ElementValues; the driver
// applies them.
#include "dlg/PropertyPage.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace dlg {

struct ElementValues;

class ElementPage : public PropertyPage {
    Q_OBJECT
public:
    // The Add button's text, shared with other dialogs' Add buttons.
    static constexpr int kTextAdd = 601;

    ElementPage(ElementValues& values, QWidget* parent);

    int CaptionTextId() const override;
    void Begin(const PropertyContext& context) override;
    void ReadFields() override;

    QComboBox* LineType() const { return lineType_; }
    QLineEdit* Ptg() const { return ptg_; }
    QCheckBox* PtgBox() const { return ptgBox_; }
    QCheckBox* Selected() const { return selected_; }
    QCheckBox* AvoidInstances() const { return avoid_; }
    QRadioButton* Automatic() const { return automatic_; }
    QRadioButton* Custom() const { return custom_; }
    QCheckBox* AutomaticBox() const { return automaticBox_; }
    QCheckBox* RuleTable() const { return ruleTable_; }
    QLineEdit* Count() const { return count_; }
    QLineEdit* Length() const { return length_; }
    QListWidget* Bridges() const { return list_; }
    QLineEdit* Distance() const { return distance_; }
    QLineEdit* Width() const { return width_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* DeleteButton() const { return delete_; }

private:
    void FillList();
    void Enable();
    void StoreCurrent();

    ElementValues& values_;
    QComboBox* lineType_ = nullptr;
    QLineEdit* ptg_ = nullptr;
    QCheckBox* ptgBox_ = nullptr;
    QCheckBox* selected_ = nullptr;
    QCheckBox* avoid_ = nullptr;
    QRadioButton* automatic_ = nullptr;
    QRadioButton* custom_ = nullptr;
    QCheckBox* automaticBox_ = nullptr;
    QCheckBox* ruleTable_ = nullptr;
    QLineEdit* count_ = nullptr;
    QLineEdit* length_ = nullptr;
    QListWidget* list_ = nullptr;
    QLineEdit* distance_ = nullptr;
    QLineEdit* width_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* split_ = nullptr;
};

} // namespace dlg
