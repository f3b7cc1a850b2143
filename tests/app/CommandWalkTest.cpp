// Every menu item of both menu sets, every button of the factory toolbars
// and every item of the view's popup, through the real program offscreen:
// each runs its handler (a toggle also flips its check mark) or stands
// disabled saying that it is not available in this version. None is
// enabled and silent.
#include "app/AboutDialog.h"
#include "app/ApplicationCommands.h"
#include "app/DefaultMenu.h"
#include "app/DocumentCommands.h"
#include "app/DocumentView.h"
#include "app/FileChooser.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowFixture.h"
#include "app/WindowSteps.h"
#include "dlg/OneValue.h"
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "gui/CommandToolbar.h"
#include "options/KeyBinding.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"
#include "section/Section.h"
#include "shell/CommandTable.h"

#include "common/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <set>

namespace {

using shell::CommandRun;
using shell::CommandScope;

// Answers every file dialog with Cancel.
struct CancellingChooser : app::FileChooser {
    int asked = 0;
    QString Open(QWidget*, const QString&, const QString&) override { return ++asked, QString(); }
    QString Save(QWidget*, const QString&, const QString&) override { return ++asked, QString(); }
};

// Cancels every value dialog.
struct CancellingAsker : dlg::OneValueAsker {
    std::optional<QString> Ask(const dlg::OneValueRequest&) override { return std::nullopt; }
};

// Closes every modal window and popup menu a handler opens, and remembers
// the modal dialogs' object names.
class ModalCloser {
public:
    ModalCloser()
    {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen_.insert(modal->objectName());
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
                else
                    modal->close();
            }
        });
        timer_.start();
    }
    bool Saw(const QString& name) const { return seen_.count(name) != 0; }

private:
    QTimer timer_;
    std::set<QString> seen_;
};

// The ids of a menu's command items, depth first.
void CollectIds(const QList<QAction*>& actions, std::vector<int>& ids)
{
    for (QAction* action : actions) {
        if (QMenu* menu = action->menu())
            CollectIds(menu->actions(), ids);
        else if (!action->isSeparator() && action->data().isValid())
            ids.push_back(action->data().toInt());
    }
}

// A row that says it runs has its handler where its scope says.
bool HasHandler(const shell::CommandRow& row, int id)
{
    return row.scope == CommandScope::Application ? app::ApplicationCommands::Has(id) : app::DocumentCommands::Has(id);
}

class CommandWalk : public testing::Test {
protected:
    void SetUp() override
    {
        const QString defaults = QStringLiteral(MORVEK_SOURCE_DIR "/Defaults");
        for (const QString& name : QDir(defaults).entryList(QDir::Files))
            QFile::copy(defaults + QLatin1Char('/') + name, env_.appFolder() + QStringLiteral("/Defaults/") + name);
        ASSERT_FALSE(morvek_.InitInstance(&steps_).has_value());
        QApplication::processEvents();
        notAvailable_ = Translate(shell::kTextNotAvailable);
        QObject::connect(&window_, &app::MainWindow::commandRan, [this](int id) { ran_.push_back(id); });
    }
    void TearDown() override
    {
        for (QMdiSubWindow* child : window_.Documents()->subWindowList())
            if (auto* view = qobject_cast<app::DocumentView*>(child->widget()))
                view->AgreeToClose();
        window_.Documents()->closeAllSubWindows();
        window_.close();
    }

    std::vector<int> MenuIds()
    {
        std::vector<int> ids;
        CollectIds(window_.menuBar()->actions(), ids);
        return ids;
    }
    app::DocumentView* ActiveView() const
    {
        QMdiSubWindow* child = window_.Documents()->activeSubWindow();
        return child ? qobject_cast<app::DocumentView*>(child->widget()) : nullptr;
    }
    void EnsureDrawing()
    {
        if (!ActiveView())
            window_.NewDocument();
        QApplication::processEvents();
    }

