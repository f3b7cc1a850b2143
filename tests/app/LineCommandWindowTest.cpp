// Drawing a line through the real window: File > New, Construct > Basic >
// Line, two clicks on nodes draw one line, Construct > Undo removes it.
#include "app/DefaultMenu.h"
#include "app/DocumentView.h"
#include "app/MainWindow.h"
#include "command/LineCommands.h"

#include "display/DrawContext.h"
#include "document/MorvekDoc.h"
#include "element/Line.h"
#include "options/LanguageTable.h"
#include "section/Section.h"
#include "shell/CommandCatalogue.h"
#include "shell/ToolbarButtons.h"

#include "common/DisplayTestSupport.h"
#include "common/TempDir.h"

#include <QAction>
#include <QLabel>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The menu action of the command, searched through every popup.
QAction* FindCommand(const QList<QAction*>& actions, int command)
{
    for (QAction* action : actions) {
        if (action->data().isValid() && action->data().toInt() == command)
            return action;
        if (QMenu* menu = action->menu()) {
            if (QAction* found = FindCommand(menu->actions(), command))
                return found;
        }
    }
    return nullptr;
}

int LineCount(const Section& section)
{
    int n = 0;
    for (CElement* e : section)
        n += dynamic_cast<CLine*>(e) ? 1 : 0;
    return n;
}

TEST(LineCommandWindow, TwoClicksDrawOneLineAndUndoRemovesIt)
{
    test::ScopedTestEnvironment env;
    platform::ScopedOverride<int> mirror = DrawContext::OverrideMirrorFlags(DrawContext::MirrorY);
    displaytest::LinkedLinetypes linetypes;
    linetypes.Add(1, LinetypeKind::Standard, -1, -1, 0, 0, 0, 0x0000FF);
    shell::CommandCatalogue catalogue;
    catalogue.Build();
    const auto label = [](int id) { return QStringLiteral("T%1").arg(id); };
    app::MainWindow window;
    window.SetMenus(shell::MenuTree(DefaultMenu()).Build(catalogue, label));
    window.SetDocumentMenus(shell::MenuTree(DocumentMenu()).Build(catalogue, label));
    window.CreateBars(catalogue, shell::ToolbarButtons{});
    window.show();
    QApplication::processEvents();

    QAction* fileNew = FindCommand(window.menuBar()->actions(), kNewCommand);
    ASSERT_NE(fileNew, nullptr);
    fileNew->trigger();
    QApplication::processEvents();
    QMdiSubWindow* child = window.Documents()->activeSubWindow();
    ASSERT_NE(child, nullptr);
    auto* view = qobject_cast<app::DocumentView*>(child->widget());
    ASSERT_NE(view, nullptr);
    CMorvekDoc& doc = view->Document();
    const auto pixelOf = [view](double x, double y) {
        const platform::DevicePoint p = view->View().Transform().ToDevicePixel(x, y, DrawContext::GetMirrorFlags());
        return QPoint(p.x, p.y);
    };
    // A new drawing holds the origin node; a second node to click on lies
    // a quarter of the window away.
    const QPoint origin = pixelOf(0, 0);
    const QPoint target = origin + QPoint(view->width() / 4, -view->height() / 4);
    const double zoom = view->View().GetZoom();
    const double tx = (target.x() - origin.x()) / zoom;
    const double ty = (origin.y() - target.y()) / zoom;
    ASSERT_GE(doc.Nodes().AddPoint(tx, ty, false), 0);
    ASSERT_EQ(pixelOf(tx, ty), target);

    QAction* line = FindCommand(window.menuBar()->actions(), 32797);
    ASSERT_NE(line, nullptr);
    line->trigger();
    EXPECT_EQ(doc.commandActive, 1);
    EXPECT_EQ(window.MessageText()->text(), Translate(linecommands::kTextFirstPoint));
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, origin);
    EXPECT_EQ(LineCount(*doc.GetCurrentSection()), 0);
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, target);
    ASSERT_EQ(LineCount(*doc.GetCurrentSection()), 1);
    auto* drawn = static_cast<CLine*>(*doc.GetCurrentSection()->begin());
    const die::coord start = doc.GetCurrentSection()->Point(drawn->GetStartNode());
    const die::coord end = doc.GetCurrentSection()->Point(drawn->GetEndNode());
    EXPECT_EQ(start.x, 0.0);
    EXPECT_EQ(start.y, 0.0);
    EXPECT_NEAR(end.x, tx, 0.001);
    EXPECT_NEAR(end.y, ty, 0.001);
    EXPECT_TRUE(doc.IsModified());

    QAction* undo = FindCommand(window.menuBar()->actions(), 370);
    ASSERT_NE(undo, nullptr);
    undo->trigger();
    EXPECT_EQ(LineCount(*doc.GetCurrentSection()), 0);
    EXPECT_EQ(doc.commandActive, 0) << "Undo ends the running command";
    window.close();
}

} // namespace
