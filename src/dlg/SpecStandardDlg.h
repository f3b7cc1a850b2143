#pragma once
// The extended standard editor: one ".nst" file (its dimensions and its
// components) together with the catalogue entry that names it. The standards
// browser opens it for its Special button (a new extended standard) and for
// Modify on an extended standard entry.
#include <QString>

class QWidget;

namespace dlg {

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

} // namespace dlg
