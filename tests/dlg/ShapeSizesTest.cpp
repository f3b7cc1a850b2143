// The polygon and rectangle dialogs' values: the rules without a window,
// then the polygon dialog's OK and the rectangle dialog's reopening.
#include "dlg/ShapeDialogs.h"
#include "dlg/ShapeSizes.h"

#include "options/Options.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ShapeSizesTest, EdgeCountAndInteriorAngle)
{
    const struct {
        int typed, edges;
        double angle;
    } cases[] = {{2, 3, 60.0}, {3, 3, 60.0}, {7, 7, 128.572}, {60, 50, 172.8}, {4, 4, 90.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(dlg::ClampEdges(c.typed), c.edges);
        EXPECT_NEAR(dlg::InteriorAngle(c.typed), c.angle, 1e-9);
    }
}

TEST(ShapeSizesTest, TheSideComesFromTheFirstSizeGiven)
{
    const struct {
        const char* name;
        int edges;
        double side, shorter, longer;
        std::optional<double> expected;
    } cases[] = {
        {"side given", 6, 12, 20, 30, 12.0},
        {"hexagon across flats", 6, 0, 20, 0, std::tan(M_PI / 6) * 20},
        {"square across corners", 4, 0, 0, 10, std::sin(M_PI / 4) * 10},
        {"no size", 5, 0, 0, 0, std::nullopt},
        {"negative sizes count as none", 5, -1, -2, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dlg::PolygonValues v;
        v.edges = c.edges;
        v.sideLength = c.side;
        v.shorterDiagonal = c.shorter;
        v.longerDiagonal = c.longer;
        EXPECT_EQ(dlg::HasPolygonSize(v), c.expected.has_value());
        const std::optional<double> side = dlg::PolygonSide(v);
        ASSERT_EQ(side.has_value(), c.expected.has_value());
        if (side) {
            EXPECT_NEAR(*side, *c.expected, 1e-9);
        }
    }
    EXPECT_NEAR(*dlg::PolygonSide({6, 0, 20, 0, 0, false}), 11.547, 0.0005);
    EXPECT_NEAR(*dlg::PolygonSide({4, 0, 0, 10, 0, false}), 7.071, 0.0005);
}

TEST(ShapeSizesTest, PolygonDialogStoresOnlyWithASizeAndKeepsTheTypedSide)
{
    COptions options;
    dlg::CPolygonDlg dialog(options, {}, nullptr);
    EXPECT_EQ(dialog.Angle()->text(), QStringLiteral("60.000"));
    dialog.Edges()->setValue(7);
    EXPECT_EQ(dialog.Angle()->text(), QStringLiteral("128.572"));
    dialog.Side()->setText(QStringLiteral("0"));
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "stays open";
    EXPECT_EQ(options.GetNamedInt("polygon_edges", -1), -1) << "nothing stored";

    dialog.Edges()->setValue(6);
    dialog.ShorterDiagonal()->setText(QStringLiteral("20"));
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.Rotation()->setText(QStringLiteral("15"));
    dialog.Select()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(options.GetNamedInt("polygon_edges", -1), 6);
    EXPECT_NEAR(options.GetNamedDouble("polygon_length", -1), 11.547, 0.0005);
    EXPECT_EQ(options.GetNamedDouble("polygon_rotation", -1), 15.0);
    EXPECT_EQ(options.GetNamedInt("polygon_select", -1), 1);
    EXPECT_EQ(dialog.Values().sideLength, 0.0) << "the field keeps what was typed";
}

TEST(ShapeSizesTest, RectangleDialogReopensWithTheLastOkAndCancelKeepsThem)
{
    COptions options;
    {
        dlg::CRectangleDlg dialog(options);
        EXPECT_EQ(dialog.Values().width, 100.0);
        EXPECT_EQ(dialog.Values().radius, 0.0);
        dialog.Width()->setText(QStringLiteral("40"));
        dialog.Radius()->setText(QStringLiteral("5"));
        dialog.Angle()->setText(QStringLiteral("30"));
        dialog.accept();
    }
    {
        dlg::CRectangleDlg dialog(options);
        EXPECT_EQ(dialog.Width()->text(), QStringLiteral("40.000"));
        EXPECT_EQ(dialog.Radius()->text(), QStringLiteral("5.000"));
        dialog.Width()->setText(QStringLiteral("70"));
        dialog.reject();
    }
    const dlg::RectangleValues stored = dlg::LoadRectangle(options);
    EXPECT_EQ(stored.width, 40.0);
    EXPECT_EQ(stored.height, 100.0);
    EXPECT_EQ(stored.angle, 30.0);
}

TEST(ShapeSizesTest, RectangleOkNeedsAWidthAndAHeightAboveZero)
{
    COptions options;
    dlg::CRectangleDlg dialog(options);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    const struct {
        const char* width;
        const char* height;
        bool ok;
    } cases[] = {{"0", "50", false}, {"-5", "50", false}, {"40", "0", false}, {"40", "-1", false}, {"40", "50", true}};
    for (const auto& c : cases) {
        dialog.Width()->setText(QLatin1String(c.width));
        dialog.Height()->setText(QLatin1String(c.height));
        EXPECT_EQ(dialog.OkButton()->isEnabled(), c.ok) << c.width << " " << c.height;
    }
    dialog.Width()->setText(QStringLiteral("0"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "OK stays open";
    EXPECT_EQ(dlg::LoadRectangle(options).width, 100.0) << "nothing stored";
}

} // namespace
