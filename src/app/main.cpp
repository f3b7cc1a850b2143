#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
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

    morvek.InitInstance();
    window.show();
    const int result = QApplication::exec();
    morvek.ExitInstance();
    return result;
}
