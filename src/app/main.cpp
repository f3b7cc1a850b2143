#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowSteps.h"
#include "dlg/DXFImportDlg.h"
#include "dlg/ExporterSetup.h"
#include "gui/FolderChooser.h"
#include "gui/MessageBoxPrompt.h"
#include "platform/Prompt.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pelkam"));
    QApplication::setApplicationName(QStringLiteral("MorvekXP"));
    QApplication::setApplicationVersion(QStringLiteral(MORVEK_VERSION));

    CMorvekXPApp morvek;
    app::MainWindow window;
    gui::MessageBoxPrompt prompt(&window);
    auto usePrompt = platform::installPrompt(prompt);
    dlg::DxfImportDialogChooser dxfChooser(&window);
    auto useDxfChooser = installDxfImportChooser(dxfChooser);
    gui::QtPathChooser pathChooser(&window);
    auto usePathChooser = installPathChooser(pathChooser);
    dlg::QtExporterConfigurator exporterConfigurator(&window);
    auto useExporterConfigurator = Export::installExporterConfigurator(exporterConfigurator);

    app::WindowSteps windowSteps(window, morvek);
    if (morvek.InitInstance(&windowSteps))
        return 1;
    const int result = QApplication::exec();
    // What could not be saved has been reported; the exit code stays the
    // event loop's.
    (void)morvek.ExitInstance(); // reported above
    return result;
}
