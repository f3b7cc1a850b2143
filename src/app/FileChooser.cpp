#include "app/FileChooser.h"

#include <QFileDialog>

namespace app {
namespace {

constinit platform::Current<FileChooser*> g_chooser{nullptr};

} // namespace

QString DrawingFilter()
{
    return QStringLiteral("Morvek document (*.n);;CF2 document (*.cf2);;Diecutting Data (*.dd3);;"
                          "AutoCAD document (*.dxf);;HP-GL document (*.plt *.hpgl)");
}

QString ImportFilter()
{
    return QStringLiteral("HPGL document (*.plt);;All files (*)");
}

QString ChooseFileToOpen(QWidget* parent, const QString& folder, const QString& filter)
{
    if (FileChooser* chooser = g_chooser.Get())
        return chooser->Open(parent, folder, filter);
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString ChooseFileToSave(QWidget* parent, const QString& folder, const QString& filter)
{
    if (FileChooser* chooser = g_chooser.Get())
        return chooser->Save(parent, folder, filter);
    return QFileDialog::getSaveFileName(parent, QString(), folder, filter);
}

platform::ScopedOverride<FileChooser*> InstallFileChooser(FileChooser& chooser)
{
    return g_chooser.Override(&chooser);
}

} // namespace app
