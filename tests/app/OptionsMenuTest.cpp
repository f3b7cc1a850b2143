// Output > Options, the Options menu and View > Edit Toolbars through the
// real program, offscreen, on a fresh configuration: an exporter added and
// configured, a catalogue path, a hot key, the language and a button on user
// toolbar 3 are set through the windows, and all of them are still there
// after a restart on the same configuration.
#include "app/DefaultMenu.h"
#include "app/FileChooser.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowFixture.h"
#include "app/WindowSteps.h"
#include "dlg/ExporterSetup.h"
#include "dlg/ExportsEditor.h"
#include "dlg/KeySettingDlg.h"
#include "dlg/LanguageDlg.h"
#include "dlg/SettingsPathDlg.h"
#include "gui/CommandToolbar.h"
#include "gui/ToolbarEditor.h"
#include "options/Options.h"
#include "options/PathChooser.h"
#include "platform/Prompt.h"
#include "shell/MenuTree.h"
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

void DropOn(gui::CommandToolbar& bar, const QByteArray& payload)
{
    QMimeData data;
    data.setData(QString::fromLatin1(shell::kToolbarMimeType), payload);
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &enter);
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &drop);
}

// The Output menu's exporter entries, in order.
QStringList ExporterEntries(const QList<QAction*>& actions)
{
    QStringList entries;
    for (QAction* action : actions) {
        if (QMenu* menu = action->menu())
            entries += ExporterEntries(menu->actions());
        else if (action->data().isValid() && action->data().toInt() >= shell::kFirstExporterCommand &&
                 action->data().toInt() <= shell::kLastExporterCommand)
            entries.append(action->text());
    }
    return entries;
}

QAction* ExporterEntry(const QList<QAction*>& actions, const QString& name)
{
    for (QAction* action : actions) {
        if (QMenu* menu = action->menu()) {
            if (QAction* found = ExporterEntry(menu->actions(), name))
                return found;
        } else if (action->text() == name && action->data().toInt() >= shell::kFirstExporterCommand) {
            return action;
        }
    }
    return nullptr;
}

// Opens the drawing it is given and saves an export where it is proposed.
struct ProposedFileChooser : app::FileChooser {
    QString Open(QWidget*, const QString&, const QString&) override { return open; }
    QString Save(QWidget*, const QString& proposal, const QString&) override
    {
        proposed = proposal;
        return proposal;
    }
    QString open;
    QString proposed;
};

