#pragma once
// Options > Hot Key: the tree of the view's display and point-definition
// keys, the key list with Ctrl, Alt and Shift, Set and Delete (each writes
// the selected command's record at once) and OK. Everything it decides is
// KeySettings'; the dialog maps it onto the controls.
#include "dlg/KeySettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace dlg {

inline constexpr int kCaptionKeySettings = 135;
inline constexpr int kTextKeyCtrl = 136;
inline constexpr int kTextKeyAlt = 137;
inline constexpr int kTextKeyShift = 138;
inline constexpr int kTextKeySet = 139;
inline constexpr int kTextKeyDelete = 140;
inline constexpr int kTextKeyDescription = 141;
inline constexpr int kTextShortcutKey = 2809;

class CKeySettingDlg : public QDialog {
    Q_OBJECT
public:
    CKeySettingDlg(QWidget* parent, const COptions& options);

    const KeySettings& Settings() const { return settings_; }
    QTreeWidget* Tree() const { return tree_; }
    QComboBox* Keys() const { return keys_; }
    QCheckBox* Ctrl() const { return ctrl_; }
    QCheckBox* Alt() const { return alt_; }
    QCheckBox* Shift() const { return shift_; }
    QPushButton* SetButton() const { return set_; }
    QPushButton* DeleteButton() const { return delete_; }
    QLabel* Description() const { return description_; }

    // Selects the tree's row (the table's index).
    void SelectRow(int row);

private:
    void OnSelChanged();
    void OnSet();
    void OnDelete();
    void TakeControls();
    void ShowSettings();

    KeySettings settings_;
    QTreeWidget* tree_;
    QComboBox* keys_;
    QCheckBox* ctrl_;
    QCheckBox* alt_;
    QCheckBox* shift_;
    QPushButton* set_;
    QPushButton* delete_;
    QLabel* description_;
};

// Shows the dialog modally; afterwards, when it was left with OK or a
// record was written, the options read every binding again, so the view
// uses what is stored however the dialog was closed.
void RunKeySettings(QWidget* parent, COptions& options);

} // namespace dlg
