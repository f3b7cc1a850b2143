// Each exporter's output read back: CF2 and the older layout through our
// readers to a micrometre, HP-GL through our HP-GL reader to its grid of
// 1/40 mm with arcs as arcs, Wild (which the program does not import)
// through a small U/D reader here to its grid of 1/50 mm. Every rule of
// every line type comes back in place.
#include "ExportDrawing.h"

#include "exchange/RecordingImporter.h"
#include "exchange/cf2/Cf2Reader.h"
#include "exchange/export/cf2/Cf2Writer.h"
#include "exchange/export/hpgl/HpglWriter.h"
#include "exchange/export/oldn/OldnWriter.h"
#include "exchange/export/wild/WildWriter.h"
#include "exchange/hpgl/HpglReader.h"
#include "exchange/oldn/OldnReader.h"

#include <QStringList>

#include <cmath>
#include <numbers>

namespace {

using exporttest::ExportDrawing;

// A rule as read back: a line from p to q, or an arc counter-clockwise from
// p to q about c (p equal to q a whole circle).
struct Rule {
    bool arc = false;
    int lineType = 0;
    die::coord p, q, c;
};

double Distance(const die::coord& a, const die::coord& b)
{
    return (a - b).Length();
}

bool Same(const Rule& a, const Rule& b, double tolerance)
{
    if (a.arc != b.arc || a.lineType != b.lineType)
        return false;
    const bool ends = Distance(a.p, b.p) <= tolerance && Distance(a.q, b.q) <= tolerance;
    if (a.arc)
        return ends && Distance(a.c, b.c) <= tolerance;
    return ends || (Distance(a.p, b.q) <= tolerance && Distance(a.q, b.p) <= tolerance);
}

// Every rule found once among those read, and nothing more read.
void ExpectRules(const std::vector<Rule>& read, const std::vector<Rule>& expected, double tolerance)
{
    ASSERT_EQ(read.size(), expected.size());
    std::vector<bool> used(read.size(), false);
    for (size_t i = 0; i < expected.size(); ++i) {
        bool found = false;
        for (size_t j = 0; j < read.size() && !found; ++j) {
            if (!used[j] && Same(read[j], expected[i], tolerance))
                used[j] = found = true;
        }
        EXPECT_TRUE(found) << "rule " << i << " of line type " << expected[i].lineType << " from ("
                           << expected[i].p.x << ", " << expected[i].p.y << ")";
    }
}

constexpr double kRadius = 60.0;

// Lines of three line types, arcs both ways round, a whole circle.
class ExportRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        Section& s = drawing.AddSection(QStringLiteral("die"));
        ExportDrawing::Line(s, 0, 0, 40, 0, 1);
        ExportDrawing::Line(s, 40, 0, 40, 30.123456, 1);
        ExportDrawing::Line(s, 0, -10, 33.333333, -10.5, 3);
        // Clockwise from the start: stored as counter-clockwise from the end.
        ExportDrawing::Arc(s, 20, 20, 20, 25, 25, 20, 2);
        ExportDrawing::Arc(s, 100, 100, 100 + kRadius, 100, 100, 100 + kRadius, 2);
        ExportDrawing::Arc(s, 50, -50, 62.5, -50, 62.5, -50, 3);
        expected = {
            {false, 1, {0, 0}, {40, 0}, {}},
            {false, 1, {40, 0}, {40, 30.123456}, {}},
            {false, 3, {0, -10}, {33.333333, -10.5}, {}},
            {true, 2, {25, 20}, {20, 25}, {20, 20}},
            {true, 2, {100, 100 + kRadius}, {100 + kRadius, 100}, {100, 100}},
            {true, 3, {62.5, -50}, {62.5, -50}, {50, -50}},
        };
    }

    Export::ExportPreparer Job()
    {
        Export::ExportSettings settings = exporttest::Plain();
        drawing.Show(0);
        Export::ExportPreparer job(drawing.Source());
        job.SetSettings(settings);
        job.Run();
        return job;
    }

    ExportDrawing drawing;
    std::vector<Rule> expected;
};

