#include "app/MainWindow.h"
#include "gui/MessageBoxPrompt.h"
#include "platform/Paths.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"
#include "support/Options.h"
#include "support/ProcessGlobals.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    // The process-wide tables come first, in their own fixed order.
    ProcessGlobals globals;

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pelkam"));
    QApplication::setApplicationName(QStringLiteral("MorvekXP"));
    QApplication::setApplicationVersion(QStringLiteral(MORVEK_VERSION));

    // The application folder (Defaults/ and Config/) is the program's own
    // unless the profile names another existing local folder (a Windows
    // drive path copied from another installation means nothing here).
    const QString appFolder = platform::Registry::getString(QStringLiteral("Paths"), QStringLiteral("Application"));
    if (!appFolder.isEmpty() && !platform::isDrivePath(appFolder) && QDir(appFolder).exists())
        platform::setAppFolder(appFolder);

    app::MainWindow window;
    gui::MessageBoxPrompt prompt(&window);
    platform::ScopedPrompt usePrompt(prompt);

    // Settings, language tables, bridge rules, shapes, registry values,
    // standards and key bindings; saved back when the options go.
    COptions options;
    COptions::SetCurrent(&options);
    options.Load();

    window.show();
    const int result = QApplication::exec();
    COptions::SetCurrent(nullptr);
    return result;
}
