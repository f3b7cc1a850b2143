#pragma once
// The file dialogs of the file commands. The program shows Qt's dialogs;
// tests install a chooser that answers without a window.
#include "platform/ScopedOverride.h"

#include <QString>

class QWidget;

namespace app {

// The file types File > Open and File > Merge offer, and File > Import's.
QString DrawingFilter();
QString ImportFilter();

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen path; empty when the user cancelled.
    virtual QString Open(QWidget* parent, const QString& folder, const QString& filter) = 0;
    virtual QString Save(QWidget* parent, const QString& folder, const QString& filter) = 0;
};

// Through the installed chooser, else through Qt's file dialogs.
QString ChooseFileToOpen(QWidget* parent, const QString& folder, const QString& filter);
QString ChooseFileToSave(QWidget* parent, const QString& folder, const QString& filter);
platform::ScopedOverride<FileChooser*> InstallFileChooser(FileChooser& chooser);

} // namespace app
