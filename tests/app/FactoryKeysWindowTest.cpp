// A fresh install draws with the keyboard's factory bindings: the program
// started on the factory files with an empty configuration folder, File >
// New, Construct > Basic > Line, and the free-point key pressed at two
// places of empty space draws one line from the first place to the second.
#include "app/DefaultMenu.h"
#include "app/DocumentView.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowSteps.h"
#include "display/DrawContext.h"
#include "document/MorvekDoc.h"
#include "element/Line.h"
#include "options/Options.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include "common/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kLineCommand = 32797;

TEST(FactoryKeysWindow, TheFreePointKeyDrawsALineOnAFreshProfile)
{
    test::ScopedTestEnvironment env;
    const QString defaults = QStringLiteral(MORVEK_SOURCE_DIR "/Defaults");
    for (const QString& name : QDir(defaults).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(defaults + QLatin1Char('/') + name, env.appFolder() + QStringLiteral("/Defaults/") + name));
    platform::ScriptedPrompt prompt;
    const auto usePrompt = platform::installPrompt(prompt);

    CMorvekXPApp morvek;
    app::MainWindow window;
    app::WindowSteps steps(window, morvek);
    ASSERT_FALSE(morvek.InitInstance(&steps).has_value());
    QApplication::processEvents();
    const COptions* options = morvek.GetOptions();
    ASSERT_NE(options, nullptr);
    const int freePointKey = options->GetKeyBinding(DEF_FREEPOINT).virtualKey;
    ASSERT_TRUE(options->IsFactoryKeyBinding(DEF_FREEPOINT));
    ASSERT_EQ(freePointKey, 113) << "F2";

    emit window.commandChosen(kNewCommand);
    QApplication::processEvents();
    QMdiSubWindow* child = window.Documents()->activeSubWindow();
    ASSERT_NE(child, nullptr);
    auto* view = qobject_cast<app::DocumentView*>(child->widget());
    ASSERT_NE(view, nullptr);
    CMorvekDoc& doc = view->Document();

    emit window.commandChosen(kLineCommand);
    ASSERT_EQ(doc.commandActive, 1);
    // The first prompt names the key that takes a free point.
    EXPECT_TRUE(window.MessageText()->text().endsWith(QStringLiteral(" (F2: free point)")))
        << window.MessageText()->text().toStdString();

    // Two places of empty space, away from the origin node.
    const QPoint places[] = {QPoint(view->width() / 4, view->height() / 3),
                             QPoint(view->width() * 3 / 4, view->height() * 2 / 3)};
    die::coord expected[2];
    for (int i = 0; i < 2; ++i) {
        QTest::mouseMove(view, places[i]);
        ASSERT_EQ(doc.Cursor().node, -1) << "no node under the cursor";
        view->View().Transform().ToModel(places[i].x(), places[i].y(), DrawContext::GetMirrorFlags(), expected[i].x,
                                         expected[i].y);
        QTest::keyClick(view, Qt::Key_F2);
    }

    const Section& section = *doc.GetCurrentSection();
    std::vector<const CLine*> lines;
    for (CElement* e : section) {
        if (auto* line = dynamic_cast<CLine*>(e))
            lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 1u);
    const die::coord start = section.Point(lines[0]->GetStartNode());
    const die::coord end = section.Point(lines[0]->GetEndNode());
    EXPECT_NEAR(start.x, expected[0].x, 1e-9);
    EXPECT_NEAR(start.y, expected[0].y, 1e-9);
    EXPECT_NEAR(end.x, expected[1].x, 1e-9);
    EXPECT_NEAR(end.y, expected[1].y, 1e-9);
    EXPECT_NE(start.x, end.x);

    // The factory cancel key ends the line command.
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_EQ(doc.commandActive, 0);
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.texts().join(QLatin1Char('\n')).toStdString();
}

} // namespace
