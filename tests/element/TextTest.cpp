#include "ElementFixture.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "display/StrokeFont.h"
#include "element/Text.h"
#include "platform/BinaryStream.h"
#include "platform/RecordingDevice.h"

#include <QByteArray>

namespace {

class Text : public elementtest::Elements {
protected:
    // "ABCD" on the baseline (0, 0)-(40, 0), height node at (0, h).
    std::unique_ptr<CText> MakeText(const QString& s = QStringLiteral("ABCD"), double h = 5)
    {
        auto text = std::make_unique<CText>(&nodes, nullptr, 0);
        text->SetNodes(Node(0, h), Node(0, 0), Node(40, 0));
        text->SetText(s);
        return text;
    }

    QByteArray Record(const CText& text)
    {
        platform::BinaryWriter out;
        text.Save(out);
        return out.data();
    }
};

TEST_F(Text, DisplayListHoldsOneStrokeFontFigureMirroredFromTheEnd)
{
    const struct {
        int mirrored;
        die::coord origin;
        double advance;
    } cases[] = {{0, {0, 0}, 10}, {1, {40, 0}, -10}};
    for (const auto& c : cases) {
        auto text = MakeText();
        text->SetMirrored(c.mirrored);
        text->RebuildContour();
        const auto& figures = text->GetDisplayList().Figures();
        ASSERT_EQ(figures.size(), 1u) << c.mirrored;
        const DisplayFigure& f = figures.front();
        EXPECT_EQ(f.kind, FigureKind::Text);
        EXPECT_EQ(f.text, QStringLiteral("ABCD"));
        EXPECT_EQ(f.points[0], c.origin) << c.mirrored;
        EXPECT_EQ(f.points[1], (die::coord{1, 0}));
        EXPECT_EQ(f.points[2], (die::coord{c.advance, 5})) << c.mirrored;
    }
}

TEST_F(Text, EmptyOrFlatTextsMakeNoFigure)
{
    for (const auto& [s, h] : {std::pair{QString(), 5.0}, std::pair{QStringLiteral("AB"), 0.0}}) {
        auto text = MakeText(s, h);
        text->RebuildContour();
        EXPECT_TRUE(text->GetDisplayList().IsEmpty()) << s.toStdString() << h;
    }
}

TEST_F(Text, PreviewDrawsEachGlyphInItsCell)
{
    auto text = MakeText(QStringLiteral("ABCD"), 6);
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    dc.scale = 6; // 10 mm cells are 60 device units wide
    text->Draw(dc);
    const std::vector<platform::RecordedLine> lines = device.lines();
    std::size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        const StrokeFont::Glyph* glyph = StrokeFont::GlyphAt(StrokeFont::IndexOf(QChar(u'A' + i)));
        for (int j = 0; j <= glyph->last; ++j, ++at) {
            ASSERT_LT(at, lines.size());
            for (const platform::DevicePoint& p : {lines[at].from, lines[at].to}) {
                EXPECT_GE(p.x, 60 * i) << "glyph " << i;
                EXPECT_LE(p.x, 60 * i + 40) << "glyph " << i;
                EXPECT_GE(p.y, 0);
                EXPECT_LE(p.y, 36);
            }
        }
    }
    EXPECT_EQ(at, lines.size());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].from, (platform::DevicePoint{0, 0})); // the A's left stroke
    EXPECT_EQ(lines[0].to, (platform::DevicePoint{0, 30}));
}

TEST_F(Text, SystemFontIsWrittenAtTheBaseNodeAndTheDeviceRestored)
{
    auto text = MakeText();
    platform::LogFont font;
    font.height = -20;
    font.setFace(QStringLiteral("Arial"));
    text->SetFont(font);
    text->SetFontKind(TextFontKind::SystemFont);
    text->SetColour(platform::rgb(1, 2, 3));
    platform::RecordingDevice device;
    auto mirror = DrawContext::OverrideMirrorFlags(DrawContext::MirrorY);
    DrawContext dc(&device, CInstance(true), false, false, {100, 200});
    dc.scale = 2;
    const platform::LogFont before = device.font();
    const platform::ColorRef colourBefore = device.textColor();
    text->Draw(dc);
    const auto calls = device.callsOf(platform::RecordedCall::Kind::Text);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].points[0], (platform::DevicePoint{100, 200}));
    EXPECT_EQ(calls[0].text, QStringLiteral("ABCD"));
    EXPECT_EQ(calls[0].font, font);
    EXPECT_EQ(calls[0].textColour, platform::rgb(1, 2, 3));
    EXPECT_EQ(calls[0].textAlign, platform::TextAlign::Baseline);
    EXPECT_EQ(device.font(), before);
    EXPECT_EQ(device.textColor(), colourBefore);
}

