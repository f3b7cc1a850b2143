// The window's commands through its menus and keys: each key reaches its
// command; Window > Cascade and Tile leave every drawing a usable window;
// File > Save As gives the drawing its new name and leaves the old file
// as it was.
#include "app/FileChooser.h"
#include "app/PrintCommands.h"
#include "app/WindowFixture.h"
#include "document/DocumentPaths.h"
#include "element/Line.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"
#include "shell/CommandTable.h"

#include <QFile>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {

// Answers Cancel in the print set-up dialog, so a print asks nothing more.
class CancelledPrint : public app::PrintAsker {
public:
    bool Setup(QWidget*, COptions&) override { return false; }
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
    void Preview(QWidget*, QPrinter&, const std::function<void(QPrinter&)>&) override {}
    void PageSetup(QWidget*, QPrinter&) override {}
};

struct ScriptedChooser : app::FileChooser {
    QString Open(QWidget*, const QString&, const QString&) override { return open; }
    QString Save(QWidget*, const QString&, const QString&) override { return save; }
    QString open;
    QString save;
};

using apptest::LinesOf;

class WindowCommands : public apptest::WindowFixture {
protected:
    void SetUp() override
    {
        apptest::WindowFixture::SetUp();
        QObject::connect(&window_, &app::MainWindow::commandRan, [this](int id) { ran_.push_back(id); });
    }
    // A line from the origin to a node a quarter of the view away, drawn
    // with Construct > Basic > Line: one undo step.
    void DrawLine()
    {
        const double zoom = view_->View().GetZoom();
        const die::coord p{view_->width() / 4 / zoom, view_->height() / 8 / zoom};
        ASSERT_GE(Doc().Nodes().AddPoint(p.x, p.y, false), 0);
        Choose(32797);
        QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, PixelOf(0, 0));
        QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, PixelOf(p.x, p.y));
        QTest::mouseClick(view_, Qt::MiddleButton, Qt::NoModifier, PixelOf(0, 0)); // ends the command
        ASSERT_EQ(LinesOf(Doc()).size(), 1u);
    }
    std::vector<app::DocumentView*> Views() const
    {
        std::vector<app::DocumentView*> views;
        for (QMdiSubWindow* child : window_.Documents()->subWindowList())
            views.push_back(qobject_cast<app::DocumentView*>(child->widget()));
        return views;
    }

    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> usePrompt_ = platform::installPrompt(prompt_);
    ScriptedChooser chooser_;
    platform::ScopedOverride<app::FileChooser*> useChooser_ = app::InstallFileChooser(chooser_);
    std::vector<int> ran_;
};

TEST_F(WindowCommands, EachKeyReachesItsCommand)
{
    DrawLine();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    view_->setFocus();
    QApplication::processEvents();

    CancelledPrint cancelled;
    const auto print = app::InstallPrintAsker(cancelled);
    struct Case {
        const char* key;
        int command; // 0: not available in this version
    };
    // In this order: Undo takes the line away, Redo brings it back.
    const Case cases[] = {
        {"Ctrl+X", 370},   {"Ctrl+Y", 371},    {"Ctrl+Z", 370},   {"Ctrl+C", 32771}, {"Space", 32771},
        {"Ctrl+K", 257},   {"Ctrl+L", 32814},  {"Ctrl+Ins", 32963}, {"Shift+Ins", 32964}, {"Ctrl+O", 57601},
        {"Ctrl+S", 57603}, {"Ctrl+P", 57607},  {"I", 288},        {"Ctrl+N", 57600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ran_.clear();
        window_.statusBar()->clearMessage();
        QTest::keySequence(view_, QKeySequence(QString::fromLatin1(c.key), QKeySequence::PortableText));
        QApplication::processEvents();
        if (c.command == 0) {
            EXPECT_TRUE(ran_.empty());
            EXPECT_EQ(window_.statusBar()->currentMessage(), Translate(shell::kTextNotAvailable));
        } else {
            EXPECT_EQ(ran_, std::vector<int>{c.command});
        }
    }
    EXPECT_EQ(Views().size(), 2u) << "Ctrl+N opened a drawing";
    // The menus show the keys.
    EXPECT_EQ(window_.CommandAction(370)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Z)}));
}

// Space and letters typed into a field of a bar stay in the field.
TEST_F(WindowCommands, AFieldOfABarKeepsItsKeys)
{
    auto* bar = window_.addToolBar(QStringLiteral("Field"));
    auto* field = new QLineEdit;
    bar->addWidget(field);
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("a I b"));
    QTest::keySequence(field, QKeySequence(QStringLiteral("Ctrl+C"), QKeySequence::PortableText));
    QApplication::processEvents();
    EXPECT_EQ(field->text(), QStringLiteral("a I b"));
    EXPECT_TRUE(ran_.empty());
    EXPECT_TRUE(window_.statusBar()->currentMessage().isEmpty());
}

