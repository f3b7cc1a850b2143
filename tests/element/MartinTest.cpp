#include "SymbolFixture.h"

#include "common/TempDir.h"
#include "element/Martin.h"
#include "options/Options.h"
#include "platform/BinaryStream.h"


#include <cmath>
#include <limits>

namespace {

using elementtest::PaintedArc;

class Martin : public elementtest::Painted {
protected:
    std::unique_ptr<CMartin> Make(double x, double y, int horizontal, int vertical)
    {
        auto m = std::make_unique<CMartin>(&nodes, nullptr, 0);
        m->SetNode(Node(x, y));
        m->SetCounts(horizontal, vertical);
        m->SetLineType(122);
        return m;
    }

    // The painted painted, each as the middle of its two semicircles with its
    // straight length and radius.
    struct Slot {
        die::coord centre;
        double length;
        double radius;
    };
    std::vector<Slot> PaintedSlots()
    {
        const std::vector<PaintedArc> arcs = Arcs();
        EXPECT_EQ(arcs.size() % 2, 0u);
        std::vector<Slot> painted;
        for (std::size_t i = 0; i + 1 < arcs.size(); i += 2) {
            const die::coord left = arcs[i].centre;
            const die::coord right = arcs[i + 1].centre;
            EXPECT_NEAR(arcs[i].radius, arcs[i + 1].radius, 0.011);
            painted.push_back({(left + right) / 2.0, right.x - left.x, arcs[i].radius});
        }
        EXPECT_EQ(Lines().size(), 2 * painted.size()); // the two straight sides
        return painted;
    }
};

TEST_F(Martin, ThreeColumnsOfTwoRowsLieAsTheSizesSay)
{
    auto m = Make(1000, 500, 2, 3);
    Paint(*m);
    const double p1 = 1000 - 49.62;  // X - S1 + O1
    const double p2 = 1000 - 114.24; // X - 2 S1 + O1
    const double s1 = 1000 - 47.41;  // X - S2 + O2
    const double s2 = 1000 - 98.41;
    const struct {
        double x, y, length, radius;
    } expected[] = {
        // positioning painted: j = 1 above, then below
        {p1, 675, 4.0, 4.0}, {p1, 325, 4.0, 4.0}, {p2, 675, 4.0, 4.0}, {p2, 325, 4.0, 4.0},
        // screwed painted: j = 0 to 3 (3 < 1.75 · 2), below before above
        {s1, 500, 9.75, 4.75}, {s1, 400, 9.75, 4.75}, {s1, 600, 9.75, 4.75}, {s1, 300, 9.75, 4.75},
        {s1, 700, 9.75, 4.75}, {s1, 200, 9.75, 4.75}, {s1, 800, 9.75, 4.75},
        {s2, 500, 9.75, 4.75}, {s2, 400, 9.75, 4.75}, {s2, 600, 9.75, 4.75}, {s2, 300, 9.75, 4.75},
        {s2, 700, 9.75, 4.75}, {s2, 200, 9.75, 4.75}, {s2, 800, 9.75, 4.75},
    };
    const std::vector<Slot> painted = PaintedSlots();
    ASSERT_EQ(painted.size(), std::size(expected));
    for (std::size_t i = 0; i < painted.size(); ++i) {
        ExpectAt(painted[i].centre, {expected[i].x, expected[i].y}, "slot " + std::to_string(i));
        EXPECT_NEAR(painted[i].length, expected[i].length, 0.011) << "slot " << i;
        EXPECT_NEAR(painted[i].radius, expected[i].radius, 0.011) << "slot " << i;
    }
}

TEST_F(Martin, FewColumnsDrawFewHoles)
{
    const struct {
        int horizontal, vertical;
        std::vector<double> ys; // screwed painted of the one column; no positioning slot
    } cases[] = {
        {1, 2, {500, 400, 600}}, // 1 < 1.75: j = 0 and 1; no odd j below 1
        {2, 1, {}},              // no column
        {2, -1, {}},             // a vertical count wheeled below 0
    };
    for (const auto& c : cases) {
        auto m = Make(1000, 500, c.horizontal, c.vertical);
        Paint(*m);
        const std::vector<Slot> painted = PaintedSlots();
        ASSERT_EQ(painted.size(), c.ys.size()) << c.vertical;
        for (std::size_t i = 0; i < painted.size(); ++i)
            ExpectAt(painted[i].centre, {1000 - 47.41, c.ys[i]}, "slot " + std::to_string(i));
    }
}

TEST_F(Martin, ExtentsFollowTheCounts)
{
    auto m = Make(1000, 500, 2, 3);
    EXPECT_EQ(m->GetMinX(0, true), 900);
    EXPECT_EQ(m->GetMaxX(0, true), 1100);
    EXPECT_EQ(m->GetMinY(0, true), 350);
    EXPECT_EQ(m->GetMaxY(0, true), 650);
    EXPECT_EQ(m->GetMinX(950, false), 900);
    EXPECT_EQ(m->GetMinX(850, false), 850);
}

// The horizontal count of a new pattern is 2 and never drops below 1: a
// creator's count of 0 or less leaves it, and so does the wheel.
TEST_F(Martin, HorizontalCountDefaultsToTwoAndStaysPositive)
{
    CMartin fresh(&nodes, nullptr, 0);
    EXPECT_EQ(fresh.GetHorizontalCount(), 2);
    for (int given : {0, -3}) {
        auto m = Make(0, 0, given, 3);
        EXPECT_EQ(m->GetHorizontalCount(), 2) << given;
        EXPECT_EQ(m->GetVerticalCount(), 3);
    }
    auto m = Make(0, 0, 1, 0);
    EXPECT_EQ(m->OnShiftWheel(-120, 0, 0), 1);
    EXPECT_EQ(m->GetHorizontalCount(), 1);
    EXPECT_EQ(m->OnShiftWheel(0x10078, 0, 0), 1); // only the low 16 bits count
    EXPECT_EQ(m->GetHorizontalCount(), 2);
    EXPECT_EQ(m->OnCtrlWheel(-120, 0, 0), 0);
    EXPECT_EQ(m->GetVerticalCount(), -1);

    // The wheel stops where a file would no longer be read back.
    m->SetCounts(HolePattern::kMaxCount, HolePattern::kMaxCount);
    (void)m->OnShiftWheel(120, 0, 0);
    (void)m->OnCtrlWheel(120, 0, 0);
    EXPECT_EQ(m->GetHorizontalCount(), HolePattern::kMaxCount);
    EXPECT_EQ(m->GetVerticalCount(), HolePattern::kMaxCount);
}

// Round trips and damaged records: SymbolRecordTest.
TEST_F(Martin, RecordTakesOnlyAPositiveHorizontalCount)
{
    auto m = Make(30, 40, 3, 4);
    const QByteArray saved = elementtest::RecordOf(*m);

    const auto withCounts = [&](double horizontal, double vertical) {
        QByteArray bytes = saved;
        platform::BinaryWriter counts;
        counts.writeDouble(horizontal);
        counts.writeDouble(vertical);
        bytes.replace(8, 16, counts.take());
        return bytes;
    };
    const struct {
        double horizontal, vertical;
        bool loads;
        int h, v;
    } cases[] = {
        {0.0, 3.0, true, 2, 3},   // no count: the default
        {-2.0, 3.7, true, 2, 3},  // truncated
        {5.0, -1.0, true, 5, -1}, // a count wheeled below 0 stays
        {40.0, -40.0, true, 40, -40},
        {41.0, 3.0, false, 0, 0},
        {3.0, 1e12, false, 0, 0},
        {std::numeric_limits<double>::quiet_NaN(), 3.0, false, 0, 0},
        {3.0, std::numeric_limits<double>::infinity(), false, 0, 0},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = withCounts(c.horizontal, c.vertical);
        platform::BinaryReader r(bytes);
        (void)r.readInt32();
        CMartin read(&nodes, nullptr, 0);
        ASSERT_EQ(read.Load(r, 15, 0), c.loads) << c.horizontal << ", " << c.vertical;
        if (!c.loads) {
            EXPECT_EQ(read.GetNode(), -1);
            continue;
        }
        EXPECT_EQ(read.GetHorizontalCount(), c.h);
        EXPECT_EQ(read.GetVerticalCount(), c.v);
    }
}

TEST_F(Martin, ScriptWordIsTheElementsAndCopiesKeepEverything)
{
    auto m = Make(30, 40, 3, 4);
    EXPECT_TRUE(m->GetScriptText().startsWith(QStringLiteral("Element {"))) << m->GetScriptText().toStdString();
    CMartin copy(*m);
    EXPECT_EQ(elementtest::RecordOf(copy), elementtest::RecordOf(*m));
    Paint(copy);
    const auto copied = Arcs().size();
    Paint(*m);
    EXPECT_EQ(copied, Arcs().size());
}

// The sizes come from the settings pair the options read at start-up: the
// factory file's values, the user's file over them, and a change of a file
// afterwards does not reach new elements (the files are not read again).
TEST(MartinSettings, SizesComeFromTheSettingsPairReadOnce)
{
    test::ScopedTestEnvironment env;
    env.dir().write(QStringLiteral("app/Defaults/settings.ini"),
              "[Martin]\nPosiRadius=5\nScrewedLen=12.5\n");
    env.dir().write(QStringLiteral("app/Config/settings.cfg"), "[martin]\nscrewedlen=11\nposioffset=x\n");
    COptions options;
    options.Load();
    NodeTable nodes;
    const CMartin made(&nodes, &options, 0);
    const MartinHoleSizes& s = made.GetSizes();
    EXPECT_EQ(s.positioningRadius, 5.0);
    EXPECT_EQ(s.screwedLength, 11.0);
    EXPECT_EQ(s.positioningOffset, 0.0); // text that is no number
    EXPECT_EQ(s.screwedRadius, 4.75);

    env.dir().write(QStringLiteral("app/Config/settings.cfg"), "[martin]\nposiradius=7\n");
    const CMartin later(&nodes, &options, 0);
    EXPECT_EQ(later.GetSizes().positioningRadius, 5.0);
    EXPECT_EQ(later.GetSizes().screwedLength, 11.0);
}

// The program's own factory file holds the sizes the element starts with.
TEST(MartinSettings, FactoryFileHoldsTheDefaults)
{
    ProfileStore store;
    store.AddFile(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/settings.ini"));
    (void)store.Load();
    ASSERT_TRUE(store.SelectSection(QStringLiteral("martin")));
    const MartinHoleSizes read = MartinHoleSizes::Read(store);
    const MartinHoleSizes factory;
    EXPECT_EQ(read.positioningRadius, factory.positioningRadius);
    EXPECT_EQ(read.screwedRadius, factory.screwedRadius);
    EXPECT_EQ(read.positioningOffset, factory.positioningOffset);
    EXPECT_EQ(read.screwedOffset, factory.screwedOffset);
    EXPECT_EQ(read.positioningStep, factory.positioningStep);
    EXPECT_EQ(read.screwedStep, factory.screwedStep);
    EXPECT_EQ(read.positioningLength, factory.positioningLength);
    EXPECT_EQ(read.screwedLength, factory.screwedLength);
}

} // namespace
