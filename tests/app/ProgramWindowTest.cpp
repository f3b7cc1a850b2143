// The program as the user sees it: started with the factory files in a
// temporary folder, its window shows the title, menus, toolbars and bars;
// File > New opens a maximised document window, closing the window saves
// the toolbar layout, and nothing is written outside that folder.
#include "app/DefaultMenu.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowSteps.h"
#include "app/MenuBuildCounter.h"
#include "app/WindowFixture.h"
#include "gui/CommandToolbar.h"
#include "gui/LineTypeBox.h"
#include "gui/PropertyBar.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include "common/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

using apptest::MenuTitles;

QStringList FilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QAction* MenuCommand(QMenuBar& bar, int commandId)
{
    for (QAction* top : bar.actions()) {
        if (!top->menu())
            continue;
        for (QAction* action : top->menu()->actions()) {
            if (action->data().isValid() && action->data().toInt() == commandId)
                return action;
        }
    }
    return nullptr;
}

TEST(ProgramWindow, StartsShowsItsBarsOpensADocumentAndWritesOnlyItsOwnFiles)
{
    test::ScopedTestEnvironment env;
    const QString defaults = QStringLiteral(MORVEK_SOURCE_DIR "/Defaults");
    for (const QString& name : QDir(defaults).entryList(QDir::Files))
        QFile::copy(defaults + QLatin1Char('/') + name, env.appFolder() + QStringLiteral("/Defaults/") + name);
    const QStringList workingFolder = QDir::current().entryList(QDir::AllEntries | QDir::Hidden);
    platform::ScriptedPrompt prompt;
    const auto usePrompt = platform::installPrompt(prompt);

    {
        CMorvekXPApp morvek;
        app::MainWindow window;
        app::WindowSteps steps(window, morvek);
        apptest::MenuBuildCounter builds;
        window.menuBar()->installEventFilter(&builds);
        ASSERT_FALSE(morvek.InitInstance(&steps).has_value());
        QApplication::processEvents();
        EXPECT_EQ(builds.added, 5) << "start-up builds the menus once (File, View, Options, Output, Help)";

        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("MorvekXP - ")));
        EXPECT_EQ(MenuTitles(*window.menuBar()),
                  (QStringList{QStringLiteral("File"), QStringLiteral("View"), QStringLiteral("Options"),
                               QStringLiteral("Output"), QStringLiteral("Help")}));

        // The toolbars as the factory layout has them; empty user toolbars hidden.
        const gui::CommandToolbar* main = window.Toolbar(kMainToolbar);
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(main->isVisible());
        EXPECT_TRUE(main->GetButtonsText().startsWith(QStringLiteral("57600,57601,57603,-1")));
        EXPECT_TRUE(window.Toolbar(app::kConstructToolbar)->isVisible());
        EXPECT_FALSE(window.Toolbar(app::kConstructToolbar)->IsEmpty());
        EXPECT_FALSE(window.Toolbar(kFirstUserToolbar)->isVisible());
        EXPECT_FALSE(window.Toolbar(app::kAllCommandsToolbar)->isVisible());
        EXPECT_EQ(window.Toolbar(app::kAllCommandsToolbar)->Buttons().Count(),
                  static_cast<int>(morvek.GetCommandCatalogue().GetCommands().size()));

        // The bars: the line type the user works with, four status panes, a
        // hidden property bar.
        EXPECT_TRUE(window.BarForCommand(app::kLineTypeBar)->isVisible());
        EXPECT_EQ(window.LineTypes()->SelectedLineType(), morvek.GetOptions()->GetLineType());
        EXPECT_GT(window.LineTypes()->count(), 0);
        EXPECT_TRUE(window.StateText()->isVisible());
        EXPECT_TRUE(window.PositionText()->isVisible());
        EXPECT_EQ(window.statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly).size(), 4);
        EXPECT_EQ(window.MessageText()->text(), QStringLiteral("Ready"));
        EXPECT_FALSE(window.Properties()->isVisible());
        MenuCommand(*window.menuBar(), 59393)->trigger();
        EXPECT_FALSE(window.statusBar()->isVisible()) << "View > Status Bar hides it";
        MenuCommand(*window.menuBar(), 59393)->trigger();

        // File > New: a maximised child and the document menus.
        QAction* fileNew = MenuCommand(*window.menuBar(), kNewCommand);
        ASSERT_NE(fileNew, nullptr);
        fileNew->trigger();
        QApplication::processEvents();
        ASSERT_EQ(window.Documents()->subWindowList().size(), 1);
        QMdiSubWindow* child = window.Documents()->subWindowList().front();
        EXPECT_TRUE(child->isMaximized());
        EXPECT_TRUE(MenuTitles(*window.menuBar()).contains(QStringLiteral("Construct")));
        // Output lists the factory exporters, one of each type, by name.
        QStringList exporters;
        for (int id = 10301; QAction* exporter = MenuCommand(*window.menuBar(), id); ++id)
            exporters.append(exporter->text().remove(QLatin1Char('&')));
        EXPECT_EQ(exporters, (QStringList{QStringLiteral("CF2"), QStringLiteral("HP-GL"), QStringLiteral("Old n"),
                                          QStringLiteral("Wild plotter")}));
        QAction* properties = MenuCommand(*window.menuBar(), app::kPropertiesCommand);
        ASSERT_NE(properties, nullptr);
        properties->trigger();
        EXPECT_TRUE(window.Properties()->isVisible());

        // File > Close: back to the menus without a document.
        MenuCommand(*window.menuBar(), kCloseCommand)->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(window.Documents()->subWindowList().isEmpty());
        EXPECT_FALSE(MenuTitles(*window.menuBar()).contains(QStringLiteral("Construct")));

        MenuCommand(*window.menuBar(), kNewCommand)->trigger();
        QApplication::processEvents();
        MenuCommand(*window.menuBar(), kExitCommand)->trigger();
        QApplication::processEvents();
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(morvek.ExitInstance());
    }
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.texts().join(QLatin1Char('\n')).toStdString();

    const QString saved = env.dir().read(QStringLiteral("app/Config/toolbar.cfg"));
    EXPECT_TRUE(saved.contains(QStringLiteral("Main=57600,57601,57603,-1"))) << saved.toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("Toolbar_10=0")));
    const QStringList written = FilesBelow(env.dir().path());
    for (const QString& file : written)
        EXPECT_TRUE(file.startsWith(QStringLiteral("app/")) || file.startsWith(QStringLiteral("user/")))
            << file.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("user/registry.ini")));
    EXPECT_EQ(QDir::current().entryList(QDir::AllEntries | QDir::Hidden), workingFolder);
}

} // namespace
