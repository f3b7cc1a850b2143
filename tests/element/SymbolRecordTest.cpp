// The records of the symbols on one node: round trips, the common record's
// gate, damaged records, and the values a record may carry out of range.
#include "SymbolFixture.h"

#include "element/BobstAsm.h"
#include "element/BobstHoles.h"
#include "element/Cuir.h"
#include "element/ElementBaseRecord.h"
#include "element/Holder.h"
#include "element/Martin.h"
#include "element/SideSymbol.h"

#include <functional>
#include <limits>

namespace {

using elementtest::RecordOf;

class SymbolRecord : public elementtest::Symbols {
protected:
    // A symbol of each class on node (10, 20), and how to read one back.
    struct Kind {
        const char* name;
        std::function<std::unique_ptr<CNodeSymbol>()> make;
        std::function<bool(CNodeSymbol&, platform::BinaryReader&, int version, int nodeBase)> load;
    };

    template <typename Class>
    static bool LoadAs(CNodeSymbol& e, platform::BinaryReader& in, int version, int nodeBase)
    {
        return dynamic_cast<Class&>(e).Load(in, version, nodeBase);
    }

    template <typename Class>
    Kind Plain(const char* name, int at)
    {
        return {name,
                [this, at] {
                    auto s = std::make_unique<Class>(&nodes, nullptr, 0);
                    s->SetNode(at);
                    return std::unique_ptr<CNodeSymbol>(std::move(s));
                },
                LoadAs<Class>};
    }

    std::vector<Kind> Kinds()
    {
        const int at = Node(10, 20);
        return {
            {"cuir",
             [this, at] {
                 auto c = std::make_unique<CCuir>(&nodes, nullptr, 0);
                 c->SetNode(at);
                 c->SetRadius(30);
                 c->SetAngle(1.25);
                 c->SetWingLength(7);
                 return std::unique_ptr<CNodeSymbol>(std::move(c));
             },
             LoadAs<CCuir>},
            {"holder",
             [this, at] {
                 auto h = std::make_unique<CHolder>(&nodes, nullptr, 0);
                 h->SetNode(at);
                 h->SetVertical(true);
                 h->SetSize(95, 25);
                 return std::unique_ptr<CNodeSymbol>(std::move(h));
             },
             LoadAs<CHolder>},
            {"separation rule",
             [this, at] {
                 auto s = std::make_unique<CSeperationRule>(&nodes, nullptr, 0);
                 s->SetNode(at);
                 s->SetSide(true);
                 return std::unique_ptr<CNodeSymbol>(std::move(s));
             },
             LoadAs<CSeperationRule>},
            {"stripper wood",
             [this, at] {
                 auto s = std::make_unique<CStripperWood>(&nodes, nullptr, 0);
                 s->SetNode(at);
                 s->SetSide(true);
                 return std::unique_ptr<CNodeSymbol>(std::move(s));
             },
             LoadAs<CStripperWood>},
            {"Martin holes",
             [this, at] {
                 auto m = std::make_unique<CMartin>(&nodes, nullptr, 0);
                 m->SetNode(at);
                 m->SetCounts(3, -4);
                 return std::unique_ptr<CNodeSymbol>(std::move(m));
             },
             LoadAs<CMartin>},
            Plain<CBobst>("Bobst holes", at),
            Plain<CBobstSP>("Bobst SP holes", at),
            {"assembly hole",
             [this, at] {
                 auto h = std::make_unique<CBobstAsm>(&nodes, nullptr, 0);
                 h->SetNode(at);
                 BobstAsmParams p;
                 p.SetPreset1();
                 p.rotation = 1.25;
                 h->SetParams(p);
                 return std::unique_ptr<CNodeSymbol>(std::move(h));
             },
             LoadAs<CBobstAsm>},
        };
    }
};

TEST_F(SymbolRecord, RoundTripsByteForByteAndKeepsTheNextRecord)
{
    for (const Kind& k : Kinds()) {
        SCOPED_TRACE(k.name);
        auto made = k.make();
        made->SetLineType(122);
        made->SetBridgeMode(BridgeMode::ByHand);
        const QByteArray saved = RecordOf(*made);
        // Two records in a row: the first read leaves the second whole.
        const QByteArray twice = saved + saved;
        platform::BinaryReader in(twice);
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(in.readInt32(), made->GetTypeId());
            auto back = k.make();
            back->SetNode(-1);
            ASSERT_TRUE(k.load(*back, in, 15, 0));
            EXPECT_EQ(RecordOf(*back), saved);
            EXPECT_EQ(back->GetNode(), made->GetNode());
        }
        EXPECT_TRUE(in.atEnd());
    }
}