std::vector<Rule> RulesOf(const importtest::RecordingImporter& importer)
{
    std::vector<Rule> out;
    for (const importtest::Call& c : importer.calls) {
        if (c.kind == importtest::Call::Line)
            out.push_back({false, c.attributes.lineType, c.a, c.b, {}});
        else if (c.kind == importtest::Call::Arc)
            out.push_back(c.flag ? Rule{true, c.attributes.lineType, c.b, c.c, c.a}
                                 : Rule{true, c.attributes.lineType, c.c, c.b, c.a});
    }
    return out;
}

TEST_F(ExportRoundTrip, Cf2ToAMicrometre)
{
    Export::ExportText out{QStringLiteral("die.cf2"), {}, {}};
    Export::WriteCf2(out, Job());
    importtest::RecordingImporter importer;
    QString error;
    ASSERT_TRUE(cf2::Cf2Reader::Read(out.text.toLatin1(), importer, &error)) << error.toStdString();
    ExpectRules(RulesOf(importer), expected, 1e-3);
}

// A text comes back from CF2 with its place, height, advance, angle and
// wording.
TEST(Cf2RoundTrip, ATextSurvives)
{
    Export::ExportPrimitive text;
    text.kind = Export::ExportPrimitive::Text;
    text.line_type = 5;
    text.A = {12.5, -3.25};
    text.B = {std::cos(0.5), std::sin(0.5)};
    text.C = {2.5, 4.0};
    text.text = QStringLiteral("Die 7, left");
    Export::ExportPreparer job({});
    job.Blocks().push_back({{text}, {}, QStringLiteral("b")});
    Export::ExportText out{QStringLiteral("t.cf2"), {}, {}};
    Export::WriteCf2(out, job);
    importtest::RecordingImporter importer;
    QString error;
    ASSERT_TRUE(cf2::Cf2Reader::Read(out.text.toLatin1(), importer, &error)) << error.toStdString();
    ASSERT_EQ(importer.calls.size(), 1u);
    const importtest::Call& c = importer.calls[0];
    EXPECT_EQ(c.kind, importtest::Call::Text);
    EXPECT_EQ(c.text, text.text);
    EXPECT_NEAR(c.a.x, 12.5, 1e-6);
    EXPECT_NEAR(c.a.y, -3.25, 1e-6);
    EXPECT_NEAR(c.angle, 0.5, 1e-6);
    EXPECT_NEAR(c.b.x, 2.5, 1e-6); // advance
    EXPECT_NEAR(c.b.y, 4.0, 1e-6); // height
    EXPECT_EQ(c.attributes.lineType, 5);
}

TEST_F(ExportRoundTrip, OlderLayoutToAMicrometre)
{
    Export::ExportText out{QStringLiteral("die.n"), {}, {}};
    Export::WriteOldn(out, Job());
    oldn::Drawing read;
    QString error;
    ASSERT_TRUE(oldn::OldnReader::Read(out.text.toLatin1(), read, &error)) << error.toStdString();
    std::vector<Rule> rules;
    for (const oldn::Figure& f : read.figures) {
        if (f.kind == oldn::FigureKind::Line)
            rules.push_back({false, f.lineType, f.start, f.end, {}});
        else if (f.kind == oldn::FigureKind::Arc) // clockwise from start to end
            rules.push_back({true, f.lineType, f.end, f.start, f.centre});
    }
    ExpectRules(rules, expected, 1e-3);
}

TEST_F(ExportRoundTrip, HpglToItsGridWithArcsAsArcs)
{
    Export::ExportText out;
    Export::WriteHpgl(out, Job(), false);
    hpgl::Drawing read;
    QString error;
    ASSERT_TRUE(hpgl::HpglReader::Read(out.text.toLatin1(), read, &error)) << error.toStdString();
    EXPECT_TRUE(read.skipped.empty());
    std::vector<Rule> rules;
    for (const hpgl::Line& l : read.lines)
        rules.push_back({false, l.pen.value_or(-1), l.start, l.end, {}});
    for (const hpgl::Arc& a : read.arcs) {
        rules.push_back(a.counterClockwise ? Rule{true, a.pen.value_or(-1), a.start, a.end, a.centre}
                                           : Rule{true, a.pen.value_or(-1), a.end, a.start, a.centre});
    }
    ExpectRules(rules, expected, 1.0 / 40.0);
}

// The Wild file's moves and draws back in millimetres, the tool offset of
// every line type but 2 taken off: the drawn segments, and the line type of
// each from the tool group before it (P3 line type 3, P4 the others).
struct WildSegment {
    bool offset = true;
    die::coord a, b;
};

