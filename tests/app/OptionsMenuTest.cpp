// The Options menu and View > Edit Toolbars through the real program,
// offscreen, on a fresh configuration: a catalogue path, a hot key, the
// language and a button on user toolbar 3 are set through the windows, and
// all of them are still there after a restart on the same configuration.
#include "app/DefaultMenu.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowFixture.h"
#include "app/WindowSteps.h"
#include "dlg/KeySettingDlg.h"
#include "dlg/LanguageDlg.h"
#include "dlg/SettingsPathDlg.h"
#include "gui/CommandToolbar.h"
#include "gui/ToolbarEditor.h"
#include "options/Options.h"
#include "options/PathChooser.h"
#include "platform/Prompt.h"
#include "shell/ToolbarDragItem.h"

#include "common/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kOptionsDisplay = 32841;
constexpr int kOptionsLanguage = 207;
constexpr int kOptionsPath = 32842;
constexpr int kOptionsHotKey = 32848;
constexpr int kEditToolbars = 358;
constexpr int kCenter = 32771; // View > Center, a drawing's command
constexpr int kUserToolbar3 = 348;

using apptest::MenuTitles;

QAction* MenuCommand(const QList<QAction*>& actions, int command)
{
    return apptest::FindCommand(actions, command);
}

// Runs the menu command; `answer` works the modal dialog it opens.
template <typename Dialog>
bool RunDialog(app::MainWindow& window, int command, const std::function<void(Dialog&)>& answer)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        answer(*dialog);
    });
    QAction* action = MenuCommand(window.menuBar()->actions(), command);
    if (!action)
        return false;
    action->trigger();
    return seen;
}

void DropOn(gui::CommandToolbar& bar, const QByteArray& payload)
{
    QMimeData data;
    data.setData(QString::fromLatin1(shell::kToolbarMimeType), payload);
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &enter);
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &drop);
}

QTreeWidgetItem* TreeItem(QTreeWidget& tree, int data)
{
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == data)
            return *it;
    return nullptr;
}

class OptionsMenuTest : public testing::Test {
protected:
    void SetUp() override
    {
        const QString defaults = QStringLiteral(MORVEK_SOURCE_DIR "/Defaults");
        for (const QString& name : QDir(defaults).entryList(QDir::Files))
            QFile::copy(defaults + QLatin1Char('/') + name, env_.appFolder() + QStringLiteral("/Defaults/") + name);
        // A second language: a few German texts beside the English file.
        QByteArray settings = env_.dir().read(QStringLiteral("app/Defaults/settings.ini"));
        settings.replace("set0=Defaults\\english.lng", "set0=Defaults\\english.lng\nset1=Defaults\\german.lng");
        QFile::remove(env_.appFolder() + QStringLiteral("/Defaults/settings.ini"));
        env_.dir().write(QStringLiteral("app/Defaults/settings.ini"), settings);
        env_.dir().write(QStringLiteral("app/Defaults/german.lng"),
                         "[877]\nGER=Datei\n[2800]\nGER=Optionen\n[2804]\nGER=&Tastenkombination\n");
    }

    test::ScopedTestEnvironment env_;
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> usePrompt_ = platform::installPrompt(prompt_);
};

