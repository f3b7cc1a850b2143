// File > Open shows a drawing in a document window that paints it.
#include "app/DocumentView.h"
#include "app/MainWindow.h"

#include "document/MorvekDoc.h"
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
    const QString path = env.dir().path() + QStringLiteral("/box.n");
    {
        CMorvekDoc doc;
        (void)doc.GetSection(0)->AddLine3(0, 0, 200, 0, true, 1);
        (void)doc.GetSection(0)->AddLine3(200, 0, 200, 100, true, 1);
        ASSERT_TRUE(Write(path, doc.WriteFile()));
    }
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
