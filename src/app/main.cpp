#include "app/DefaultMenu.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "gui/MessageBoxPrompt.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include <QApplication>


namespace {

// The main window's part of start-up. The prompt needs a parent window
// before the options load, so the window exists from the start and is only
// shown in its step.
class WindowSteps : public StartupServices {
public:
    WindowSteps(app::MainWindow& window, const CMorvekXPApp& morvek) : window_(window), morvek_(morvek) {}
    bool Perform(StartupStep step) override
    {
        if (step == StartupStep::CreateMainWindow) {
            const shell::MenuTree menus(DefaultMenu());
            window_.SetMenus(menus.Build(morvek_.GetCommandCatalogue(), [](int id) { return Translate(id); }));
            QObject::connect(&window_, &app::MainWindow::commandChosen, &window_, [this](int id) {
                if (id == kExitCommand)
                    window_.close();
            });
        }
        if (step == StartupStep::ShowMainWindow)
            window_.show();
        return true;
    }

private:
    app::MainWindow& window_;
    const CMorvekXPApp& morvek_;
};

} // namespace

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

    WindowSteps windowSteps(window, morvek);
    if (morvek.InitInstance(&windowSteps))
        return 1;
    const int result = QApplication::exec();
    // What could not be saved has been reported; the exit code stays the
    // event loop's.
    (void)morvek.ExitInstance();
    return result;
}