std::vector<WildSegment> ReadWild(const QString& text)
{
    std::vector<WildSegment> out;
    die::coord at;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line[0] != QLatin1Char('U') && line[0] != QLatin1Char('D'))
            continue;
        const QStringList xy = line.mid(1).split(QLatin1Char(','));
        const die::coord p(xy[0].toDouble() / 50.0, xy[1].toDouble() / 50.0);
        if (line[0] == QLatin1Char('D'))
            out.push_back({true, at, p});
        at = p;
    }
    return out;
}

TEST_F(ExportRoundTrip, WildLinesToItsGridAndArcsAsChordsOfTheirLength)
{
    Export::ExportText out;
    const Export::ExportPreparer job = Job();
    Export::WriteWild(out, job);
    EXPECT_EQ(out.notes.size(), 1);
    const std::vector<WildSegment> segments = ReadWild(out.text);

    // Line types 1 and 3 carry the tool offset (4, -94), 2 none; this die's
    // only line type 2 rules are arcs.
    const die::coord tool(4.0, -94.0);
    std::vector<Rule> lines;
    double chords = 0.0;
    for (const WildSegment& s : segments) {
        const die::coord a = s.a + tool;
        const die::coord b = s.b + tool;
        bool line = false;
        for (const Rule& r : expected)
            line = line || (!r.arc && Same({false, r.lineType, a, b, {}}, r, 1.0 / 50.0));
        if (line)
            lines.push_back({false, 0, a, b, {}});
        else
            chords += (s.b - s.a).Length();
    }
    std::vector<Rule> expectedLines;
    double arcs = 0.0;
    for (const Rule& r : expected) {
        if (!r.arc) {
            expectedLines.push_back({false, 0, r.p, r.q, {}});
            continue;
        }
        const double radius = Distance(r.p, r.c);
        double sweep = std::atan2(r.q.y - r.c.y, r.q.x - r.c.x) - std::atan2(r.p.y - r.c.y, r.p.x - r.c.x);
        while (sweep <= 0.0)
            sweep += 2.0 * std::numbers::pi;
        arcs += radius * sweep;
    }
    ExpectRules(lines, expectedLines, 1.0 / 50.0);
    // The chords of all three arcs together within a fiftieth of a
    // millimetre of the arcs' length.
    EXPECT_NEAR(chords, arcs, 1.0 / 50.0);
}

// Arcs of every size, part and whole, both ways round: each one's chords
// within a fiftieth of a millimetre of its length, the first chord starting
// and the last ending at the arc's own ends.
TEST(WildWriter, EveryArcGoesOutAsChordsOfItsLength)
{
    for (const double radius : {0.5, 5.0, 60.0, 1000.0}) {
        for (const double sweep : {std::numbers::pi / 2, 1.5 * std::numbers::pi, 2 * std::numbers::pi}) {
            for (const int16_t reverse : {0, 1}) {
                SCOPED_TRACE(testing::Message() << radius << " " << sweep << " " << reverse);
                Export::ExportPrimitive arc;
                arc.kind = Export::ExportPrimitive::Arc;
                arc.line_type = 2; // no tool offset
                arc.A = {10, 20};
                arc.B = arc.A + die::coord(radius * std::cos(0.3), radius * std::sin(0.3));
                arc.C = arc.A + die::coord(radius * std::cos(0.3 + sweep), radius * std::sin(0.3 + sweep));
                if (sweep == 2 * std::numbers::pi)
                    arc.C = arc.B;
                arc.reverse = reverse;
                Export::ExportPreparer job({});
                job.Blocks().push_back({{arc}, {}, QStringLiteral("b")});
                Export::ExportText out;
                Export::WriteWild(out, job);
                const std::vector<WildSegment> chords = ReadWild(out.text);
                ASSERT_FALSE(chords.empty());
                double length = 0.0;
                for (const WildSegment& c : chords)
                    length += (c.b - c.a).Length();
                EXPECT_NEAR(length, radius * sweep, 1.0 / 50.0);
                EXPECT_LE(Distance(chords.front().a, arc.Start()), 0.01 * std::sqrt(2.0));
                EXPECT_LE(Distance(chords.back().b, arc.End()), 0.01 * std::sqrt(2.0));
                EXPECT_EQ(out.notes.size(), 1);
            }
        }
    }
}

} // namespace
