#pragma once
// The catalogue entry dialog of the standards browser: an entry's name,
// kind (Simple or Folder, chosen only for a new entry), file and preview
// picture; its file buttons store the picked paths relative to the
// catalogue. Its rules are RefuseEntry and NewEntryType.
#include "dlg/StandardBrowser.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dlg {

class CStdPropDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextTitle = 648;
    static constexpr int kTextName = 561;
    static constexpr int kTextFile = 562;
    static constexpr int kTextBitmap = 569;
    static constexpr int kTextSimple = 570;
    static constexpr int kTextFolder = 571;
    static constexpr int kTextBitmapFilter = 419;
    static constexpr int kTextExtendedFilter = 420;
    static constexpr int kTextDrawingFilter = 421;

    // isNew: both kinds can be chosen; otherwise the kind stays.
    // browser: the catalogue the paths are relative to.
    CStdPropDlg(const StandardBrowser& browser, const EntryFields& fields, bool isNew, QWidget* parent = nullptr);

    // What the controls hold (the picked extension included).
    EntryFields Fields() const;
    // A file picked with the file button (absolute), as that button would
    // store it.
    void TakePickedFile(const QString& path);
    void TakePickedBitmap(const QString& path);

    void accept() override;

private:
    void FollowType();
    void BrowseFile();
    void BrowseBitmap();

    const StandardBrowser& browser_;
    int type_;
    QString pickedExtension_;
    QRadioButton* simple_;
    QRadioButton* folder_;
    QLineEdit* name_;
    QLineEdit* file_;
    QLineEdit* bitmap_;
    QPushButton* fileButton_;
    QPushButton* bitmapButton_;
};

} // namespace dlg