TEST_F(Text, ATextHasADefinedColourAndABoundedFaceName)
{
    CText text(&nodes, nullptr, 0);
    EXPECT_EQ(text.GetColour(), CText::DefaultColour);
    platform::LogFont font;
    font.faceName.fill(u'x'); // no terminator
    text.SetFont(font);
    EXPECT_EQ(text.GetFont().face().size(), 31);
}

TEST_F(Text, ValidationStandsTheHeightNodeUpright)
{
    auto text = MakeText();
    ASSERT_TRUE(nodes.GetNode(text->GetEndNode())->SetPlain(0, 40, false));
    text->ValidateNodes();
    EXPECT_NEAR(At(text->GetHeightNode()).x, -5, 1e-9);
    EXPECT_NEAR(At(text->GetHeightNode()).y, 0, 1e-9);
}

TEST_F(Text, ValidationLeavesATextOnSharedNodes)
{
    CText text(&nodes, nullptr, 0);
    const int base = Node(0, 0);
    text.SetNodes(Node(3, 4), base, base);
    text.ValidateNodes();
    EXPECT_EQ(At(text.GetHeightNode()), (die::coord{3, 4}));
}

TEST_F(Text, PreviewWithoutPreviewNodesDrawsNothing)
{
    auto text = MakeText();
    text->SetPreviewNodes(nullptr, nullptr, nullptr);
    platform::RecordingDevice device;
    DrawContext dc(&device, CInstance(true), false, false, {0, 0});
    text->Draw(dc);
    text->RebuildContour();
    EXPECT_TRUE(device.calls().empty());
    EXPECT_TRUE(text->GetDisplayList().IsEmpty());
}

TEST_F(Text, NodesAndRectangles)
{
    auto text = MakeText();
    text->SetSelection(1);
    EXPECT_FALSE(text->UsesNode(text->GetBaseNode(), true));
    EXPECT_TRUE(text->UsesNode(text->GetBaseNode(), false));
    text->SetSelection(0);
    EXPECT_TRUE(text->UsesNode(text->GetEndNode(), true));
    // Extents (0, 0)-(40, 5).
    EXPECT_TRUE(text->IsInRect(-1, -1, 41, 6, 2));
    EXPECT_TRUE(text->IsInRect(39, -1, 50, 1, 1));
    EXPECT_TRUE(text->IsInRect(10, 1, 20, 2, 3));
    EXPECT_FALSE(text->IsInRect(40, 1, 50, 2, 3)); // touches the right edge only
    EXPECT_FALSE(text->IsInRect(-1, -1, 41, 6, 4));
}

TEST_F(Text, ScriptTextIsTheCommonElementLine)
{
    auto text = MakeText();
    EXPECT_TRUE(text->GetScriptText().startsWith(QStringLiteral("Element {"))) << text->GetScriptText().toStdString();
}

TEST_F(Text, RecordRoundTripsByteForByte)
{
    auto text = MakeText(QStringLiteral("Wörter ° 12"));
    text->SetMirrored(1);
    text->SetFontKind(TextFontKind::SystemFont);
    platform::LogFont font;
    font.height = -13;
    font.weight = 700;
    font.italic = 1;
    font.setFace(QStringLiteral("Courier New"));
    text->SetFont(font);
    text->SetLineType(7);
    const QByteArray saved = Record(*text);
    platform::BinaryReader in(saved);
    ASSERT_EQ(in.readInt32(), ElementTypeId::Text);
    CText back(&nodes, nullptr, 0);
    ASSERT_TRUE(back.Load(in, 15, 0));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(Record(back), saved);
    EXPECT_EQ(back.GetText(), QStringLiteral("Wörter ° 12"));
    EXPECT_EQ(back.IsMirrored(), 1);
    EXPECT_EQ(back.GetFont(), font);
}

