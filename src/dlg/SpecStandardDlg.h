#pragma once
// The extended standard editor: one ".nst" file (its dimensions and its
// components) together with the catalogue entry that names it. The standards
// browser opens it for its Special button (a new extended standard) and for
// Modify on an extended standard entry.
#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace dlg {

class SpecStandardEditor;

// The catalogue entry the editor works on. The file and bitmap texts are
// relative to the catalogue file, as the catalogue stores them.
struct ExtendedEntryEdit {
    QString catalogueFile; // absolute path of the catalogue (the base of the relative texts)
    QString name;
    QString file;
    QString bitmap;
};

// Shows the editor modally. `startFolder` is where its file dialogs start
// (the process's current folder is never changed). `isNew` opens a new
// extended standard, which asks at once where to save it. Returns true when
// the user saved: `entry` then holds the new name, file and bitmap texts;
// false leaves it unchanged.
bool EditExtendedStandard(QWidget* parent, const QString& startFolder, ExtendedEntryEdit& entry, bool isNew);

// The editor's window over a SpecStandardEditor that has been opened. It
// closes with OK once Save has written the file.
class CSpecStandardDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextCaption = 644;
    static constexpr int kTextSave = 4;
    static constexpr int kTextSaveAs = 5;
    static constexpr int kTextCancel = 133;
    static constexpr int kTextAdd = 432;
    static constexpr int kTextModify = 431;
    static constexpr int kTextDelete = 82;
    static constexpr int kTextLoad = 605;
    // The entry's name label; text 243 reads "Layer" elsewhere.
    static constexpr int kTextName = 448;
    static constexpr int kTextFile = 425;
    static constexpr int kTextBitmap = 569;
    static constexpr int kTextA = 607;
    static constexpr int kTextB = 608;
    static constexpr int kTextH = 609;
    static constexpr int kTextMatThick = 610;
    static constexpr int kTextColumnRotation = 444;
    static constexpr int kTextColumnFile = 445;
    static constexpr int kTextColumnName = 446;

    CSpecStandardDlg(QWidget* parent, SpecStandardEditor& editor);

    void OnSave();
    void OnSaveAs();
    void OnLoad();
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnMoveUp();
    void OnMoveDown();
    void OnBrowseBitmap();

private:
    // The edits into the editor, and back.
    void ReadControls();
    void FillControls();
    void FillList();
    void EnableButtons();

    SpecStandardEditor& editor_;
    QLineEdit* name_;
    QLineEdit* file_;
    QLineEdit* bitmap_;
    QLineEdit* a_;
    QLineEdit* b_;
    QLineEdit* h_;
    QLineEdit* matThick_;
    QTreeWidget* list_;
    QPushButton* add_;
    QPushButton* modify_;
    QPushButton* delete_;
    QPushButton* up_;
    QPushButton* down_;
};

} // namespace dlg
