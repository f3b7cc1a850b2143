#include "view/ViewCore.h"

#include "display/DrawContext.h"
#include "element/Element.h"
#include "options/Options.h"
#include "section/Section.h"

#include "common/TempDir.h"
#include "view/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

// Under every axis mirror the view picks an element where it drew it: the
// pixel in the middle of the drawn line gives that line.
TEST_F(ViewCoreTest, DrawnLinesArePickedWhereTheyShowUnderEveryMirror)
{
    using DC = DrawContext;
    CElement* line = doc_.GetSection(0)->AddLine3(0, 0, 200, 100, true, 1).Get();
    (void)doc_.GetSection(0)->AddLine3(0, 100, 200, 100, true, 1);
    for (const int flags : {0, int(DC::MirrorX), int(DC::MirrorY), DC::MirrorX | DC::MirrorY}) {
        const auto mirror = DC::OverrideMirrorFlags(flags);
        view_.OnInitialUpdate(&doc_, 825, 425);
        drawing_.clear();
        view_.Paint(drawing_, overlay_, 825, 425);
        std::vector<platform::RecordedLine> drawn;
        for (const platform::RecordedLine& l : drawing_.lines())
            if (l.pen.colour == kLineColour)
                drawn.push_back(l);
        ASSERT_EQ(drawn.size(), 2u) << flags;
        const DevicePoint middle{(drawn[0].from.x + drawn[0].to.x) / 2, (drawn[0].from.y + drawn[0].to.y) / 2};
        view_.TrackCursor(middle);
        EXPECT_EQ(doc_.Cursor().element, line) << flags;
        // The cursor's model point is the transform's.
        EXPECT_NEAR(doc_.Cursor().modelX, 100.0, 1.0) << flags;
        EXPECT_NEAR(doc_.Cursor().modelY, 50.0, 1.0) << flags;
    }
}

TEST_F(ViewCoreTest, MirrorTurnsTheXAxisOfEveryViewAndTwiceRestoresIt)
{
    (void)doc_.GetSection(0)->AddLine3(0, 0, 200, 100, true, 1);
    view_.OnInitialUpdate(&doc_, 825, 425);
    ViewCore other{&options_};
    EXPECT_FALSE(ViewCore::IsMirrored());
    view_.OnViewMirror(825, 425);
    EXPECT_TRUE(ViewCore::IsMirrored());
    EXPECT_EQ(DrawContext::GetMirrorFlags(), DrawContext::MirrorX | DrawContext::MirrorY);
    // Fitted again: the drawing's centre stays at the client centre.
    double px = 0, py = 0;
    view_.Transform().ToPixel(100, 50, DrawContext::GetMirrorFlags(), px, py);
    EXPECT_NEAR(px, 412, 1.0);
    EXPECT_NEAR(py, 212, 1.0);
    view_.Transform().ToPixel(0, 50, DrawContext::GetMirrorFlags(), px, py);
    EXPECT_GT(px, 412); // the left end now lies right
    view_.OnViewMirror(825, 425);
    EXPECT_FALSE(ViewCore::IsMirrored());
    EXPECT_EQ(DrawContext::GetMirrorFlags(), DrawContext::MirrorY);
}

// A picture of 40 by 20 pixels at zoom 2.5: 100 by 50 device units whose
// lower-left corner sits on the origin, under everything else.
struct TestPicture : platform::Picture {
    int width() const override { return 40; }
    int height() const override { return 20; }
};