// The section names of an ini text.
QStringList Sections(const QByteArray& ini)
{
    QStringList sections;
    for (const QByteArray& line : ini.split('\n'))
        if (line.trimmed().startsWith('['))
            sections.append(QString::fromUtf8(line.trimmed()));
    return sections;
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
    ProposedFileChooser files;
    const auto useFiles = app::InstallFileChooser(files);
    const QString plots = env_.dir().path() + QStringLiteral("/plots/");
    ASSERT_TRUE(QDir().mkpath(plots));
    const QStringList factory{QStringLiteral("CF2"), QStringLiteral("HP-GL"), QStringLiteral("Old n"),
                              QStringLiteral("Wild plotter")};
    {
        CMorvekXPApp morvek;
        app::MainWindow window;
        dlg::QtExporterConfigurator configurator(&window);
        const auto useConfigurator = Export::installExporterConfigurator(configurator);
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

        // Output lists the factory exporters. Output > Options adds "plot",
        // a CF2 exporter writing into a fixed folder.
        EXPECT_EQ(ExporterEntries(window.menuBar()->actions()), factory);
        chooser.push(plots);
        EXPECT_TRUE(apptest::RunDialog<dlg::ExportsEditor>(window, 32796, [](dlg::ExportsEditor& editor) {
            QTimer::singleShot(0, [] {
                auto* declare = qobject_cast<dlg::ExporterDeclare*>(QApplication::activeModalWidget());
                ASSERT_NE(declare, nullptr);
                declare->NameField()->setText(QStringLiteral("plot"));
                declare->TypeBox()->setCurrentIndex(declare->TypeBox()->findText(QStringLiteral("CF2")));
                declare->accept();
            });
            editor.Add();
            const auto rows = editor.List()->findItems(QStringLiteral("plot"), Qt::MatchExactly);
            ASSERT_EQ(rows.size(), 1);
            EXPECT_EQ(rows.front()->text(1), QStringLiteral("CF2"));
            editor.List()->setCurrentItem(rows.front());
            QTimer::singleShot(0, [] {
                auto* setup = qobject_cast<dlg::ExportConfigDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(setup, nullptr);
                auto* policy = setup->Rows().ComboRow(dlg::ExporterRows::kPolicy);
                ASSERT_TRUE(policy->SelectData(1));
                EXPECT_EQ(policy->ValueText(), QStringLiteral("fixed directory"));
                policy->EndEdit();
                gui::COptionTreeItemFile* folder = setup->Rows().PathRow(0);
                ASSERT_FALSE(folder->IsReadOnly());
                folder->BeginEdit(); // the scripted folder chooser answers
                setup->accept();
            });
            editor.Configure();
            editor.accept();
        }));
        QApplication::processEvents(); // the Output menu is rebuilt
        EXPECT_TRUE(chooser.starts().size() == 1 && chooser.starts().front() == QDir::homePath())
            << chooser.starts().join(QLatin1Char(',')).toStdString();
        const QByteArray userOutput = env_.dir().read(QStringLiteral("app/Config/output.cfg"));
        EXPECT_EQ(Sections(userOutput), QStringList{QStringLiteral("[plot]")}) << userOutput.toStdString();
        EXPECT_TRUE(userOutput.contains("lib=cf2")) << userOutput.toStdString();
        EXPECT_TRUE(userOutput.contains("dir_policy=1")) << userOutput.toStdString();
        QFile shipped(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/output.ini"));
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
        EXPECT_EQ(env_.dir().read(QStringLiteral("app/Defaults/output.ini")), shipped.readAll())
            << "the factory file is never written";
        QStringList withPlot = factory;
        withPlot.insert(3, QStringLiteral("plot")); // name order, capitals aside
        EXPECT_EQ(ExporterEntries(window.menuBar()->actions()), withPlot);
        // Running "plot" on a drawing writes its CF2 file into the folder.
        files.open = apptest::SaveBoxDrawing(env_.dir().path());
        MenuCommand(window.menuBar()->actions(), app::kOpenCommand)->trigger();
        QApplication::processEvents();
        QAction* plot = ExporterEntry(window.menuBar()->actions(), QStringLiteral("plot"));
        ASSERT_NE(plot, nullptr);
        plot->trigger();
        EXPECT_EQ(files.proposed, plots + QStringLiteral("box.n.cf2"));
        QFile written(plots + QStringLiteral("box.n.cf2"));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll().startsWith("$BOF"));

        // Options > Path: browsing sets FEFCO at once.
        chooser.push(QStringLiteral("/catalogues/fefco.sif"));
        EXPECT_TRUE(apptest::RunDialog<dlg::CSettingsPathDlg>(window, kOptionsPath, [](dlg::CSettingsPathDlg& sheet) {
            sheet.BrowseButton(0)->click();
            EXPECT_EQ(sheet.Field(0)->text(), QStringLiteral("/catalogues/fefco.sif"));
            sheet.accept();
        }));

        // Options > Hot Key: Pan on Ctrl+F5, Set, OK.
        EXPECT_TRUE(apptest::RunDialog<dlg::CKeySettingDlg>(window, kOptionsHotKey, [](dlg::CKeySettingDlg& dialog) {
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
        EXPECT_TRUE(apptest::RunDialog<dlg::CLanguageDlg>(window, kOptionsLanguage, [](dlg::CLanguageDlg& dialog) {
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
        MenuCommand(window.menuBar()->actions(), kNewCommand)->trigger();
        QApplication::processEvents();
        QStringList withPlot = factory;
        withPlot.insert(3, QStringLiteral("plot"));
        EXPECT_EQ(ExporterEntries(window.menuBar()->actions()), withPlot);
        const auto names = morvek.GetExportManager().GetNameMap();
        ASSERT_EQ(names.count(QStringLiteral("plot")), 1u);
        const Export::ExportSettings plotSettings = names.at(QStringLiteral("plot"))->GetSettings();
        EXPECT_EQ(plotSettings.dir_policy, 1);
        EXPECT_EQ(plotSettings.dir, plots);
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
