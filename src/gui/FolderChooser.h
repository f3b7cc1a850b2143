#pragma once
// Picking a folder: CBrowseForFolder (a folder browser with an initial
// selection) and CSelectFolderDialog (a file dialog that lists folders only
// and accepts the typed or the current folder on "Select"). QtPathChooser
// puts both behind the program's PathChooser.
#include "options/PathChooser.h"

#include <QFileDialog>
#include <QString>

class QWidget;

namespace gui {

// The folder a typed text (or, when it is empty, the current folder) stands
// for: doubled separators folded (a leading "//" kept), one trailing "/".
// Empty when both are empty.
QString AcceptedFolder(const QString& typed, const QString& current);

// The file dialog's filter for a Windows filter "Name (*.x)|*.x|...||".
QString QtFilter(const QString& windowsFilter);

// The filter of a chooser for a program to run (any executable file).
inline const QString kExecutableFilter = QStringLiteral("Executable files|*|");

class CBrowseForFolder {
public:
    virtual ~CBrowseForFolder() = default;
    void SetOwner(QWidget* owner) { owner_ = owner; }
    void SetInitialFolder(const QString& folder) { initial_ = folder; }
    void SetTitle(const QString& title) { title_ = title; }
    void SetEditBox(bool on) { editBox_ = on; }
    // The chosen folder in path (empty on Cancel); true when one was chosen.
    bool SelectFolder(QString& path);

private:
    QWidget* owner_ = nullptr;
    QString initial_;
    QString title_;
    bool editBox_ = false;
};

class CSelectFolderDialog : public QFileDialog {
    Q_OBJECT
public:
    CSelectFolderDialog(bool showFileTypes, const QString& initialFolder, const QString& filter, QWidget* parent);
    QString GetFolderPath() const { return folder_; }

public slots:
    void accept() override;

private:
    QString folder_;
};

class QtPathChooser : public PathChooser {
public:
    explicit QtPathChooser(QWidget* parent) : parent_(parent) {}
    bool ChooseFolder(const QString& initialFolder, QString& folder) override;
    bool ChooseFile(const QString& initialPath, const QString& filter, QString& path) override;

private:
    QWidget* parent_;
};

} // namespace gui
