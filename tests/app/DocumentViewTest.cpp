// File > Open shows a drawing in a document window that paints it.
#include "app/DocumentView.h"
#include "shell/CommandTable.h"
#include "app/MainWindow.h"
#include "app/WindowFixture.h"

#include "display/DrawContext.h"
#include "document/MorvekDoc.h"
#include "gui/QtDevice.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include "common/DisplayTestSupport.h"
#include "common/TempDir.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace {

constexpr platform::ColorRef kRed = 0x0000FF; // 0x00BBGGRR

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int RedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(255, 0, 0);
    return count;
}

} // namespace

TEST(DocumentView, OpenedDrawingIsPaintedInItsWindow)
{
    test::ScopedTestEnvironment env;
    displaytest::LinkedLinetypes linetypes;
    linetypes.Add(1, LinetypeKind::Standard, -1, -1, 0, 0, 0, kRed);
    const QString path = apptest::SaveBoxDrawing(env.dir().path());
    ASSERT_FALSE(path.isEmpty());
    app::MainWindow window;
    window.resize(800, 600);
    window.show();
    QMdiSubWindow* child = window.OpenDocument(path);
    ASSERT_NE(child, nullptr);
    auto* view = qobject_cast<app::DocumentView*>(child->widget());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), QStringLiteral("box.n"));
    QApplication::processEvents();
    const QImage picture = view->grab().toImage();
    // Both lines, fitted into the window: far more than a few pixels.
    EXPECT_GT(RedPixels(picture), 200);

    // The zoom commands reach the active view.
    const double fitted = view->View().GetZoom();
    EXPECT_NE(fitted, 1.0);
    emit window.commandChosen(257);
    EXPECT_EQ(view->View().GetZoom(), 1.0);
    emit window.commandChosen(32771);
    EXPECT_DOUBLE_EQ(view->View().GetZoom(), fitted);
    EXPECT_FALSE(view->RunCommand(1));

    // Fitted, the drawing follows the window's size (the property bar opening
    // beside it narrows the window); a zoom the user chose stays.
    window.resize(400, 600);
    QApplication::processEvents();
    const double narrower = view->View().GetZoom();
    EXPECT_LT(narrower, fitted);
    emit window.commandChosen(257);
    window.resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(view->View().GetZoom(), 1.0);
    window.Documents()->closeAllSubWindows();
}

TEST(DocumentView, UnreadableFileOpensNoWindowAndSaysSo)
{
    test::ScopedTestEnvironment env;
    const QString path = env.dir().path() + QStringLiteral("/broken.n");
    ASSERT_TRUE(Write(path, QByteArray("not a drawing")));
    platform::ScriptedPrompt prompt;
    auto installed = platform::installPrompt(prompt);
    app::MainWindow window;
    EXPECT_EQ(window.OpenDocument(path), nullptr);
    EXPECT_TRUE(window.Documents()->subWindowList().isEmpty());
    EXPECT_FALSE(prompt.texts().isEmpty());
}

// The buffers are the window's size, and the display switches reach the
// active view from the menu commands with their check marks.
TEST(DocumentView, BuffersFollowTheWindowAndTheDisplaySwitchesTheView)
{
    test::ScopedTestEnvironment env;
    displaytest::LinkedLinetypes linetypes;
    linetypes.Add(1, LinetypeKind::Standard, -1, -1, 0, 0, 0, kRed);
    const auto mirror = DrawContext::OverrideMirrorFlags(DrawContext::MirrorY);
    app::MainWindow window;
    window.resize(800, 600);
    window.show();
    QMdiSubWindow* child = window.NewDocument();
    ASSERT_NE(child, nullptr);
    auto* view = qobject_cast<app::DocumentView*>(child->widget());
    ASSERT_NE(view, nullptr);
    (void)view->Document().GetSection(0)->AddLine3(0, 0, 200, 100, true, 1);
    (void)view->grab();
    ASSERT_NE(view->DrawingBuffer(), nullptr);
    EXPECT_EQ(view->DrawingBuffer()->width(), view->width());
    EXPECT_EQ(view->DrawingBuffer()->height(), view->height());
    child->resize(300, 200);
    QApplication::processEvents();
    (void)view->grab();
    EXPECT_EQ(view->DrawingBuffer()->width(), view->width());
    EXPECT_EQ(view->DrawingBuffer()->height(), view->height());

    struct Case {
        int command;
        bool checkedAfter;
        int modeAfter;
    };
    // Nodes on; bridges on (mode 1, special line types off); special line
    // types on again (mode 2, bridges off); special line types off (mode 0).
    const Case cases[] = {{449, true, 2}, {32777, true, 1}, {299, true, 2}, {299, false, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(shell::FindCommand(c.command)->run, shell::CommandRun::Toggle);
        emit window.commandChosen(c.command);
        EXPECT_EQ(view->IsChecked(c.command), c.checkedAfter) << c.command;
        EXPECT_EQ(view->View().DisplayMode(), c.modeAfter) << c.command;
    }
    EXPECT_FALSE(view->IsChecked(32777));
    emit window.commandChosen(32794);
    EXPECT_TRUE(view->IsChecked(32794));
    EXPECT_EQ(DrawContext::GetMirrorFlags(), DrawContext::MirrorX | DrawContext::MirrorY);
    emit window.commandChosen(32794);
    EXPECT_FALSE(view->IsChecked(32794));
    // Unload without a picture changes nothing.
    emit window.commandChosen(32962);
    EXPECT_EQ(view->View().BackgroundPicture(), nullptr);
    window.Documents()->closeAllSubWindows();
}