    // The command's action runs its handler (a toggle flips its check
    // mark) or is disabled with the not-available text.
    void Walk(int id, const QString& where)
    {
        SCOPED_TRACE((where + QStringLiteral(" %1").arg(id)).toStdString());
        const shell::CommandRow* row = shell::FindCommand(id);
        ASSERT_NE(row, nullptr) << "a command without a table row";
        QAction* action = window_.CommandAction(id);
        ASSERT_NE(action, nullptr);
        window_.RefreshActions();
        if (row->run == CommandRun::NotAvailable) {
            EXPECT_FALSE(action->isEnabled());
            EXPECT_EQ(action->statusTip(), notAvailable_);
            window_.statusBar()->clearMessage();
            emit window_.commandChosen(id); // as a key would
            EXPECT_EQ(window_.statusBar()->currentMessage(), notAvailable_);
            return;
        }
        EXPECT_TRUE(HasHandler(*row, id));
        // Undo and Redo stand disabled while there is no step to take.
        const app::DocumentView* view = ActiveView();
        if (const auto item = view ? view->MenuItem(id) : std::nullopt; item && !item->enabled) {
            EXPECT_FALSE(action->isEnabled());
            return;
        }
        EXPECT_TRUE(action->isEnabled()) << "disabled without saying why";
        if (id == kExitCommand)
            return; // run last
        const bool checked = action->isChecked();
        ran_.clear();
        action->trigger();
        QApplication::processEvents();
        EXPECT_EQ(ran_, std::vector<int>{id}) << "enabled and silent";
        if (row->run == CommandRun::Toggle) {
            window_.RefreshActions();
            EXPECT_NE(action->isChecked(), checked);
            action->trigger(); // back as it was
        }
        if (CMorvekDoc* doc = ActiveView() ? &ActiveView()->Document() : nullptr)
            doc->SetModifiedFlag(false); // closing asks nothing
        EnsureDrawing();
    }

    test::ScopedTestEnvironment env_;
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> usePrompt_ = platform::installPrompt(prompt_);
    CancellingChooser chooser_;
    platform::ScopedOverride<app::FileChooser*> useChooser_ = app::InstallFileChooser(chooser_);
    CancellingAsker asker_;
    platform::ScopedOverride<dlg::OneValueAsker*> useAsker_ = dlg::InstallOneValueAsker(asker_);
    CMorvekXPApp morvek_;
    app::MainWindow window_;
    app::WindowSteps steps_{window_, morvek_};
    std::vector<int> ran_;
    QString notAvailable_;
};

TEST_F(CommandWalk, EveryCatalogueCommandHasItsRowAndEveryRunningRowItsHandler)
{
    ASSERT_EQ(notAvailable_, QStringLiteral("Not available in this version."));
    for (const auto& [id, entry] : morvek_.GetCommandCatalogue().GetCommands()) {
        const shell::CommandRow* row = shell::FindCommand(id);
        ASSERT_NE(row, nullptr) << id;
        EXPECT_TRUE(row->catalogued) << id;
    }
    for (const shell::CommandRow& row : shell::CommandRows()) {
        const int id = shell::ToInt(row.id);
        EXPECT_EQ(row.run != CommandRun::NotAvailable, HasHandler(row, id)) << id;
        // A handler in the other table would never be reached.
        EXPECT_FALSE(row.scope == CommandScope::Application ? app::DocumentCommands::Has(id)
                                                            : app::ApplicationCommands::Has(id))
            << id;
    }
}

