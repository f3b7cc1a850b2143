#include "view/ViewCore.h"

#include "display/DrawContext.h"
#include "options/Options.h"
#include "section/Section.h"

#include "common/TempDir.h"
#include "view/ViewTestSupport.h"

#include <gtest/gtest.h>

namespace {

using platform::DevicePoint;
using platform::RecordedCall;
using namespace viewtest;

class ViewCoreTest : public testing::Test {
protected:
    test::ScopedTestEnvironment env_;
    platform::ScopedOverride<int> mirror_ = DrawContext::OverrideMirrorFlags(DrawContext::MirrorY);
    ViewLinetypes linetypes_;
    COptions options_;
    CMorvekDoc doc_;
    ViewCore view_{&options_};
    platform::RecordingDevice drawing_{1000, 800};
    platform::RecordingDevice overlay_{1000, 800};
};

TEST_F(ViewCoreTest, NewDocumentShowsTheOriginInTheLowerLeftCorner)
{
    view_.OnInitialUpdate(&doc_, 825, 425);
    EXPECT_EQ(view_.GetOrigin(), (DevicePoint{0, 0}));
    view_.Paint(drawing_, overlay_, 825, 425);
    EXPECT_EQ(view_.GetZoom(), 1.0);
    EXPECT_EQ(view_.GetOrigin(), (DevicePoint{0, 425}));
    // The background fills the whole buffer, the overlay gets a copy of it.
    ASSERT_FALSE(drawing_.calls().empty());
    EXPECT_EQ(drawing_.calls()[0].kind, RecordedCall::Kind::Rectangle);
    const auto blits = overlay_.callsOf(RecordedCall::Kind::Blit);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].source, &drawing_);
}

TEST_F(ViewCoreTest, PaintFitsADrawingAndDrawsItsLines)
{
    (void)doc_.GetSection(0)->AddLine3(0, 0, 200, 100, true, 1);
    view_.OnInitialUpdate(&doc_, 825, 425);
    view_.Paint(drawing_, overlay_, 825, 425);
    EXPECT_GT(view_.GetZoom(), 1.0);
    bool drawn = false;
    for (const auto& line : drawing_.lines())
        drawn = drawn || (line.pen.colour == kLineColour);
    EXPECT_TRUE(drawn);
}

TEST_F(ViewCoreTest, BridgesAndSpecialLineTypesExcludeEachOther)
{
    EXPECT_EQ(view_.DisplayMode(), 2);
    view_.OnViewBridges();
    EXPECT_EQ(view_.DisplayMode(), 1);
    EXPECT_FALSE(view_.ShowsSpecialLineTypes());
    view_.OnViewBridges();
    EXPECT_EQ(view_.DisplayMode(), 0);
    view_.OnViewSpecialLineTypes();
    EXPECT_EQ(view_.DisplayMode(), 2);
}

TEST_F(ViewCoreTest, SavedZoomLoadsBackAndNothingSavedChangesNothing)
{
    view_.OnInitialUpdate(&doc_, 825, 425);
    view_.SetZoom(3.0, 800, 400);
    const DevicePoint origin = view_.GetOrigin();
    view_.OnViewLoadZoom(); // nothing saved yet
    EXPECT_EQ(view_.GetZoom(), 3.0);
    view_.OnViewSaveZoom(options_);
    view_.OnViewOriginalZoom();
    EXPECT_EQ(view_.GetZoom(), 1.0);
    EXPECT_EQ(view_.GetOrigin(), origin);
    view_.OnViewCenter(825, 425);
    view_.OnViewLoadZoom();
    EXPECT_EQ(view_.GetZoom(), 3.0);
    EXPECT_EQ(view_.GetOrigin(), origin);
}

TEST_F(ViewCoreTest, CursorTrackingFillsTheDocumentsCursorRecord)
{
    CElement* line = doc_.GetSection(0)->AddLine3(0, 0, 100, 0, true, 1).Get();
    view_.OnInitialUpdate(&doc_, 825, 425);
    view_.Paint(drawing_, overlay_, 825, 425);
    double px = 0, py = 0;
    view_.Transform().ToPixel(50, 0, DrawContext::MirrorY, px, py);
    view_.TrackCursor({int(px), int(py) - 3});
    EXPECT_EQ(doc_.Cursor().element, line);
    EXPECT_EQ(doc_.Cursor().elementInstance, 0);
    EXPECT_EQ(doc_.Cursor().node, -1);
    view_.Transform().ToPixel(100, 0, DrawContext::MirrorY, px, py);
    view_.TrackCursor({int(px) + 2, int(py)});
    EXPECT_GE(doc_.Cursor().node, 0);
}

} // namespace
