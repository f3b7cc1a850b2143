// The options select rule pens through the application's line-type table.
#include "app/LinetypePenAdapter.h"
#include "platform/RecordingDevice.h"
#include "options/Options.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

TEST(OptionsDrawing, SelectsTheLineTypePenOrTheNullPen)
{
    test::ScopedTestEnvironment env;
    COptions options;
    platform::RecordingDevice dc;

    options.SelectLineTypePen(dc, 1);
    EXPECT_EQ(dc.pen().style, platform::PenStyle::Null) << "no table installed";

    LinetypeTable table;
    table.AddLinetype(3, 1, 2, platform::rgb(0, 0, 255));
    LinetypePenAdapter pens(table);
    options.SetLineTypePens(&pens);

    options.SelectLineTypePen(dc, 3);
    EXPECT_EQ(dc.pen().colour, platform::rgb(0, 0, 255));
    EXPECT_NE(dc.pen().style, platform::PenStyle::Null);

    options.SelectLineTypePen(dc, 77);
    EXPECT_EQ(dc.pen().style, platform::PenStyle::Null) << "unknown line type";
}

TEST(OptionsDrawing, PaintBackgroundFillsAndRestores)
{
    test::ScopedTestEnvironment env;
    COptions options;
    EXPECT_EQ(options.PaintBackground(nullptr, 0, 0, 10, 10), 0);

    platform::RecordingDevice dc;
    const platform::Pen pen = dc.pen();
    const platform::Brush brush = dc.brush();
    const int colour = options.PaintBackground(&dc, 0, 0, 10, 10);
    EXPECT_EQ(colour, options.GetBackgroundColour());
    const auto rects = dc.callsOf(platform::RecordedCall::Kind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].brush.style, platform::BrushStyle::Solid);
    EXPECT_EQ(rects[0].brush.colour, static_cast<platform::ColorRef>(colour));
    EXPECT_EQ(rects[0].pen.width, 1);
    EXPECT_EQ(dc.pen(), pen);
    EXPECT_EQ(dc.brush(), brush);
}
