// A fillet through the real window: Manipulation > Fillet, the radius typed
// in the value dialog, two clicks on the lines of a corner; Undo takes the
// fillet back as one step.
#include "app/DefaultMenu.h"
#include "app/DocumentView.h"
#include "app/MainWindow.h"
#include "app/WindowFixture.h"
#include "command/ManipulationCommands.h"

#include "display/DrawContext.h"
#include "dlg/OneValue.h"
#include "document/MorvekDoc.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "section/Section.h"
#include "shell/CommandCatalogue.h"
#include "shell/ToolbarButtons.h"

#include "common/DisplayTestSupport.h"
#include "common/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct TypedRadius : dlg::OneValueAsker {
    QString radius;
    std::optional<QString> Ask(const dlg::OneValueRequest&) override { return radius; }
};

class FilletWindow : public apptest::WindowFixture {
protected:
    void Click(const die::coord& p)
    {
        QTest::mouseMove(view_, PixelOf(p.x, p.y));
        QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, PixelOf(p.x, p.y));
    }
};

TEST_F(FilletWindow, TwoClicksRoundACornerAndUndoTakesItBack)
{
    // A corner at the origin whose legs reach a quarter of the view.
    const double zoom = view_->View().GetZoom();
    const double a = view_->width() / 4 / zoom;
    const double b = view_->height() / 4 / zoom;
    Section& section = *Doc().GetCurrentSection();
    section.AddLine3(0, 0, a, 0, true, 1);
    section.AddLine3(0, 0, 0, b, true, 1);
    const double r = std::min(a, b) / 4;

    TypedRadius typed;
    typed.radius = QString::number(r, 'f', 4);
    auto asker = dlg::InstallOneValueAsker(typed);
    Choose(manipcommands::kCmdFillet);
    EXPECT_EQ(Doc().commandActive, 1);
    Click({a / 2, 0});
    Click({0, b / 2});

    int arcs = 0;
    double shortest = 1e9;
    for (CElement* e : section) {
        if (e->GetTypeId() == ElementTypeId::Arc)
            ++arcs;
        if (auto* line = dynamic_cast<CLine*>(e)) {
            const die::coord s = section.Point(line->GetStartNode());
            const die::coord t = section.Point(line->GetEndNode());
            shortest = std::min({shortest, std::hypot(s.x, s.y), std::hypot(t.x, t.y)});
        }
    }
    EXPECT_EQ(arcs, 1);
    EXPECT_NEAR(shortest, r, 0.001) << "both lines now start where the arc touches them";
    EXPECT_NEAR(Doc().Remembered().filletRadius, r, 0.0001);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().commandActive, 1) << "the next two lines are asked with the same radius";

    Choose(370);
    EXPECT_EQ(Doc().commandActive, 0);
    int count = 0;
    for (CElement* e : section) {
        EXPECT_EQ(e->GetTypeId(), ElementTypeId::Line);
        ++count;
    }
    EXPECT_EQ(count, 2);
}

} // namespace
