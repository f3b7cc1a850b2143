#include "ElementFixture.h"

#include "platform/BinaryStream.h"

namespace {

class ElementRecord : public elementtest::Elements {};

// A common record with the given bridge count and as many bridges.
QByteArray BaseRecord(int32_t count, int32_t storedBridges, int32_t autoCount = 2)
{
    platform::BinaryWriter out;
    out.writeInt32(5); // line type
    out.writeInt32(count);
    for (int32_t i = 0; i < storedBridges; ++i) {
        out.writeInt32(0);
        out.writeInt32(0);
        out.writeDouble(10.0 * i);
        out.writeDouble(2.0);
    }
    out.writeDouble(3.0);
    out.writeInt32(BridgeMode::ByHand);
    out.writeInt32(autoCount);
    out.writeDouble(4.0);
    out.writeInt32(1);
    return out.take();
}

TEST_F(ElementRecord, LinesAndArcsGoThroughTheirRecords)
{
    auto line = MakeLine(0, 0, 100, 0);
    line->SetLineType(7);
    line->SetPtg(3.0);
    line->SetAutoBridges(2, 4);
    line->SetNotInstanced(1);
    platform::BinaryWriter out;
    line->Save(out);
    auto arc = MakeArc(0, 0, 10, 0, 0, 10);
    arc->CountAutoBridges(3, 2, true);
    arc->Save(out);

    platform::BinaryReader in(out.data());
    EXPECT_EQ(in.readInt32(), ElementTypeId::Line);
    CLine lineBack(&nodes, nullptr, 0);
    ASSERT_TRUE(lineBack.Load(in, 15, 0));
    EXPECT_EQ(in.readInt32(), ElementTypeId::Arc);
    CArc arcBack(&nodes, nullptr, 0);
    ASSERT_TRUE(arcBack.Load(in, 15, 0));
    EXPECT_TRUE(in.atEnd());

    EXPECT_EQ(lineBack.GetStartNode(), line->GetStartNode());
    EXPECT_EQ(lineBack.GetEndNode(), line->GetEndNode());
    EXPECT_EQ(lineBack.GetLineType(), 7);
    EXPECT_EQ(lineBack.GetPtg(), 3.0);
    EXPECT_EQ(lineBack.GetBridgeMode(), BridgeMode::ByCount);
    EXPECT_EQ(lineBack.GetAutoCount(), 2);
    EXPECT_EQ(lineBack.GetNotInstanced(), 1);
    EXPECT_EQ(elementtest::BridgesOf(lineBack), elementtest::BridgesOf(*line));
    EXPECT_EQ(arcBack.GetCenterNode(), arc->GetCenterNode());
    EXPECT_DOUBLE_EQ(arcBack.GetFullLength(), arc->GetFullLength());
    EXPECT_EQ(elementtest::BridgesOf(arcBack), elementtest::BridgesOf(*arc));
}

TEST_F(ElementRecord, VersionThreeRecordsKeepTheConstructorsNotInstancedValue)
{
    QByteArray record = BaseRecord(0, 0);
    record.chop(4); // version 3 has no not-instanced field
    CLine line(&nodes, nullptr, 0);
    platform::BinaryReader in(record);
    ASSERT_TRUE(line.LoadBase(in, 3));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(line.GetNotInstanced(), 0);
    EXPECT_EQ(line.GetLineType(), 5);
}

TEST_F(ElementRecord, DamagedBaseRecordsFailAndChangeNothing)
{
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"101 bridges", BaseRecord(101, 101)},
        {"negative bridge count", BaseRecord(-1, 0)},
        {"count beyond the data", BaseRecord(3, 1)},
        {"negative auto count", BaseRecord(0, 0, -5)},
    };
    for (const auto& c : cases) {
        CLine line(&nodes, nullptr, 0);
        line.SetLineType(9);
        platform::BinaryReader in(c.bytes);
        EXPECT_FALSE(line.LoadBase(in, 15)) << c.what;
        EXPECT_FALSE(in.ok()) << c.what;
        EXPECT_EQ(line.GetLineType(), 9) << c.what;
        EXPECT_EQ(line.GetBridges().Count(), 0) << c.what;
    }
}

TEST_F(ElementRecord, TruncatedRecordsFailCleanly)
{
    auto line = MakeLine(0, 0, 100, 0);
    line->SetAutoBridges(3, 4);
    auto arc = MakeArc(0, 0, 10, 0, 0, 10);
    for (CElement* e : {static_cast<CElement*>(line.get()), static_cast<CElement*>(arc.get())}) {
        platform::BinaryWriter out;
        e->Save(out);
        const QByteArray whole = out.data().mid(4); // after the type id
        for (qsizetype n = 0; n < whole.size(); ++n) {
            platform::BinaryReader in(QByteArrayView(whole).first(n));
            bool loaded = false;
            if (e == line.get()) {
                CLine back(&nodes, nullptr, 0);
                loaded = back.Load(in, 15, 0);
            } else {
                CArc back(&nodes, nullptr, 0);
                loaded = back.Load(in, 15, 0);
            }
            EXPECT_FALSE(loaded) << e->GetTypeId() << " cut at " << n;
        }
    }
}

TEST_F(ElementRecord, ARecordOnAMissingNodeFails)
{
    platform::BinaryWriter out;
    out.writeInt32(Node(0, 0));
    out.writeInt32(nodes.GetCount() + 5);
    out.writeBytes(BaseRecord(0, 0));
    CLine line(&nodes, nullptr, 0);
    platform::BinaryReader in(out.data());
    EXPECT_FALSE(line.Load(in, 15, 0));
    EXPECT_EQ(line.GetStartNode(), -1);
}

} // namespace