// Before the common record carried the not-instanced flag, a symbol read
// stays not instanced, as a new one is.
TEST_F(SymbolRecord, OlderFilesLeaveThemNotInstanced)
{
    for (const Kind& k : Kinds()) {
        SCOPED_TRACE(k.name);
        auto made = k.make();
        EXPECT_EQ(made->GetNotInstanced(), 1);
        QByteArray old = RecordOf(*made).mid(4);
        old.chop(4); // the flag
        platform::BinaryReader in(old);
        auto back = k.make();
        back->SetNotInstanced(0);
        ASSERT_TRUE(k.load(*back, in, kNotInstancedVersion - 1, 0));
        EXPECT_TRUE(in.atEnd());
        EXPECT_EQ(back->GetNotInstanced(), 0) << "the element's own value stays";
        platform::BinaryReader again(old);
        auto fresh = k.make();
        ASSERT_TRUE(k.load(*fresh, again, kNotInstancedVersion - 1, 0));
        EXPECT_EQ(fresh->GetNotInstanced(), 1);
    }
}

TEST_F(SymbolRecord, DamagedRecordsFailAndChangeNothing)
{
    for (const Kind& k : Kinds()) {
        SCOPED_TRACE(k.name);
        const QByteArray whole = RecordOf(*k.make()).mid(4);
        for (qsizetype n = 0; n < whole.size(); ++n) {
            platform::BinaryReader in(QByteArrayView(whole).first(n));
            auto back = k.make();
            back->SetNode(-1);
            EXPECT_FALSE(k.load(*back, in, 15, 0)) << "cut at " << n;
            EXPECT_EQ(back->GetNode(), -1);
        }
        for (int32_t missing : {-1, 29, 1 << 30}) {
            QByteArray broken = whole;
            broken.replace(0, 4, QByteArray(reinterpret_cast<const char*>(&missing), 4));
            platform::BinaryReader in(broken);
            auto back = k.make();
            EXPECT_FALSE(k.load(*back, in, 15, 0)) << missing;
            EXPECT_TRUE(in.error().contains(QStringLiteral("missing node"))) << in.error().toStdString();
        }
        // A merged file's node base cannot carry an index beyond the range.
        QByteArray last = whole;
        const int32_t highest = std::numeric_limits<int32_t>::max();
        last.replace(0, 4, QByteArray(reinterpret_cast<const char*>(&highest), 4));
        platform::BinaryReader merged(last);
        auto back = k.make();
        EXPECT_FALSE(k.load(*back, merged, 15, 1));
        EXPECT_TRUE(merged.error().contains(QStringLiteral("missing node"))) << merged.error().toStdString();
    }
}

// Sizes that are no numbers are refused; a holder too short for its width
// reads with the default length; any side but 0 reads as 1.
TEST_F(SymbolRecord, OutOfRangeValues)
{
    const auto kinds = Kinds();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        std::size_t kind;
        qsizetype offset; // of a double after the node index
        double value;
    } refused[] = {{0, 4, nan}, {0, 12, inf}, {0, 20, -inf}, {1, 8, nan}, {1, 16, inf}};
    for (const auto& r : refused) {
        QByteArray bytes = RecordOf(*kinds[r.kind].make()).mid(4);
        bytes.replace(r.offset, 8, QByteArray(reinterpret_cast<const char*>(&r.value), 8));
        platform::BinaryReader in(bytes);
        auto back = kinds[r.kind].make();
        EXPECT_FALSE(kinds[r.kind].load(*back, in, 15, 0)) << kinds[r.kind].name << ' ' << r.offset;
    }

    QByteArray holder = RecordOf(*kinds[1].make()).mid(4);
    const double shortLength = 60; // width 25: not above 65
    holder.replace(8, 8, QByteArray(reinterpret_cast<const char*>(&shortLength), 8));
    platform::BinaryReader in(holder);
    CHolder back(&nodes, nullptr, 0);
    ASSERT_TRUE(back.Load(in, 15, 0));
    EXPECT_EQ(back.GetLength(), 75);
    EXPECT_EQ(back.GetWidth(), 25);

    for (std::size_t kind : {2u, 3u}) {
        QByteArray side = RecordOf(*kinds[kind].make()).mid(4);
        const int32_t five = 5;
        side.replace(4, 4, QByteArray(reinterpret_cast<const char*>(&five), 4));
        platform::BinaryReader sideIn(side);
        auto symbol = kinds[kind].make();
        ASSERT_TRUE(kinds[kind].load(*symbol, sideIn, 15, 0));
        EXPECT_EQ(dynamic_cast<CSideSymbol&>(*symbol).GetSide(), 1);
    }
}

} // namespace
