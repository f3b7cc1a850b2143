// Popup menus take their item sizes from the menu metrics and their colours
// from the palette shifted by the menu colour rules.
#include "gui/MenuStyle.h"

#include "shell/MenuColours.h"
#include "shell/MenuItemMetrics.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

QColor Shifted(const QColor& c, int lightness)
{
    const shell::Colour rgb = shell::HLSTransform(
        static_cast<shell::Colour>(c.red() | c.green() << 8 | c.blue() << 16), lightness, 0);
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>(rgb >> 8 & 0xFF), static_cast<int>(rgb >> 16 & 0xFF));
}

TEST(MenuStyle, SizesEveryItemOfAPopupByTheMenuMetrics)
{
    gui::MenuStyle style;
    QMenu menu;
    menu.setStyle(&style);
    QAction* open = menu.addAction(QStringLiteral("&Open"));
    open->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+O")));
    QAction* separator = menu.addSeparator();
    QAction* longer = menu.addAction(QStringLiteral("Save &As Something Long"));
    menu.ensurePolished();
    menu.adjustSize();

    const QFontMetrics fm(menu.font());
    auto metrics = shell::MenuItemMetrics::ForFontHeight(fm.height());
    metrics.Measure(fm.horizontalAdvance(QStringLiteral("Open")), 0);
    metrics.Measure(fm.horizontalAdvance(QStringLiteral("Save As Something Long")),
                    fm.horizontalAdvance(open->shortcut().toString(QKeySequence::NativeText)));

    EXPECT_EQ(menu.actionGeometry(open).height(), metrics.itemHeight);
    EXPECT_EQ(menu.actionGeometry(separator).height(), metrics.separatorHeight);
    EXPECT_EQ(menu.actionGeometry(open).width(), menu.actionGeometry(longer).width());
    // The shortcut column may be measured a few pixels wider by the menu.
    EXPECT_NEAR(menu.actionGeometry(longer).width(), metrics.ItemWidth(), 8);
}

TEST(MenuStyle, TheWidestLabelKeepsAGapBeforeItsKey)
{
    gui::MenuStyle style;
    QMenu menu;
    menu.setStyle(&style);
    QAction* undo = menu.addAction(QStringLiteral("Nothing to undo"));
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    menu.addAction(QStringLiteral("Redo"));
    menu.ensurePolished();
    menu.adjustSize();

    // The label starts after the picture column and the key ends at the right
    // margin: what is left between them must be a visible gap.
    const QFontMetrics fm(menu.font());
    const int label = fm.horizontalAdvance(QStringLiteral("Nothing to undo"));
    const int key = fm.horizontalAdvance(undo->shortcut().toString(QKeySequence::NativeText));
    EXPECT_GE(menu.actionGeometry(undo).width() - 30 - 12 - label - key, 10);
}

TEST(MenuStyle, PaintsThePictureColumnAndTheItemsFromThePalette)
{
    gui::MenuStyle style;
    QMenu menu;
    menu.setStyle(&style);
    QAction* item = menu.addAction(QStringLiteral("Line"));
    menu.adjustSize();
    QImage image(menu.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    menu.render(&image);

    const QColor face = menu.palette().color(QPalette::Button);
    const QRect r = menu.actionGeometry(item);
    EXPECT_EQ(image.pixelColor(r.left() + 10, r.bottom() - 1).rgb(), Shifted(face, 20).rgb()) << "the picture column";
    EXPECT_EQ(image.pixelColor(r.right() - 2, r.bottom() - 1).rgb(), Shifted(face, 75).rgb()) << "the item";
    EXPECT_EQ(image.pixelColor(0, 0).rgb(), menu.palette().color(QPalette::Shadow).rgb()) << "the outer frame line";
}

} // namespace