TEST_F(WindowCommands, CascadeAndTileLeaveEveryDrawingAUsableWindow)
{
    struct Case {
        int drawings;
        int command;
    };
    const Case cases[] = {{1, 57650}, {1, 57651}, {3, 57650}, {3, 57651}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.drawings << " drawings, command " << c.command);
        while (static_cast<int>(Views().size()) < c.drawings)
            Choose(kNewCommand);
        while (static_cast<int>(Views().size()) > c.drawings)
            window_.Documents()->subWindowList().back()->close();
        window_.Documents()->subWindowList().front()->showMaximized();
        QApplication::processEvents();
        Choose(c.command);
        QApplication::processEvents();
        for (app::DocumentView* view : Views()) {
            EXPECT_GE(view->width(), app::MainWindow::kMinimumViewWidth);
            EXPECT_GE(view->height(), app::MainWindow::kMinimumViewHeight);
        }
        // Activating a drawing keeps the arrangement.
        window_.Documents()->setActiveSubWindow(window_.Documents()->subWindowList().back());
        QApplication::processEvents();
        for (QMdiSubWindow* child : window_.Documents()->subWindowList())
            EXPECT_FALSE(child->isMaximized());
    }
}

TEST_F(WindowCommands, ArrangeIconsLinesTheMinimisedDrawingsUpAlongTheBottom)
{
    Choose(kNewCommand);
    Choose(kNewCommand);
    Choose(57651);
    const QList<QMdiSubWindow*> children = window_.Documents()->subWindowList();
    children[0]->showMinimized();
    children[2]->showMinimized();
    children[0]->move(40, 40);
    children[2]->move(40, 40);
    Choose(57649);
    const int bottom = window_.Documents()->viewport()->height();
    EXPECT_EQ(children[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(children[2]->geometry().bottom() + 1, bottom);
    EXPECT_FALSE(children[0]->geometry().intersects(children[2]->geometry()));
}

TEST_F(WindowCommands, SaveAsGivesTheDrawingItsNewNameAndLeavesTheOldFile)
{
    Section& section = *Doc().GetCurrentSection();
    section.AddLine3(0, 0, 40, 0, true, 1);
    chooser_.save = env_.dir().file(QStringLiteral("first.n"));
    Choose(57603);
    QFile first(chooser_.save);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray firstBytes = first.readAll();
    first.close();

    section.AddLine3(0, 0, 0, 30, true, 1);
    const auto drawn = LinesOf(Doc());
    chooser_.save = env_.dir().file(QStringLiteral("second.n"));
    Choose(57604);
    EXPECT_EQ(view_->windowTitle(), QStringLiteral("second.n"));
    EXPECT_EQ(window_.Documents()->activeSubWindow()->windowTitle(), QStringLiteral("second.n"));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Doc().GetTempFileName(), docpath::AutosaveName(chooser_.save)) << "the autosave copy follows";
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), firstBytes) << "the old file is untouched";

    QMdiSubWindow* reopened = window_.OpenDocument(chooser_.save);
    ASSERT_NE(reopened, nullptr);
    auto* view = qobject_cast<app::DocumentView*>(reopened->widget());
    const auto lines = LinesOf(view->Document());
    ASSERT_EQ(lines.size(), drawn.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_NEAR(lines[i].first.x, drawn[i].first.x, 1e-6);
        EXPECT_NEAR(lines[i].first.y, drawn[i].first.y, 1e-6);
        EXPECT_NEAR(lines[i].second.x, drawn[i].second.x, 1e-6);
        EXPECT_NEAR(lines[i].second.y, drawn[i].second.y, 1e-6);
    }
    reopened->close();

    // A save that fails keeps the name and says why.
    window_.Documents()->setActiveSubWindow(window_.Documents()->subWindowList().front());
    section.AddLine3(10, 10, 20, 20, true, 1);
    Doc().SetModifiedFlag(true);
    chooser_.save = env_.dir().file(QStringLiteral("first.n/third.n")); // below a file
    Choose(57604);
    EXPECT_EQ(view_->windowTitle(), QStringLiteral("second.n"));
    EXPECT_TRUE(Doc().GetPathName().endsWith(QStringLiteral("second.n")));
    EXPECT_TRUE(Doc().IsModified());
    ASSERT_FALSE(prompt_.texts().isEmpty());
    EXPECT_TRUE(prompt_.texts().back().contains(QStringLiteral("third.n"))) << prompt_.texts().back().toStdString();
    Doc().SetModifiedFlag(false);
}

} // namespace
