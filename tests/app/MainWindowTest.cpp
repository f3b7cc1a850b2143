// Proves that widget tests run headless: the main window opens on the
// offscreen platform and closes cleanly; it shows its menus and tells when
// its toolbar layout cannot be saved.
#include "app/MainWindow.h"

#include "app/DefaultMenu.h"
#include "platform/Prompt.h"
#include "shell/CommandCatalogue.h"
#include "shell/ToolbarButtons.h"

#include "common/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

TEST(MainWindow, OpensAndClosesWithoutADisplay)
{
    app::MainWindow window;
    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("MorvekXP")));
    window.close();
    QApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}

namespace {

QStringList Titles(const QList<QAction*>& actions)
{
    QStringList titles;
    for (QAction* action : actions)
        titles.append(action->isSeparator() ? QStringLiteral("|") : action->text());
    return titles;
}

} // namespace

TEST(MainWindow, ShowsTheBuiltMenusAndReportsTheChosenCommand)
{
    shell::CommandCatalogue catalogue;
    catalogue.Build();
    const shell::MenuTree tree(DefaultMenu());
    app::MainWindow window;
    window.SetMenus(tree.Build(catalogue, [](int id) { return QStringLiteral("T%1").arg(id); }));
    window.SetMenus(tree.Build(catalogue, [](int id) { return QStringLiteral("T%1").arg(id); })); // replaces

    const auto bar = window.menuBar()->actions();
    ASSERT_EQ(Titles(bar), (QStringList{QStringLiteral("T877"), QStringLiteral("T11"), QStringLiteral("T2800"),
                                        QStringLiteral("T97"),
                                        QStringLiteral("T28")}));
    ASSERT_NE(bar[0]->menu(), nullptr);
    const auto file = bar[0]->menu()->actions();
    EXPECT_EQ(Titles(file), (QStringList{QStringLiteral("T1"), QStringLiteral("T2"), QStringLiteral("|"),
                                         QStringLiteral("T8"), QStringLiteral("|"), QStringLiteral("T10")}));
    // Not catalogued: the menu's own text.
    EXPECT_EQ(Titles(bar[4]->menu()->actions()), QStringList{QStringLiteral("&About MorvekXP...")});

    int chosen = 0;
    QObject::connect(&window, &app::MainWindow::commandChosen, [&chosen](int id) { chosen = id; });
    file.back()->trigger();
    EXPECT_EQ(chosen, kExitCommand);
}

// A toolbar layout that cannot be saved is not lost without a word.
TEST(MainWindow, TellsWhenTheToolbarLayoutCannotBeSaved)
{
    test::ScopedTestEnvironment env;
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    const auto usePrompt = platform::installPrompt(prompt);
    shell::CommandCatalogue catalogue;
    catalogue.Build();
    app::MainWindow window;
    window.CreateBars(catalogue, shell::ToolbarButtons{});
    // The configuration folder becomes a file: nothing can be written below it.
    ASSERT_TRUE(QDir(env.appFolder() + QStringLiteral("/Config")).removeRecursively());
    env.dir().write(QStringLiteral("app/Config"), "not a folder");

    EXPECT_FALSE(window.SaveToolbarLayouts());
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.texts().front().contains(QStringLiteral("toolbar.cfg")));
}
