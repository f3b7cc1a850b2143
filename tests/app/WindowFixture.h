#pragma once
// The main window offscreen with both menu sets (labels "T<id>"), its bars
// and one new drawing open, in a temporary configuration, the Y axis
// mirrored as the program runs and line type 1 drawn in red. Commands are
// chosen through the window's menu actions, as the user chooses them.
#include "app/DefaultMenu.h"
#include "app/DocumentView.h"
#include "app/MainWindow.h"
#include "display/DrawContext.h"
#include "document/MorvekDoc.h"
#include "element/Line.h"
#include "section/Section.h"
#include "shell/CommandCatalogue.h"
#include "shell/ToolbarButtons.h"

#include "common/DisplayTestSupport.h"
#include "common/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace apptest {

// The menu action of the command, searched through every popup.
inline QAction* FindCommand(const QList<QAction*>& actions, int command)
{
    for (QAction* action : actions) {
        if (action->data().isValid() && !action->menu() && action->data().toInt() == command)
            return action;
        if (QMenu* menu = action->menu()) {
            if (QAction* found = FindCommand(menu->actions(), command))
                return found;
        }
    }
    return nullptr;
}

// Runs the command as the user would (its menu item, else the window's
// action behind its toolbar button and key); `answer` works the modal dialog
// it opens. False when the command is disabled or opened no such dialog.
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
    QAction* action = FindCommand(window.menuBar()->actions(), command);
    if (!action)
        action = window.CommandAction(command);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    QApplication::processEvents();
    return seen;
}

// The titles of the menu bar's menus, in order.
inline QStringList MenuTitles(const QMenuBar& bar)
{
    QStringList titles;
    for (const QAction* action : bar.actions())
        titles.append(action->text());
    return titles;
}

// The lines of the current section as pairs of end points.
inline std::vector<std::pair<die::coord, die::coord>> LinesOf(CMorvekDoc& doc)
{
    std::vector<std::pair<die::coord, die::coord>> lines;
    const Section& section = *doc.GetCurrentSection();
    for (CElement* e : section) {
        if (auto* line = dynamic_cast<CLine*>(e))
            lines.emplace_back(section.Point(line->GetStartNode()), section.Point(line->GetEndNode()));
    }
    return lines;
}

// A drawing of two rules, (0,0)-(200,0)-(200,100), saved as "box.n" in the
// folder; its path, or the empty text when it could not be written.
inline QString SaveBoxDrawing(const QString& folder)
{
    CMorvekDoc doc;
    (void)doc.GetSection(0)->AddLine3(0, 0, 200, 0, true, 1);
    (void)doc.GetSection(0)->AddLine3(200, 0, 200, 100, true, 1);
    const QString path = folder + QStringLiteral("/box.n");
    const QByteArray bytes = doc.WriteFile();
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

class WindowFixture : public testing::Test {
protected:
    void SetUp() override
    {
        linetypes_.Add(1, LinetypeKind::Standard, -1, -1, 0, 0, 0, 0x0000FF);
        catalogue_.Build();
        const auto label = [](int id) { return QStringLiteral("T%1").arg(id); };
        window_.SetMenus(shell::MenuTree(DefaultMenu()).Build(catalogue_, label));
        window_.SetDocumentMenus(shell::MenuTree(DocumentMenu()).Build(catalogue_, label));
        window_.CreateBars(catalogue_, shell::ToolbarButtons{});
        window_.show();
        QApplication::processEvents();
        Choose(kNewCommand);
        QApplication::processEvents();
        view_ = ActiveView();
        ASSERT_NE(view_, nullptr);
    }
    void TearDown() override { window_.close(); }

    void Choose(int command)
    {
        QAction* action = FindCommand(window_.menuBar()->actions(), command);
        ASSERT_NE(action, nullptr) << command;
        action->trigger();
    }
    app::DocumentView* ActiveView() const
    {
        QMdiSubWindow* child = window_.Documents()->activeSubWindow();
        return child ? qobject_cast<app::DocumentView*>(child->widget()) : nullptr;
    }
    QPoint PixelOf(double x, double y) const
    {
        const platform::DevicePoint p = view_->View().Transform().ToDevicePixel(x, y, DrawContext::GetMirrorFlags());
        return {p.x, p.y};
    }
    CMorvekDoc& Doc() { return view_->Document(); }

    test::ScopedTestEnvironment env_;
    platform::ScopedOverride<int> mirror_ = DrawContext::OverrideMirrorFlags(DrawContext::MirrorY);
    displaytest::LinkedLinetypes linetypes_;
    shell::CommandCatalogue catalogue_;
    app::MainWindow window_;
    app::DocumentView* view_ = nullptr;
};

} // namespace apptest