TEST_F(Text, OlderRecordsHaveNoMirroredField)
{
    auto text = MakeText();
    text->SetMirrored(1);
    QByteArray saved = Record(*text).mid(4);
    // height, base, end, text (4 + 8 bytes), font kind, then the mirrored field.
    const qsizetype mirroredAt = 12 + 4 + 8 + 4;
    saved.remove(mirroredAt, 4);
    for (int version : {4, 10}) {
        platform::BinaryReader in(saved);
        CText back(&nodes, nullptr, 0);
        ASSERT_TRUE(back.Load(in, version, 0)) << version;
        EXPECT_TRUE(in.atEnd()) << version;
        EXPECT_EQ(back.IsMirrored(), 0);
        EXPECT_EQ(back.GetText(), QStringLiteral("ABCD"));
    }
}

TEST_F(Text, DamagedRecordsFailCleanly)
{
    auto text = MakeText();
    const QByteArray whole = Record(*text).mid(4);
    for (qsizetype n = 0; n < whole.size(); ++n) {
        platform::BinaryReader in(QByteArrayView(whole).first(n));
        CText back(&nodes, nullptr, 0);
        EXPECT_FALSE(back.Load(in, 15, 0)) << "cut at " << n;
        EXPECT_EQ(back.GetBaseNode(), -1);
    }
    // A text longer than any text may be, and a text on a missing node.
    platform::BinaryWriter out;
    for (int i = 0; i < 3; ++i)
        out.writeInt32(text->GetBaseNode());
    out.writeInt32(2 * (CText::MaxLoadedLength + 1));
    out.writeBytes(QByteArray(2 * (CText::MaxLoadedLength + 1), 'a'));
    const QByteArray rest = whole.mid(12 + 4 + 8);
    out.writeBytes(rest);
    platform::BinaryReader tooLong(out.data());
    CText back(&nodes, nullptr, 0);
    EXPECT_FALSE(back.Load(tooLong, 15, 0));
    QByteArray missing = whole;
    missing.replace(0, 4, QByteArray("\x70\x00\x00\x00", 4));
    platform::BinaryReader onMissing(missing);
    EXPECT_FALSE(back.Load(onMissing, 15, 0));
}

TEST_F(Text, AStoredFaceNameWithoutEndIsCut)
{
    auto text = MakeText();
    QByteArray saved = Record(*text).mid(4);
    const qsizetype faceAt = 12 + 4 + 8 + 4 + 4 + 28;
    for (int i = 0; i < 32; ++i)
        saved[faceAt + 2 * i] = 'x';
    platform::BinaryReader in(saved);
    CText back(&nodes, nullptr, 0);
    ASSERT_TRUE(back.Load(in, 15, 0));
    EXPECT_EQ(back.GetFont().face(), QString(31, u'x'));
}

TEST_F(Text, OldLayoutLineMakesTheTextOnItsNodes)
{
    CText text(&nodes, nullptr, 0);
    // fields: 0-1 unused, 2 height, 3 width, 4-6 unused, 7 line type, 8-9 base, 10 angle, then the text
    const QString longWord(600, u'w');
    text.SetFromText(QStringLiteral("T]0]4]3]0]0]0]5]10]20]90]first]") + longWord + QStringLiteral("]ignored"));
    EXPECT_EQ(text.GetText(), longWord);
    EXPECT_EQ(At(text.GetBaseNode()), (die::coord{10, 20}));
    EXPECT_NEAR(At(text.GetEndNode()).x, 10, 1e-3);
    EXPECT_NEAR(At(text.GetEndNode()).y, 20 + 3 * 600, 1e-3);
    EXPECT_NEAR(At(text.GetHeightNode()).x, 6, 1e-3);
    EXPECT_NEAR(At(text.GetHeightNode()).y, 20, 1e-3);
    EXPECT_EQ(text.GetLineType(), 5);
    EXPECT_EQ(text.GetPtg(), 1.0);
    EXPECT_EQ(text.GetBridgeMode(), BridgeMode::ByHand);
}

} // namespace
