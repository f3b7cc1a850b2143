// Drawing lines through the real window: File > New, Construct > Basic >
// Line or Line continuous, clicks on nodes draw the lines, Construct > Undo
// removes them one by one, the middle button cancels, and a saved drawing
// opens with the same lines.
#include "app/DefaultMenu.h"
#include "app/DocumentView.h"
#include "app/MainWindow.h"
#include "app/WindowFixture.h"
#include "command/ConstructCommands.h"
#include "command/LineCommands.h"

#include "display/DrawContext.h"
#include "dlg/OneValue.h"
#include "element/Arc.h"
#include "document/MorvekDoc.h"
#include "element/Line.h"
#include "options/LanguageTable.h"
#include "section/Section.h"
#include "shell/CommandCatalogue.h"
#include "shell/ToolbarButtons.h"

#include "common/DisplayTestSupport.h"
#include "common/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using apptest::LinesOf;

class LineCommandWindow : public apptest::WindowFixture {
protected:
    // A free node a step of (dx, dy) pixels from the origin's pixel; its
    // model point.
    die::coord NodeAtPixels(int dx, int dy)
    {
        const double zoom = view_->View().GetZoom();
        const die::coord p{dx / zoom, -dy / zoom};
        EXPECT_GE(Doc().Nodes().AddPoint(p.x, p.y, false), 0);
        EXPECT_EQ(PixelOf(p.x, p.y), PixelOf(0, 0) + QPoint(dx, dy));
        return p;
    }
    void Click(const die::coord& p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(view_, button, Qt::NoModifier, PixelOf(p.x, p.y));
    }
};

TEST_F(LineCommandWindow, TwoClicksDrawOneLineAndUndoRemovesIt)
{
    // A new drawing holds the origin node; one more node to click on.
    const die::coord origin{0, 0};
    const die::coord target = NodeAtPixels(view_->width() / 4, -view_->height() / 4);

    Choose(linecommands::kCmdLine);
    EXPECT_EQ(Doc().commandActive, 1);
    EXPECT_EQ(window_.MessageText()->text(), Translate(linecommands::kTextFirstPoint));
    Click(origin);
    EXPECT_TRUE(LinesOf(Doc()).empty());
    Click(target);
    const auto lines = LinesOf(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].first.x, 0.0);
    EXPECT_EQ(lines[0].first.y, 0.0);
    EXPECT_NEAR(lines[0].second.x, target.x, 0.001);
    EXPECT_NEAR(lines[0].second.y, target.y, 0.001);
    EXPECT_TRUE(Doc().IsModified());

    Choose(370);
    EXPECT_TRUE(LinesOf(Doc()).empty());
    EXPECT_EQ(Doc().commandActive, 0) << "Undo ends the running command";
}

// Undo takes the hovered line away: the cursor record lets go of it, so the
// next paint, wheel or snap never reaches the removed line.
TEST_F(LineCommandWindow, UndoLetsTheCursorGoOfTheLineItTakesAway)
{
    const die::coord target = NodeAtPixels(view_->width() / 4, 0);
    Choose(linecommands::kCmdLine);
    Click({0, 0});
    Click(target);
    QTest::mouseMove(view_, PixelOf(target.x / 2, 0));
    ASSERT_NE(Doc().Cursor().element, nullptr);
    Choose(370);
    ASSERT_TRUE(LinesOf(Doc()).empty());
    EXPECT_EQ(Doc().Cursor().element, nullptr);
    Choose(371);
    ASSERT_EQ(LinesOf(Doc()).size(), 1u);
    EXPECT_EQ(Doc().Cursor().element, Doc().GetCurrentSection()->begin().operator*()) << "Redo hovers it again";
    Choose(370);
    Choose(linecommands::kCmdLine);
    view_->repaint();
}

