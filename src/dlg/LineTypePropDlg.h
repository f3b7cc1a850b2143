#pragma once
// The line type properties dialog: id, name, kind, subtypes, the three
// pattern values, colour, width and pen style of one line type, with a
// sample line in its pen. It edits the caller's record and id only; its
// decisions are LineTypeFields'.
#include "dlg/LineTypeFields.h"

#include <QDialog>

#include <map>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace dlg {

class CLineTypePropDlg : public QDialog {
    Q_OBJECT
public:
    // subtypeNames: the line types a pattern may be drawn with (id to name).
    CLineTypePropDlg(QWidget* parent, const std::map<int, QString>& subtypeNames, platform::ColorRef background);
    ~CLineTypePropDlg() override;

    // The record and id variable (-1 for a new line type) to edit; the taken
    // ids, or none when the id must stay.
    void SetLineType(Linetype* record, std::optional<std::set<int>> takenIds, int* id);

    QLineEdit* IdField() const { return id_; }
    QLineEdit* NameField() const { return name_; }
    QComboBox* KindBox() const { return kind_; }
    QLineEdit* DataField(int index) const { return data_[index]; } // 0 to 2
    QComboBox* SubtypeBox(int index) const { return subtypes_[index]; } // 0 or 1
    QSpinBox* WidthField() const { return width_; }
    QComboBox* StyleBox() const { return style_; }
    const LineTypeFields* Fields() const { return fields_.get(); }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowFields();
    void ApplyKindRule();
    void ChooseColour();
    bool ReadFields();

    std::map<int, QString> subtypeNames_;
    platform::ColorRef background_;
    Linetype* record_ = nullptr;
    int* idTarget_ = nullptr;
    std::unique_ptr<LineTypeFields> fields_;
    bool filling_ = false;
    QLineEdit* id_;
    QLineEdit* name_;
    QComboBox* kind_;
    QLineEdit* data_[3];
    QComboBox* subtypes_[2];
    QSpinBox* width_;
    QComboBox* style_;
    QPushButton* colourButton_;
    QWidget* sample_;
};

} // namespace dlg
