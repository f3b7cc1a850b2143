#include "element/NodePoint.h"
#include "element/NodeRecord.h"
#include "element/NodeTable.h"
#include "formula/VariableList.h"
#include "platform/BinaryStream.h"

#include "NodeTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using nodetest::Drawing;

namespace {

struct RecordFields {
    QString name = "n";
    QString dx, dy, distance, angle;
    int32_t ref1 = -1, ref2 = -1, kind = 600, inUse = 1;
    double x = 0, y = 0;
    QString rcx, rcy, ra;
    int32_t separate = 0;
};

// A record as a file of that version holds it.
void WriteRecord(platform::BinaryWriter& out, const RecordFields& r, int version)
{
    for (const QString* t : {&r.name, &r.dx, &r.dy, &r.distance, &r.angle})
        out.writeWString(*t);
    out.writeInt32(r.ref1);
    out.writeInt32(r.ref2);
    out.writeInt32(r.kind);
    out.writeInt32(r.inUse);
    out.writeDouble(r.x);
    out.writeDouble(r.y);
    if (version > 1) {
        for (const QString* t : {&r.rcx, &r.rcy, &r.ra})
            out.writeWString(*t);
    }
    if (version >= 14)
        out.writeInt32(r.separate);
}

// A block of the current layout from (slot, record) pairs.
QByteArray Block(int32_t slotCount, const std::vector<std::pair<int32_t, RecordFields>>& records, int version = 15)
{
    platform::BinaryWriter out;
    out.writeInt32(slotCount);
    out.writeInt32(static_cast<int32_t>(records.size()));
    for (const auto& [slot, r] : records) {
        out.writeInt32(slot);
        WriteRecord(out, r, version);
    }
    return out.take();
}

RecordFields Offset(int32_t ref, QString dx, QString dy)
{
    RecordFields r;
    r.kind = 601;
    r.ref1 = ref;
    r.dx = std::move(dx);
    r.dy = std::move(dy);
    return r;
}

RecordFields At(double xUm, double yUm)
{
    RecordFields r;
    r.x = xUm;
    r.y = yUm;
    return r;
}

} // namespace

TEST(NodeBlock, ATableWithHolesRoundTripsByteForByte)
{
    Drawing d;
    d.SetVariable("Flap", "12.5");
    const int a = d.Absolute(10, 20);
    const int b = d.Absolute(-30.0005, 40);
    const int p1 = d.Absolute(0, 0);
    const int p2 = d.Absolute(50, 0);
    const int two = d.Parametric([&](CNodePoint& n) { n.MakeAtTwoDistances(&d.Node(p1), &d.Node(p2), "30", "Flap"); });
    const int pol = d.Parametric([&](CNodePoint& n) { n.MakePolar(&d.Node(a), "Flap", "45"); });
    d.Node(pol).SetRotationFormulas("1", "2", "30");
    for (int i = 0; i < 40; ++i)
        (void)d.Absolute(100 + i, 0);
    d.nodes.RemoveNode(b);
    d.nodes.RemoveNode(35);

    platform::BinaryWriter first;
    d.nodes.Save(first);

    Drawing e;
    platform::BinaryReader in(first.data());
    ASSERT_TRUE(e.nodes.Load(in)) << in.error().toStdString();
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(e.nodes.GetCount(), d.nodes.GetCount());
    EXPECT_EQ(e.nodes.GetNode(b), nullptr);
    EXPECT_EQ(e.nodes.GetNode(35), nullptr);
    EXPECT_TRUE(e.Node(two).HasSeparateSecondDistance());
    e.variables.AddVariable("Flap", "12.5", QString(), 2, true);
    e.nodes.SetCacheValid(false);
    for (int i : {a, two, pol, 36}) {
        EXPECT_DOUBLE_EQ(e.Node(i).GetX(), d.Node(i).GetX()) << i;
        EXPECT_DOUBLE_EQ(e.Node(i).GetY(), d.Node(i).GetY()) << i;
    }
    platform::BinaryWriter second;
    e.nodes.Save(second);
    EXPECT_EQ(second.data(), first.data());
}

TEST(NodeBlock, VersionFourBlockHasARecordForEverySlot)
{
    constexpr int kVersion = 4;
    platform::BinaryWriter out;
    out.writeInt32(4);
    WriteRecord(out, At(0, 0), kVersion);
    RecordFields unused = At(7000, 7000);
    unused.inUse = 0;
    WriteRecord(out, unused, kVersion);
    WriteRecord(out, At(25000.9, -1000), kVersion);
    RecordFields off = Offset(2, "5", "A/100");
    off.rcx = "0";
    off.rcy = "0";
    off.ra = "90";
    WriteRecord(out, off, kVersion);

    Drawing d;
    d.SetVariable("A", "400");
    d.version = kVersion;
    platform::BinaryReader in(out.data());
    ASSERT_TRUE(d.nodes.Load(in)) << in.error().toStdString();
    EXPECT_TRUE(in.atEnd());
    ASSERT_EQ(d.nodes.GetCount(), 4);
    EXPECT_EQ(d.nodes.GetNode(1), nullptr);
    EXPECT_EQ(d.Node(2).GetStoredXUm(), 25000);
    EXPECT_FALSE(d.Node(3).HasSeparateSecondDistance());
    // Plain (25 + 5, -1 + 4), turned by 90 degrees about the origin node.
    EXPECT_NEAR(d.Node(3).GetX(), -3, 1e-9);
    EXPECT_NEAR(d.Node(3).GetY(), 30, 1e-9);
}