// Saving during a command ends it first: the save's own undo step does not
// cut into the command's.
TEST_F(LineCommandWindow, SaveEndsTheRunningCommand)
{
    ASSERT_TRUE(Doc().SaveAs(env_.dir().file(QStringLiteral("saved.n"))));
    Choose(linecommands::kCmdLine);
    Click({0, 0});
    ASSERT_EQ(Doc().commandActive, 1);
    ASSERT_TRUE(view_->RunCommand(57603));
    EXPECT_EQ(Doc().commandActive, 0);
    EXPECT_FALSE(Doc().Undo().HasOpenStep());
}

TEST_F(LineCommandWindow, LineContinuousClosesARectangleThatSavesAndUndoesLineByLine)
{
    const int w = view_->width() / 4;
    const int h = view_->height() / 4;
    const die::coord corners[] = {{0, 0}, NodeAtPixels(w, 0), NodeAtPixels(w, -h), NodeAtPixels(0, -h)};

    Choose(linecommands::kCmdLineContinuous);
    for (const die::coord& p : corners)
        Click(p);
    Click(corners[0]);
    ASSERT_EQ(LinesOf(Doc()).size(), 4u);
    Click(corners[1], Qt::MiddleButton);
    EXPECT_EQ(Doc().commandActive, 0) << "the middle button cancels";
    EXPECT_EQ(Doc().Undo().GetUndoCount(), 4) << "one step per line and no empty one";
    EXPECT_FALSE(Doc().Undo().HasOpenStep());

    const CLine* first = nullptr;
    const CLine* last = nullptr;
    for (CElement* e : *Doc().GetCurrentSection()) {
        last = static_cast<CLine*>(e);
        first = first ? first : last;
    }
    EXPECT_EQ(first->GetStartNode(), last->GetEndNode()) << "the rectangle closes on its first node";

    const QString path = env_.dir().file(QStringLiteral("rectangle.n"));
    ASSERT_TRUE(Doc().SaveAs(path));
    const auto drawn = LinesOf(Doc());
    for (int remaining = 3; remaining >= 0; --remaining) {
        Choose(370);
        EXPECT_EQ(LinesOf(Doc()).size(), static_cast<size_t>(remaining));
    }

    QMdiSubWindow* reopened = window_.OpenDocument(path);
    ASSERT_NE(reopened, nullptr);
    auto* view = qobject_cast<app::DocumentView*>(reopened->widget());
    const auto read = LinesOf(view->Document());
    ASSERT_EQ(read.size(), drawn.size());
    for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_NEAR(read[i].first.x, drawn[i].first.x, 0.001);
        EXPECT_NEAR(read[i].first.y, drawn[i].first.y, 0.001);
        EXPECT_NEAR(read[i].second.x, drawn[i].second.x, 0.001);
        EXPECT_NEAR(read[i].second.y, drawn[i].second.y, 0.001);
    }
}

// Construct > Basic > Circle through the window: the radius typed in the
// value dialog, a click on a node for the centre, and the circle is drawn.
TEST_F(LineCommandWindow, CircleTakesTheTypedRadiusAndTheClickedCentre)
{
    struct Radius : dlg::OneValueAsker {
        std::optional<QString> Ask(const dlg::OneValueRequest&) override { return QStringLiteral("12.5"); }
    } radius;
    const auto asker = dlg::InstallOneValueAsker(radius);
    const die::coord centre = NodeAtPixels(view_->width() / 4, -view_->height() / 5);
    Choose(constructcommands::kCmdCircle);
    EXPECT_EQ(window_.MessageText()->text(), Translate(constructcommands::kTextCircle));
    Click(centre);
    std::vector<CArc*> arcs;
    for (CElement* e : *Doc().GetCurrentSection())
        if (auto* arc = dynamic_cast<CArc*>(e))
            arcs.push_back(arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_NEAR(arcs[0]->GetRadius(), 12.5, 1e-9);
    const die::coord c = Doc().GetCurrentSection()->Point(arcs[0]->GetCenterNode());
    EXPECT_NEAR(c.x, centre.x, 0.001);
    EXPECT_NEAR(c.y, centre.y, 0.001);
    EXPECT_EQ(Doc().commandActive, 1) << "further centres draw further circles";
    Click(centre, Qt::MiddleButton);
    EXPECT_EQ(Doc().commandActive, 0);
}

} // namespace
