#pragma once
// The file dialogs of the extended standard editor and its component dialog.
// The editors ask through this interface; the program shows Qt's file
// dialogs (QtStandardFileAsker), tests answer from a script. A dialog starts
// in the folder it is given and never changes the process's current folder.
#include <QString>

class QWidget;

namespace dlg {

class StandardFileAsker {
public:
    virtual ~StandardFileAsker() = default;
    // The chosen path; empty when the user cancelled. `filter` is a file
    // dialog filter ("Extended standards (*.nst)"), `suffix` the extension
    // added to a name typed without one.
    virtual QString Open(const QString& folder, const QString& filter, const QString& suffix) = 0;
    // `fileName` is proposed in `folder`; an existing file is confirmed.
    virtual QString Save(const QString& folder, const QString& fileName, const QString& filter,
                         const QString& suffix) = 0;
};

class QtStandardFileAsker : public StandardFileAsker {
public:
    explicit QtStandardFileAsker(QWidget* parent) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    QString Open(const QString& folder, const QString& filter, const QString& suffix) override;
    QString Save(const QString& folder, const QString& fileName, const QString& filter,
                 const QString& suffix) override;

private:
    QWidget* parent_;
};

// A language text used as a file filter: the text itself when it already
// names its patterns, else the text followed by " (pattern)".
QString FileFilter(int textId, const QString& pattern);

} // namespace dlg
