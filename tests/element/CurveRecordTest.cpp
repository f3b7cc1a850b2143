#include "ElementFixture.h"

#include "platform/BinaryStream.h"

namespace {

class CurveRecord : public elementtest::Elements {
protected:
    // The record of the element, without its type id.
    static QByteArray Body(const CElement& e)
    {
        platform::BinaryWriter out;
        e.Save(out);
        return out.data().mid(4);
    }

    template <typename T>
    bool LoadInto(T& e, QByteArrayView bytes, int version)
    {
        platform::BinaryReader in(bytes);
        const bool loaded = e.Load(in, version, 0);
        return loaded && in.atEnd();
    }

    std::unique_ptr<CEllipse> Ellipse()
    {
        auto e = MakeEllipse(3, 4, 40, 20, 30, 100, 10);
        e->SetLineType(7);
        e->SetPtg(3.0);
        e->SetAutoBridges(3, 2.5);
        e->SetNotInstanced(1);
        return e;
    }

    std::unique_ptr<CSpline> Spline()
    {
        auto s = MakeSpline({{0, 0}, {10, 10}, {20, 0}, {30, 10}});
        s->SetSamplesPerSegment(17);
        s->Recalculate();
        s->SetLineType(2);
        s->SetBridgeMode(BridgeMode::ByHand);
        s->SetBridges({{0, 5, 2}, {0, 20, 3}});
        s->SetNotInstanced(1);
        return s;
    }
};

TEST_F(CurveRecord, EllipsesAndSplinesRoundTripByteForByte)
{
    auto e = Ellipse();
    const QByteArray ellipseBytes = Body(*e);
    EXPECT_EQ(ellipseBytes.size(), 5 * 4 + 4 + 4 + 3 * 24 + 8 + 4 + 4 + 8 + 4);
    CEllipse ellipseBack(&nodes, nullptr, 0);
    ASSERT_TRUE(LoadInto(ellipseBack, ellipseBytes, 15));
    EXPECT_EQ(Body(ellipseBack), ellipseBytes);
    EXPECT_EQ(ellipseBack.GetMajorNode(), e->GetMajorNode());
    EXPECT_EQ(ellipseBack.GetNotInstanced(), 1);
    EXPECT_DOUBLE_EQ(ellipseBack.GetFullLength(), e->GetFullLength());

    auto s = Spline();
    const QByteArray splineBytes = Body(*s);
    CSpline splineBack(&nodes, nullptr, 0);
    ASSERT_TRUE(LoadInto(splineBack, splineBytes, 15));
    EXPECT_EQ(Body(splineBack), splineBytes);
    EXPECT_EQ(splineBack.GetSamplesPerSegment(), 17);
    EXPECT_EQ(splineBack.GetSamples(), s->GetSamples());
}

// Version 11 spline records have no samples per segment, version 3 records
// no not-instanced flag: the defaults stay.
TEST_F(CurveRecord, OlderVersionsReadTheDefaults)
{
    const QByteArray spline = Body(*Spline());
    const qsizetype samplesAt = 4 + 4 * 4;
    QByteArray v11 = spline;
    v11.remove(samplesAt, 4);
    CSpline s11(&nodes, nullptr, 0);
    ASSERT_TRUE(LoadInto(s11, v11, 11));
    EXPECT_EQ(s11.GetSamplesPerSegment(), CSpline::DefaultSamplesPerSegment);
    EXPECT_EQ(s11.GetSamples().size(), 31u);
    EXPECT_EQ(s11.GetNotInstanced(), 1);

    QByteArray v3 = v11;
    v3.chop(4);
    CSpline s3(&nodes, nullptr, 0);
    ASSERT_TRUE(LoadInto(s3, v3, 3));
    EXPECT_EQ(s3.GetNotInstanced(), 0);
    EXPECT_EQ(s3.GetBridges().Count(), 2);

    QByteArray ellipse = Body(*Ellipse());
    ellipse.chop(4);
    CEllipse e3(&nodes, nullptr, 0);
    ASSERT_TRUE(LoadInto(e3, ellipse, 3));
    EXPECT_EQ(e3.GetNotInstanced(), 0);
    EXPECT_EQ(e3.GetAutoCount(), 3);
}

TEST_F(CurveRecord, TruncatedRecordsFailCleanly)
{
    const QByteArray ellipse = Body(*Ellipse());
    for (qsizetype n = 0; n < ellipse.size(); ++n) {
        CEllipse back(&nodes, nullptr, 0);
        platform::BinaryReader in(QByteArrayView(ellipse).first(n));
        EXPECT_FALSE(back.Load(in, 15, 0)) << "cut at " << n;
        EXPECT_EQ(back.GetCentreNode(), -1) << "cut at " << n;
    }
    const QByteArray spline = Body(*Spline());
    for (qsizetype n = 0; n < spline.size(); ++n) {
        CSpline back(&nodes, nullptr, 0);
        platform::BinaryReader in(QByteArrayView(spline).first(n));
        EXPECT_FALSE(back.Load(in, 15, 0)) << "cut at " << n;
        EXPECT_EQ(back.GetNodeCount(), 0) << "cut at " << n;
    }
}

TEST_F(CurveRecord, CountsAndNodesAreCheckedBeforeUse)
{
    const int a = Node(0, 0);
    const int b = Node(50, 50);
    const auto spline = [&](int32_t count, std::vector<int32_t> indices, int32_t samples = 10) {
        platform::BinaryWriter out;
        out.writeInt32(count);
        for (int32_t i : indices)
            out.writeInt32(i);
        out.writeInt32(samples);
        CSpline base(&nodes, nullptr, 0);
        out.writeBytes(Body(base).mid(8)); // an empty spline's common record
        return out.take();
    };
    const struct {
        const char* what;
        QByteArray bytes;
        int nodeBase;
    } cases[] = {
        {"negative count", spline(-1, {}), 0},
        {"count beyond the data", spline(1000000, {a, a}), 0},
        {"missing node", spline(2, {a, nodes.GetCount() + 3}), 0},
        // 4,999 segments of 1,000 samples: a curve of 5 million points.
        {"curve too large", spline(5000, std::vector<int32_t>(5000, a), 1000), 0},
        // A merged file's nodes follow the drawing's from b on: a negative
        // index would land on the drawing's own node a.
        {"negative node of a merged file", spline(2, {a - b, 0}), b},
        {"node past int32 when merged", spline(2, {INT32_MAX, 0}), b},
    };
    for (const auto& c : cases) {
        CSpline back(&nodes, nullptr, 0);
        platform::BinaryReader in(c.bytes);
        EXPECT_FALSE(back.Load(in, 15, c.nodeBase)) << c.what;
        EXPECT_EQ(back.GetNodeCount(), 0) << c.what;
    }

    QByteArray ellipse = Body(*Ellipse());
    const int32_t missing = nodes.GetCount() + 1;
    std::memcpy(ellipse.data() + 8, &missing, 4); // the minor-axis node (little-endian machine)
    CEllipse back(&nodes, nullptr, 0);
    platform::BinaryReader in(ellipse);
    EXPECT_FALSE(back.Load(in, 15, 0));
    EXPECT_EQ(back.GetMinorNode(), -1);
}

} // namespace