TEST_F(CommandWalk, EveryMenuItemAndToolbarButtonRunsOrSaysItIsNotAvailable)
{
    ModalCloser closer;
    // Without a drawing: the drawing's commands are disabled.
    const std::vector<int> plain = MenuIds();
    ASSERT_FALSE(plain.empty());
    for (const int id : plain) {
        QAction* action = window_.CommandAction(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action, apptest::FindCommand(window_.menuBar()->actions(), id)) << "the menu shows the shared action";
        if (shell::FindCommand(id)->scope == CommandScope::Document) {
            EXPECT_FALSE(action->isEnabled()) << id;
        }
    }
    for (const int id : plain)
        if (id != kNewCommand)
            Walk(id, QStringLiteral("menu without a drawing"));

    // With one: the document menus, and a few figures, one of them selected.
    window_.NewDocument();
    QApplication::processEvents();
    Section& section = *ActiveView()->Document().GetCurrentSection();
    section.AddLine3(0, 0, 100, 0, true, 1);
    section.AddLine3(0, 0, 0, 50, true, 1);
    (*section.begin())->SetSelection(1);
    const std::vector<int> document = MenuIds();
    EXPECT_GT(document.size(), plain.size());
    for (const int id : {475, 33007, 57604, 57664, 387, 455, 248, 466, 486})
        EXPECT_NE(std::find(document.begin(), document.end(), id), document.end()) << id << " is in the menus";
    for (const int id : document)
        Walk(id, QStringLiteral("document menu"));
    EXPECT_TRUE(closer.Saw(QStringLiteral("AboutDialog")));

    // The factory toolbars show the same actions.
    for (const int bar : {kMainToolbar, app::kConstructToolbar}) {
        for (QAction* button : window_.Toolbar(bar)->actions()) {
            if (button->isSeparator())
                continue;
            const int id = button->data().toInt();
            EXPECT_EQ(button, window_.CommandAction(id)) << id;
            Walk(id, QStringLiteral("toolbar"));
        }
    }

    // Exit closes the program.
    QApplication::processEvents();
    window_.CommandAction(kExitCommand)->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(window_.isVisible());
}

TEST_F(CommandWalk, UseSecondaryRelativityIsOnAtStartAndToggles)
{
    window_.NewDocument();
    QAction* relativity = window_.CommandAction(362);
    window_.RefreshActions();
    EXPECT_TRUE(morvek_.UseSecondaryRelativity());
    EXPECT_TRUE(relativity->isChecked());
    relativity->trigger();
    EXPECT_FALSE(morvek_.UseSecondaryRelativity());
    EXPECT_FALSE(relativity->isChecked());
    relativity->trigger();
    EXPECT_TRUE(morvek_.UseSecondaryRelativity());
}