TEST_F(OptionsMenuTest, EveryChoiceIsMadeInTheWindowsAndSurvivesARestart)
{
    ScriptedPathChooser chooser;
    const auto useChooser = installPathChooser(chooser);
    chooser.push(QStringLiteral("/catalogues/fefco.sif"));
    {
        CMorvekXPApp morvek;
        app::MainWindow window;
        app::WindowSteps steps(window, morvek);
        ASSERT_FALSE(morvek.InitInstance(&steps).has_value());
        QApplication::processEvents();
        // Options stands between View and Output, with a drawing or without.
        EXPECT_EQ(MenuTitles(*window.menuBar()),
                  (QStringList{QStringLiteral("File"), QStringLiteral("View"), QStringLiteral("Options"),
                               QStringLiteral("Output"), QStringLiteral("Help")}));
        ASSERT_NE(MenuCommand(window.menuBar()->actions(), kOptionsDisplay), nullptr);
        MenuCommand(window.menuBar()->actions(), kNewCommand)->trigger();
        QApplication::processEvents();
        const QStringList titles = MenuTitles(*window.menuBar());
        EXPECT_EQ(titles.indexOf(QStringLiteral("Options")), titles.indexOf(QStringLiteral("View")) + 1);
        EXPECT_EQ(titles.indexOf(QStringLiteral("Output")), titles.indexOf(QStringLiteral("Options")) + 1);
        for (int command : {kOptionsLanguage, kOptionsPath, kOptionsHotKey})
            EXPECT_TRUE(MenuCommand(window.menuBar()->actions(), command)->isEnabled()) << command;

        // Options > Path: browsing sets FEFCO at once.
        EXPECT_TRUE(RunDialog<dlg::CSettingsPathDlg>(window, kOptionsPath, [](dlg::CSettingsPathDlg& sheet) {
            sheet.BrowseButton(0)->click();
            EXPECT_EQ(sheet.Field(0)->text(), QStringLiteral("/catalogues/fefco.sif"));
            sheet.accept();
        }));

        // Options > Hot Key: Pan on Ctrl+F5, Set, OK.
        EXPECT_TRUE(RunDialog<dlg::CKeySettingDlg>(window, kOptionsHotKey, [](dlg::CKeySettingDlg& dialog) {
            dialog.SelectRow(2);
            dialog.Ctrl()->setChecked(true);
            dialog.Keys()->setCurrentIndex(dlg::KeyListIndex(116));
            dialog.SetButton()->click();
            dialog.accept();
        }));
        EXPECT_TRUE(morvek.GetOptions()->MatchKey(116, 0, 0, 1, SHOW_PAN));

        // View > Edit Toolbars: a command dragged from the tree onto user
        // toolbar 3; the toolbars run nothing meanwhile.
        MenuCommand(window.menuBar()->actions(), kEditToolbars)->trigger();
        QApplication::processEvents();
        gui::ToolbarEditor* editor = window.OpenToolbarEditor();
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_FALSE(editor->isModal());
        EXPECT_TRUE(gui::ToolbarEditing());
        QTreeWidgetItem* center = TreeItem(*editor->Tree(), kCenter);
        ASSERT_NE(center, nullptr);
        EXPECT_EQ(center->text(0), QStringLiteral("Center"));
        gui::CommandToolbar* bar3 = window.Toolbar(kUserToolbar3);
        DropOn(*bar3, *gui::EditorTreeWidget::DragPayload(*center));
        EXPECT_EQ(bar3->GetButtonsText(), QStringLiteral("32771"));
        int ran = 0;
        QObject::connect(&window, &app::MainWindow::commandRan, [&ran](int) { ++ran; });
        bar3->show();
        QApplication::processEvents();
        auto* button = qobject_cast<QToolButton*>(bar3->widgetForAction(bar3->actions().front()));
        ASSERT_NE(button, nullptr);
        // A press starts a button drag instead of a click; Escape ends it.
        QTimer::singleShot(0, [button] {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(button, &escape);
        });
        const QPointF inside(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, inside, button->mapToGlobal(inside), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, inside, button->mapToGlobal(inside), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &release);
        QApplication::processEvents();
        EXPECT_EQ(ran, 0) << "a button does not run its command while the editor is open";
        editor->findChild<QPushButton*>()->click(); // Exit
        QApplication::processEvents();
        EXPECT_FALSE(gui::ToolbarEditing());
        EXPECT_EQ(window.OpenToolbarEditor(), nullptr);
        EXPECT_TRUE(env_.dir().read(QStringLiteral("app/Config/toolbar.cfg")).contains("Toolbar_3=32771"))
            << "written when the editor closes";

        // Options > Language: German; the menus change at once.
        EXPECT_TRUE(RunDialog<dlg::CLanguageDlg>(window, kOptionsLanguage, [](dlg::CLanguageDlg& dialog) {
            dialog.List()->setCurrentRow(0);
            dialog.OkButton()->click();
        }));
        EXPECT_TRUE(MenuTitles(*window.menuBar()).contains(QStringLiteral("Datei")));
        EXPECT_TRUE(MenuTitles(*window.menuBar()).contains(QStringLiteral("Optionen")));
        EXPECT_EQ(MenuCommand(window.menuBar()->actions(), kOptionsHotKey)->text(), QStringLiteral("&Tastenkombination"));

        window.close();
        QApplication::processEvents();
        EXPECT_TRUE(morvek.ExitInstance());
    }
    {
        CMorvekXPApp morvek;
        app::MainWindow window;
        app::WindowSteps steps(window, morvek);
        ASSERT_FALSE(morvek.InitInstance(&steps).has_value());
        QApplication::processEvents();
        COptions& options = *morvek.GetOptions();
        EXPECT_EQ(options.ReadRegistryString(QStringLiteral("Standards"), QStringLiteral("FEFCO")),
                  QStringLiteral("/catalogues/fefco.sif"));
        EXPECT_TRUE(options.MatchKey(116, 0, 0, 1, SHOW_PAN));
        EXPECT_TRUE(MenuTitles(*window.menuBar()).contains(QStringLiteral("Optionen")));
        EXPECT_EQ(window.Toolbar(kUserToolbar3)->GetButtonsText(), QStringLiteral("32771"));
        window.close();
        QApplication::processEvents();
        EXPECT_TRUE(morvek.ExitInstance());
    }
    EXPECT_TRUE(prompt_.texts().isEmpty()) << prompt_.texts().join(QLatin1Char('\n')).toStdString();
}

TEST_F(OptionsMenuTest, ClosingTheProgramWithTheEditorOpenEndsItAndSavesTheLayout)
{
    CMorvekXPApp morvek;
    app::MainWindow window;
    app::WindowSteps steps(window, morvek);
    ASSERT_FALSE(morvek.InitInstance(&steps).has_value());
    MenuCommand(window.menuBar()->actions(), kNewCommand)->trigger();
    QApplication::processEvents();
    MenuCommand(window.menuBar()->actions(), kEditToolbars)->trigger();
    ASSERT_NE(window.OpenToolbarEditor(), nullptr);
    DropOn(*window.Toolbar(kUserToolbar3), shell::ToolbarDragItem{-1, 0}.Serialize());
    DropOn(*window.Toolbar(kUserToolbar3), shell::ToolbarDragItem{kCenter, 0}.Serialize());
    QFile::remove(env_.appFolder() + QStringLiteral("/Config/toolbar.cfg"));
    window.close();
    QApplication::processEvents();
    EXPECT_FALSE(gui::ToolbarEditing());
    EXPECT_EQ(window.OpenToolbarEditor(), nullptr);
    const QByteArray saved = env_.dir().read(QStringLiteral("app/Config/toolbar.cfg"));
    const qsizetype line = saved.indexOf("Toolbar_3=");
    ASSERT_GE(line, 0) << saved.toStdString();
    EXPECT_TRUE(saved.mid(line, saved.indexOf('\n', line) - line).contains("32771")) << saved.toStdString();
    EXPECT_TRUE(morvek.ExitInstance());
}

} // namespace