TEST_F(ViewCoreTest, PaintOrderFromBackgroundToTheCursorMarks)
{
    (void)doc_.GetSection(0)->AddLine3(0, 0, 200, 100, true, 1);
    view_.OnInitialUpdate(&doc_, 825, 425);
    view_.Paint(drawing_, overlay_, 825, 425); // the first paint fits
    view_.SetZoom(2.5, 825, 425);
    auto picture = std::make_unique<TestPicture>();
    const platform::Picture* shown = picture.get();
    view_.SetBackgroundPicture(std::move(picture));
    view_.OnViewNodes();
    view_.SetRubberLine(true, 0, 0, 50000, 0);
    double px = 0, py = 0;
    view_.Transform().ToPixel(200, 100, DrawContext::MirrorY, px, py);
    view_.TrackCursor({int(px), int(py) + 1}); // on the line's end node
    ASSERT_NE(doc_.Cursor().element, nullptr);
    ASSERT_GE(doc_.Cursor().node, 0);
    drawing_.clear();
    overlay_.clear();
    view_.Paint(drawing_, overlay_, 825, 425);

    // The drawing: background, picture, origin cross, the line, node markers.
    const auto& calls = drawing_.calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0].kind, RecordedCall::Kind::Rectangle);
    EXPECT_EQ(calls[1].kind, RecordedCall::Kind::Picture);
    EXPECT_EQ(calls[1].picture, shown);
    const DevicePoint origin = view_.GetOrigin();
    EXPECT_EQ(calls[1].points[0], (DevicePoint{origin.x, origin.y - 50}));
    EXPECT_EQ(calls[1].width, 100);
    EXPECT_EQ(calls[1].height, 50);
    std::vector<platform::ColorRef> pens;
    for (std::size_t i = 2; i < calls.size(); ++i)
        if (pens.empty() || pens.back() != calls[i].pen.colour)
            pens.push_back(calls[i].pen.colour);
    EXPECT_EQ(pens, (std::vector<platform::ColorRef>{kCrosshair, kLineColour, kContrast}));

    // The overlay: the copy, the measure line, the highlighted line, the node
    // under the cursor.
    const auto& marks = overlay_.calls();
    ASSERT_FALSE(marks.empty());
    EXPECT_EQ(marks[0].kind, RecordedCall::Kind::Blit);
    pens.clear();
    for (std::size_t i = 1; i < marks.size(); ++i)
        if (pens.empty() || pens.back() != marks[i].pen.colour)
            pens.push_back(marks[i].pen.colour);
    EXPECT_EQ(pens, (std::vector<platform::ColorRef>{kMeasure, kHighlight, kContrast}));

    // View > Unload: no picture from the next paint on.
    view_.OnViewUnload();
    drawing_.clear();
    view_.Paint(drawing_, overlay_, 825, 425);
    EXPECT_TRUE(drawing_.callsOf(RecordedCall::Kind::Picture).empty());
}

// After a mouse move the drawn die is kept while nothing it shows changed:
// the drawing device gets no call, the overlay a copy and its marks. Every
// change of the die or of how it is shown paints it again.
TEST_F(ViewCoreTest, AMoveKeepsTheDrawingUntilWhatItShowsChanges)
{
    Section& section = *doc_.GetSection(0);
    CElement* line = section.AddLine3(0, 0, 200, 100, true, 1).Get();
    (void)section.AddLine3(0, 100, 200, 0, true, 1);
    view_.OnInitialUpdate(&doc_, 1000, 800);
    view_.PaintOverlay(drawing_, overlay_, 1000, 800); // the first paint draws
    EXPECT_FALSE(view_.KeptDrawing());

    const struct {
        const char* change;
        std::function<void()> apply;
    } cases[] = {
        {"nothing", [] {}},
        {"a rubber line", [&] { view_.SetRubberLine(true, 0, 0, 50000, 50000); }},
        {"a selection", [&] { line->SetSelection(1); }},
        {"a new line", [&] { (void)section.AddLine3(10, 10, 20, 90, true, 1); }},
        {"a removed line", [&] { section.DeleteElement(line); }},
        {"a pan", [&] { view_.SetOrigin({view_.GetOrigin().x + 5, view_.GetOrigin().y}); }},
        {"a zoom", [&] { view_.SetZoom(view_.GetZoom() * 2, 1000, 800); }},
        {"the bridges switch", [&] { view_.OnViewBridges(); }},
        {"a placement", [&] { section.NewInstance(300.0, 0.0, 0.0); }},
        {"the layer hidden", [&] { section.SetVisible(false); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        c.apply();
        drawing_.clear();
        overlay_.clear();
        view_.PaintOverlay(drawing_, overlay_, 1000, 800);
        const bool kept = std::string(c.change) == "nothing" || std::string(c.change) == "a rubber line";
        EXPECT_EQ(view_.KeptDrawing(), kept);
        EXPECT_EQ(drawing_.calls().empty(), kept);
        ASSERT_EQ(overlay_.callsOf(RecordedCall::Kind::Blit).size(), 1u);
        if (c.change == std::string("a rubber line")) {
            EXPECT_FALSE(overlay_.lines().empty());
        }
        // Unchanged since: the next move keeps it.
        drawing_.clear();
        view_.PaintOverlay(drawing_, overlay_, 1000, 800);
        EXPECT_TRUE(view_.KeptDrawing());
        EXPECT_TRUE(drawing_.calls().empty());
    }
}

} // namespace
