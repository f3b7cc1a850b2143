// A die board around a small layout, painted as the view paints a drawing
// (ViewPainter through the Qt device) into a PNG under the build folder:
// build/<config>/bin/wood_render.png.
#include "display/GlyphPathTable.h"
#include "document/MorvekDoc.h"
#include "element/Wood.h"
#include "gui/QtDevice.h"
#include "section/Section.h"
#include "view/ViewPainter.h"

#include "common/DisplayTestSupport.h"

#include <QCoreApplication>
#include <QImage>

#include <gtest/gtest.h>

namespace {

constexpr platform::ColorRef kRule = platform::rgb(0, 0, 0);
constexpr platform::ColorRef kCrease = platform::rgb(200, 0, 0);
constexpr platform::ColorRef kFrame = platform::rgb(140, 80, 20);
constexpr platform::ColorRef kKnife = platform::rgb(0, 0, 220);
constexpr platform::ColorRef kScrap = platform::rgb(0, 150, 0);
constexpr platform::ColorRef kCentre = platform::rgb(200, 0, 200);
constexpr platform::ColorRef kText = platform::rgb(90, 90, 90);

int PixelsOf(const QImage& image, platform::ColorRef colour)
{
    const QColor wanted(platform::redOf(colour), platform::greenOf(colour), platform::blueOf(colour));
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == wanted;
    return count;
}

// A carton blank: the panel outline cut, two crease lines and a round hole.
void Blank(Section& s)
{
    const double w = 120;
    const double h = 80;
    for (const auto& [a, b] : std::vector<std::pair<die::coord, die::coord>>{
             {{0, 0}, {w, 0}}, {{w, 0}, {w, h}}, {{w, h}, {0, h}}, {{0, h}, {0, 0}}})
        (void)s.AddLine3(a.x, a.y, b.x, b.y, true, 1);
    (void)s.AddLine3(40, 0, 40, h, true, 2);
    (void)s.AddLine3(80, 0, 80, h, true, 2);
    (void)s.AddArc3(100, 40, 108, 40, 108, 40, true, 1);
}

} // namespace

TEST(WoodRender, DieBoardAroundASmallLayout)
{
    displaytest::LinkedLinetypes linetypes;
    linetypes.Add(1, LinetypeKind::Standard, -1, -1, 0, 0, 0, kRule);
    linetypes.Add(2, LinetypeKind::Standard, -1, -1, 0, 0, 0, kCrease);
    linetypes.Add(122, LinetypeKind::Internal, -1, -1, 0, 0, 0, kFrame);
    linetypes.Add(123, LinetypeKind::Internal, -1, -1, 0, 0, 0, kKnife);
    linetypes.Add(124, LinetypeKind::Internal, -1, -1, 0, 0, 0, kScrap);
    linetypes.Add(125, LinetypeKind::Internal, -1, -1, 0, 0, 0, kCentre);
    linetypes.Add(128, LinetypeKind::Internal, -1, -1, 0, 0, 0, kText);
    GlyphPathTable glyphs;
    BuildGlyphPaths(glyphs);
    const auto linkedGlyphs = DisplayList::InstallGlyphPathTable(glyphs);

    CMorvekDoc doc;
    Section* section = doc.GetSection(0);
    Blank(*section);
    section->NewInstance(140.0, 0.0, 0.0);
    section->NewInstance(0.0, 100.0, 0.0);
    section->NewInstance(140.0, 100.0, 0.0);
    auto* board = dynamic_cast<CWood*>(section->AddWood(90, 80, 90, 13, 10).Get());
    ASSERT_NE(board, nullptr);
    board->SetSlotSettings(5.0, 12.0);
    WoodValues& v = board->Values();
    for (int side : {WoodValues::SideTop, WoodValues::SideBottom, WoodValues::SideLeft, WoodValues::SideRight})
        v.sides[static_cast<std::size_t>(side)] = {true, true, 0.0, 45.0, 12.0, 0};
    v.text = QStringLiteral("MORVEK 4711");
    v.textHeight = 8;
    v.textBand = 14.0;
    v.textOffset = 30.0;
    v.textPositions[WoodValues::BottomLeft] = true;
    v.textPositions[WoodValues::TopRight] = true;
    doc.RebuildAllDisplayLists();
    doc.SetDisplayMode(0);

    // The board is 440 by 273 mm from (−90, −13): 2 pixels per mm with a
    // margin.
    QImage image(1000, 640, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        gui::QtDevice device(&image);
        ViewPainter painter;
        painter.SetDocument(&doc);
        painter.SetDevices(&device, &device);
        painter.SetScale(2.0);
        painter.SetOrigin({60 + 2 * 90, 40 + 2 * 260});
        painter.SetMirrored(false);
        painter.DrawSections();
    }
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/wood_render.png");
    EXPECT_TRUE(image.save(path));
    for (platform::ColorRef colour : {kRule, kCrease, kFrame, kKnife, kScrap, kCentre, kText})
        EXPECT_GT(PixelsOf(image, colour), 20) << std::hex << colour;
}
