#pragma once
// View > Standard Collections: the list of the user's named catalogues with
// Add new..., Modify... and Delete, and the two-value dialog that edits one
// collection's name and file. Its rules are StandardCollections; every
// change is saved at once.
#include "dlg/StandardCollections.h"

#include <QDialog>

class QLineEdit;
class QTreeWidget;

namespace dlg {

class CTwoValueDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextCatalogueFilter = 481;

    CTwoValueDlg(const QString& caption, const QString& label1, const QString& label2, const CollectionValues& values,
                 QWidget* parent = nullptr);
    CollectionValues Values() const;

private:
    QLineEdit* name_;
    QLineEdit* file_;
};

class CStdCollectionDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextTitle = 647;
    static constexpr int kTextOk = 132;
    static constexpr int kTextAdd = 601;
    static constexpr int kTextModify = 603;
    static constexpr int kTextDelete = 604;
    static constexpr int kTextFile = 425;
    static constexpr int kTextName = 426;
    static constexpr int kTextModifyCaption = 427;
    static constexpr int kTextAddCaption = 428;

    explicit CStdCollectionDlg(COptions& options, QWidget* parent = nullptr);

    QTreeWidget* List() const { return list_; }
    // The selected row; -1 for none.
    int Selected() const;
    void OnAdd();
    void OnModify();
    void OnDelete();

private:
    void Fill();

    StandardCollections collections_;
    QTreeWidget* list_;
};

} // namespace dlg