TEST_F(CommandWalk, AboutShowsThePictureTheVersionAndTheBuildDate)
{
    const QString oldVersion = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7"));
    app::AboutDialog about(&window_);
    QCoreApplication::setApplicationVersion(oldVersion);
    const auto* version = about.findChild<QLabel*>(QStringLiteral("AboutVersion"));
    const auto* built = about.findChild<QLabel*>(QStringLiteral("AboutBuilt"));
    const auto* picture = about.findChild<QLabel*>(QStringLiteral("AboutPicture"));
    ASSERT_TRUE(version && built && picture);
    EXPECT_EQ(version->text(), QStringLiteral("Version 9.8.7"));
    EXPECT_EQ(built->text(), QStringLiteral("Built on " __DATE__));
    EXPECT_FALSE(picture->pixmap().isNull());
    QTimer::singleShot(0, &about, &QDialog::accept); // OK
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

// A disabled item of an open menu says why in the status bar when the
// mouse rests on it.
TEST_F(CommandWalk, HoveringADisabledMenuItemShowsWhyInTheStatusBar)
{
    window_.NewDocument();
    QApplication::processEvents();
    QAction* area = window_.CommandAction(387);
    QMenu* debug = nullptr;
    for (QAction* top : window_.menuBar()->actions())
        if (top->menu() && top->menu()->actions().contains(area))
            debug = top->menu();
    ASSERT_NE(debug, nullptr);
    debug->popup(QPoint(10, 10));
    QApplication::processEvents();
    window_.statusBar()->clearMessage();
    QTest::mouseMove(debug, debug->actionGeometry(area).center());
    QApplication::processEvents();
    EXPECT_EQ(window_.statusBar()->currentMessage(), notAvailable_);
    debug->close();
}

// The popup over two selected lines: each item runs or says why not;
// Change Bridge Length gives the selected lines the typed bridge width.
TEST_F(CommandWalk, PopupItemsRunOrSayWhyNot)
{
    window_.NewDocument();
    window_.resize(900, 700);
    QApplication::processEvents();
    app::DocumentView* view = ActiveView();
    Section& section = *view->Document().GetCurrentSection();
    section.AddLine3(0, 0, 100, 0, true, 1);
    section.AddLine3(0, 10, 100, 10, true, 1);
    std::vector<CElement*> lines;
    for (CElement* e : section) {
        e->SetSelection(1);
        lines.push_back(e);
    }
    ASSERT_EQ(lines.size(), 2u);
    view->RunCommand(32771); // fitted: the line crosses the view
    QApplication::processEvents();

    struct Typed : dlg::OneValueAsker {
        std::optional<QString> Ask(const dlg::OneValueRequest&) override { return QStringLiteral("4.5"); }
    } typed;
    const auto useTyped = dlg::InstallOneValueAsker(typed);

    // Right-click away from the line: the popup of the selection.
    std::vector<int> shown;
    bool checked = false;
    QTimer::singleShot(50, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        checked = true;
        QAction* change = nullptr;
        for (QAction* item : popup->actions()) {
            const int id = item->data().toInt();
            shown.push_back(id);
            EXPECT_EQ(item, window_.CommandAction(id)) << id;
            const shell::CommandRow* row = shell::FindCommand(id);
            ASSERT_NE(row, nullptr) << id;
            if (row->run == CommandRun::NotAvailable) {
                EXPECT_FALSE(item->isEnabled()) << id;
                EXPECT_EQ(item->statusTip(), notAvailable_) << id;
            } else {
                EXPECT_TRUE(item->isEnabled()) << id;
                EXPECT_TRUE(app::DocumentCommands::Has(id)) << id;
            }
            if (id == 33012)
                change = item;
        }
        ASSERT_NE(change, nullptr);
        popup->setActiveAction(change);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    const QPoint away(view->width() / 2, view->height() / 8);
    QTest::mouseMove(view, away);
    QTest::mousePress(view, Qt::RightButton, Qt::NoModifier, away);
    QTest::mouseRelease(view, Qt::RightButton, Qt::NoModifier, away);
    QApplication::processEvents();
    ASSERT_TRUE(checked);
    EXPECT_NE(std::find(shown.begin(), shown.end(), 164), shown.end()) << "Properties is offered";
    // The change puts edited copies into the lines' slots (the lines as they
    // were stay in its undo step).
    lines.clear();
    for (CElement* e : section)
        lines.push_back(e);
    ASSERT_EQ(lines.size(), 2u);
    for (const CElement* line : lines) {
        EXPECT_NEAR(line->GetAutoWidth(), 4.5, 1e-9);
        EXPECT_EQ(line->GetBridgeMode(), 1);
    }
    EXPECT_TRUE(view->Document().IsModified()) << "changed bridges are saved before closing";
    view->Document().SetModifiedFlag(false);
}

// A key the user bound as a hot key of the drawing (here Space as the
// free-point key) goes to the drawing, not to the command whose key it is
// too (View > Center).
TEST_F(CommandWalk, AKeyBoundAsHotKeyStaysWithTheDrawing)
{
    constexpr int kVirtualSpace = 0x20;
    ASSERT_TRUE(platform::Registry::writeBinary(QStringLiteral("Keyboard"), KeyBindingName(DEF_FREEPOINT),
                                                KeyBinding{0, 0, 0, 0, kVirtualSpace}.ToBytes()));
    morvek_.GetOptions()->LoadKeyboard();
    window_.NewDocument();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    app::DocumentView* view = ActiveView();
    view->setFocus();
    window_.CommandAction(32797)->trigger();
    const QString firstPoint = window_.MessageText()->text();
    QTest::mouseMove(view, QPoint(view->width() / 3, view->height() / 3));
    ran_.clear();
    QTest::keyClick(view, Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_TRUE(ran_.empty()) << "View > Center did not run";
    EXPECT_NE(window_.MessageText()->text(), firstPoint) << "the line took its first point";
}

} // namespace
