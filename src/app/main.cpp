#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "gui/MessageBoxPrompt.h"
#include "platform/Prompt.h"

#include <QApplication>


namespace {

// The main window's part of start-up. The prompt needs a parent window
// before the options load, so the window exists from the start and is only
// shown in its step.
class WindowSteps : public StartupServices {
public:
    explicit WindowSteps(app::MainWindow& window) : window_(window) {}
    bool Perform(StartupStep step) override
    {
        if (step == StartupStep::ShowMainWindow)
            window_.show();
        return true;
    }

private:
    app::MainWindow& window_;
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

    WindowSteps windowSteps(window);
    if (morvek.InitInstance(&windowSteps))
        return 1;
    const int result = QApplication::exec();
    // A configuration that cannot be saved keeps the user's older file;
    // there is nobody left to tell.
    (void)morvek.ExitInstance();
    return result;
}
