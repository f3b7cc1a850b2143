#pragma once
// The line types dialog: every line type of the table, added, modified
// (CLineTypePropDlg) and deleted as edits of this run only; OK writes them
// into the table, saves the user's line-type file and rebuilds the pens.
// Its decisions are LineTypeChanges'.
#include "dlg/LineTypeChanges.h"

#include <QDialog>

#include <functional>

class QTreeWidget;
class QPushButton;

namespace dlg {

class CLineTypePropDlg;

class CLineTypesDlg : public QDialog {
    Q_OBJECT
public:
    // usedIds: the line types of every element of every open drawing;
    // background: the drawing's background colour.
    CLineTypesDlg(QWidget* parent, LinetypeTable& table, std::set<int> usedIds, platform::ColorRef background);

    QTreeWidget* List() const { return list_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* ModifyButton() const { return modify_; }
    QPushButton* DeleteButton() const { return delete_; }
    const LineTypeChanges& Changes() const { return changes_; }

    // How the properties dialog runs; tests put in one that edits the
    // dialog's fields and answers. The default runs it modally.
    using PropertiesRunner = std::function<int(CLineTypePropDlg&)>;
    void SetPropertiesRunner(PropertiesRunner runner) { runProperties_ = std::move(runner); }

    void OnAdd();
    void OnModify();
    void OnDelete();
    void accept() override;

private:
    void FillList();
    int SelectedId() const; // -1 without a selection
    bool EditRecord(Linetype& record, std::optional<std::set<int>> takenIds, int& id);

    LinetypeTable& table_;
    LineTypeChanges changes_;
    platform::ColorRef background_;
    PropertiesRunner runProperties_;
    QTreeWidget* list_;
    QPushButton* add_;
    QPushButton* modify_;
    QPushButton* delete_;
};

} // namespace dlg