TEST(NodeBlock, VersionGatesOfTheRecord)
{
    const struct {
        int version;
        bool hasRotation;
        bool hasSeparate;
    } cases[] = {{1, false, false}, {2, true, false}, {13, true, false}, {14, true, true}, {15, true, true}};
    for (const auto& c : cases) {
        RecordFields r = At(1000, 2000);
        r.kind = 603;
        r.ref1 = 0;
        r.ref2 = 0;
        r.rcx = "1";
        r.ra = "2";
        r.separate = 1;
        platform::BinaryWriter out;
        WriteRecord(out, r, c.version);
        platform::BinaryReader in(out.data());
        const auto got = ReadNodeRecord(in, c.version);
        ASSERT_TRUE(got) << c.version << " " << in.error().toStdString();
        EXPECT_TRUE(in.atEnd()) << c.version;
        EXPECT_EQ(got->rotationCenterXFormula.isEmpty(), !c.hasRotation) << c.version;
        EXPECT_EQ(got->separateSecondDistance, c.hasSeparate) << c.version;
        const int texts = 2 + (c.hasRotation ? 4 : 0); // "n", "1" and "2"
        EXPECT_EQ(out.data().size(), NodeRecordMinBytes(c.version) + texts) << c.version;
    }
}

TEST(NodeBlock, DamagedBlocksFailCleanly)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"index beyond the slot count", Block(3, {{0, At(0, 0)}, {3, At(0, 0)}})},
        {"indices not ascending", Block(5, {{2, At(0, 0)}, {1, At(0, 0)}})},
        {"index repeated", Block(5, {{2, At(0, 0)}, {2, At(0, 0)}})},
        {"negative index", Block(5, {{-1, At(0, 0)}})},
        {"record count above the slot count", Block(1, {{0, At(0, 0)}, {1, At(0, 0)}})},
        {"negative slot count", Block(-1, {})},
        {"slot count above the limit", Block(kMaxNodeSlots + 1, {})},
        {"coordinate not a number", Block(1, {{0, At(nan, 0)}})},
        {"coordinate beyond int32", Block(1, {{0, At(0, 3e9)}})},
        {"reference beyond the slots", Block(2, {{0, At(0, 0)}, {1, Offset(2, "1", "1")}})},
        {"reference to a hole", Block(3, {{0, At(0, 0)}, {2, Offset(1, "1", "1")}})},
        {"reference missing", Block(2, {{0, At(0, 0)}, {1, Offset(-1, "1", "1")}})},
        {"truncated record", Block(2, {{0, At(0, 0)}, {1, At(1, 1)}}).chopped(3)},
        {"truncated count", QByteArray("\x02\x00\x00\x00\x01\x00", 6)},
    };
    for (const auto& c : cases) {
        Drawing d;
        const int kept = d.Absolute(4, 4);
        platform::BinaryReader in(c.bytes);
        EXPECT_FALSE(d.nodes.Load(in)) << c.what;
        EXPECT_FALSE(in.ok()) << c.what;
        EXPECT_DOUBLE_EQ(d.Node(kept).GetX(), 4) << c.what; // the table is left as it was
        platform::BinaryReader again(c.bytes);
        VariableList renames;
        EXPECT_EQ(d.nodes.Append(again, 0, renames), -1) << c.what;
        EXPECT_EQ(d.nodes.GetCount(), 30) << c.what;
    }

    // An old block whose slot count the bytes left cannot hold.
    platform::BinaryWriter old;
    old.writeInt32(1000000);
    WriteRecord(old, At(0, 0), 4);
    platform::BinaryReader in(old.data());
    EXPECT_FALSE(ReadNodeBlock(in, 4));
    EXPECT_FALSE(in.ok());
}

TEST(NodeBlock, AppendPlacesMergedNodesAfterTheExistingSlots)
{
    Drawing d;
    d.SetVariable("Flap", "1");
    d.SetVariable("Flap_1", "7");
    (void)d.Absolute(1, 1);
    const QByteArray merged = Block(3, {{0, At(0, 0)}, {1, At(10000, 0)}, {2, Offset(1, "Flap", "Flap")}});
    VariableList renames;
    renames.Add("Flap", "Flap_1");
    d.nodes.SetOriginRotation("100", "0", "0");
    d.nodes.SetApplyOriginRotation(true);
    platform::BinaryReader in(merged);
    const int offset = d.nodes.Append(in, FormulaTable::MergeRename, renames);
    d.nodes.SetApplyOriginRotation(false);
    ASSERT_EQ(offset, 30) << in.error().toStdString();
    ASSERT_EQ(d.nodes.GetCount(), 33);
    EXPECT_EQ(d.Node(32).GetReference1(), 31);
    EXPECT_EQ(d.Node(32).GetDxFormula(), "Flap_1");
    d.nodes.SetCacheValid(false);
    // Every merged node, the merged origin included, is placed about (100, 0).
    EXPECT_NEAR(d.Node(30).GetX(), 100, 1e-9);
    EXPECT_NEAR(d.Node(32).GetX(), 117, 1e-9);
    EXPECT_NEAR(d.Node(32).GetY(), 7, 1e-9);
    EXPECT_NEAR(d.Node(1).GetX(), 1, 1e-9);
}

TEST(NodeBlock, LoadTurnsEveryNodeButTheOriginWhileAsked)
{
    Drawing d;
    d.nodes.SetOriginRotation("50", "0", "0");
    d.nodes.SetApplyOriginRotation(true);
    const QByteArray bytes = Block(2, {{0, At(0, 0)}, {1, At(10000, 0)}});
    platform::BinaryReader in(bytes);
    ASSERT_TRUE(d.nodes.Load(in)) << in.error().toStdString();
    EXPECT_TRUE(d.Node(0).GetRotationCenterXFormula().isEmpty());
    EXPECT_EQ(d.Node(1).GetRotationCenterXFormula(), "50");
    EXPECT_NEAR(d.Node(1).GetX(), 60, 1e-9);
}
