// Proves that widget tests run headless: the main window opens on the
// offscreen platform and closes cleanly.
#include "app/MainWindow.h"

#include <QApplication>
#include <gtest/gtest.h>

TEST(MainWindow, OpensAndClosesWithoutADisplay)
{
    app::MainWindow window;
    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("MorvekXP")));
    window.close();
    QApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}
