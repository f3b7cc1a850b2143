#include "options/Options.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kArc = 1, kLine = 2, kEllipse = 3, kText = 4, kSpline = 7;

QByteArray Rule(const char* section, const char* type, double min, double max, int count, double length,
                const char* extra = "")
{
    return QByteArray("[") + section + "]\ntype=" + type + "\nmin_len=" + QByteArray::number(min)
           + "\nmax_len=" + QByteArray::number(max) + "\nbridge_num=" + QByteArray::number(count)
           + "\nbridge_len=" + QByteArray::number(length) + "\n" + extra + "\n";
}

class BridgeRulesTest : public ::testing::Test {
protected:
    void Defaults(const QByteArray& text) { env.dir().write(QStringLiteral("app/Defaults/bridges.ini"), text); }
    void User(const QByteArray& text) { env.dir().write(QStringLiteral("app/Config/bridges.cfg"), text); }
    QByteArray UserFile() const { return env.dir().read(QStringLiteral("app/Config/bridges.cfg")); }
    // The rules of freshly loaded options, as the bridge dialog edits them.
    static BridgeRuleSet& LoadedRules(COptions& options)
    {
        options.LoadBridges();
        BridgeRuleSet* rules = nullptr;
        double* perLength = nullptr;
        double* length = nullptr;
        options.GetBridgeSettings(rules, perLength, length);
        return *rules;
    }

    test::ScopedTestEnvironment env;
};

TEST(BridgeKinds, LabelsFollowTheKindNumbers)
{
    EXPECT_EQ(kBridgeKindLabels[0], u"All");
    EXPECT_EQ(kBridgeKindLabels[3], u"Ellipse");
    for (int kind = 0; kind < 5; ++kind)
        EXPECT_EQ(BridgeKindFromText(kBridgeKindLabels[std::size_t(kind)].toString()), kind);
}

TEST_F(BridgeRulesTest, KindRulesComeBeforeAllRulesAndMaximaAreExclusive)
{
    Defaults(Rule("1", "line", 0, 100, 2, 3) + Rule("d1", "all", 0, 1000, 4, 5) + Rule("2", "Spline", 10, 20, 1, 7));
    COptions options;
    options.LoadBridges();
    const struct {
        double length;
        int type;
        int count;
        double bridge;
    } cases[] = {
        {50, kLine, 2, 3},  {50, kArc, 4, 5},      {100, kLine, 4, 5},    {0, kLine, 2, 3},
        {50, kText, 4, 5},  {15, kSpline, 1, 7},   {15, kEllipse, 4, 5},  {1000, kLine, 0, 0},
    };
    for (const auto& c : cases) {
        const BridgeCount got = options.GetAutoLengthNumBridges(c.length, c.type);
        EXPECT_EQ(got.count, c.count) << c.length << " type " << c.type;
        EXPECT_EQ(got.bridgeLength, c.bridge) << c.length << " type " << c.type;
    }
}

TEST_F(BridgeRulesTest, WithoutARuleTheLengthPerBridgeCountsUpTo99)
{
    Defaults("[defaults]\nper_len=100\nlen=3\n" + Rule("1", "line", 0, 10, 1, 1));
    COptions options;
    options.LoadBridges();
    const double huge = std::numeric_limits<double>::max();
    const struct {
        double length;
        int count;
    } cases[] = {{250, 2}, {99, 0}, {50000, 99}, {huge, 99}, {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        const BridgeCount got = options.GetAutoLengthNumBridges(c.length, kArc);
        EXPECT_EQ(got.count, c.count) << c.length;
        EXPECT_EQ(got.bridgeLength, 3.0) << c.length;
    }
    Defaults(Rule("1", "line", 0, 10, 500, 1));
    options.LoadBridges();
    EXPECT_EQ(options.GetAutoLengthNumBridges(5, kLine).count, 99);
    EXPECT_EQ(options.GetAutoLengthNumBridges(250, kLine).count, 0); // no per_len: none
}

TEST_F(BridgeRulesTest, WhichSectionsGiveRules)
{
    Defaults(Rule("d1", "line", 0, 10, 1, 1)
             + Rule("1", "LINE", 0, 10, 2, 2, "deleted=0\n")  // a zero mark is no deletion
             + Rule("2", "arc", 0, 10, 3, 3)                  // equal to the user's d2, read after it
             + Rule("d3", "wavy", 0, 10, 6, 6)                // an unknown type is an "all" rule
             + "[d4]\ntype=arc\nmin_len=10\nmax_len=20\nbridge_len=1\n" // bridge_num missing
             + Rule("4", "ellipse", 0, 10, 4, 4));            // after the gap at 3: never read
    User("[d1]\ndeleted=1\n" + Rule("d2", "arc", 0, 10, 5, 5));
    COptions options;
    const BridgeRuleSet& rules = LoadedRules(options);
    std::vector<std::pair<int, int>> idAndCount;
    for (const BridgeRule& rule : rules)
        idAndCount.emplace_back(rule.id, rule.count);
    EXPECT_EQ(idAndCount, (std::vector<std::pair<int, int>>{{1, 2}, {-2, 5}, {-3, 6}}));
    EXPECT_EQ(rules.rbegin()->kind, 0);
    const BridgeCount none = options.GetAutoLengthNumBridges(500, kLine); // no defaults section: 0 and 0
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(none.bridgeLength, 0.0);
}

TEST_F(BridgeRulesTest, SavingWritesRemovedDefaultsAndNewRulesOnly)
{
    Defaults("[defaults]\nper_len=0\nlen=0\n" + Rule("d1", "all", 0, 1000, 4, 5)
             + Rule("1", "line", 0, 100, 2, 3, "deleted=0\n") + Rule("2", "arc", 0, 100, 3, 3));
    COptions options;
    BridgeRuleSet& rules = LoadedRules(options);
    ASSERT_EQ(rules.size(), 3u);
    rules.erase(BridgeRule{2, 2, 3, 3.0, 0.0, 100.0});
    rules.insert(BridgeRule{99, 4, 1, 2.0, 0.0, 10.0});
    ASSERT_TRUE(options.SaveBridges());
    EXPECT_EQ(UserFile(), QByteArray("[2]\n deleted=1\n\n"
                                     "[3]\n bridge_len=2.0000\n bridge_num=1\n max_len=10.0000\n min_len=0.0000\n"
                                     " type=spline\n\n"));

    COptions reread;
    ASSERT_EQ(LoadedRules(reread).size(), 3u);
    EXPECT_EQ(reread.GetAutoLengthNumBridges(50, kArc).count, 4);
    EXPECT_EQ(reread.GetAutoLengthNumBridges(5, kSpline).count, 1);
    EXPECT_EQ(reread.GetAutoLengthNumBridges(50, kLine).count, 2);
}

// The rules as kind, count, bridge length, minimum and maximum, in set order.
std::vector<std::tuple<int, int, double, double, double>> Listed(const BridgeRuleSet& rules)
{
    std::vector<std::tuple<int, int, double, double, double>> listed;
    for (const BridgeRule& r : rules)
        listed.emplace_back(r.kind, r.count, r.bridgeLength, r.minLength, r.maxLength);
    return listed;
}

// Factory sections after a gap in the numbering are never read; new rules
// fill the gap, and must not bring those sections into reach.
TEST_F(BridgeRulesTest, SavedRulesAreExactlyTheRulesLoadedNextTime)
{
    Defaults(Rule("1", "line", 0, 100, 2, 3) + Rule("2", "arc", 0, 100, 3, 3)
             + Rule("4", "ellipse", 0, 10, 4, 4)                // after the gap at 3
             + Rule("5", "spline", 0, 10, 5, 5, "deleted=1\n")  // a factory rule marked removed
             + Rule("6", "all", 0, 10, 6, 6) + Rule("d1", "all", 0, 1000, 4, 5) + Rule("d3", "arc", 5, 6, 1, 1));
    COptions options;
    BridgeRuleSet& rules = LoadedRules(options);
    ASSERT_EQ(rules.size(), 3u);
    for (int added = 1; added <= 4; ++added) {
        SCOPED_TRACE(added);
        // The second new rule carries the id of factory rule 1: it must not take its section.
        rules.insert(BridgeRule{added == 2 ? 1 : 100 + added, 2, added, 1.0, 10.0 * added, 10.0 * added + 5});
        ASSERT_TRUE(options.SaveBridges());
        COptions reread;
        EXPECT_EQ(Listed(LoadedRules(reread)), Listed(rules));
        // Saving what was loaded writes the same file again.
        const QByteArray file = UserFile();
        ASSERT_TRUE(reread.SaveBridges());
        EXPECT_EQ(UserFile(), file);
    }
}

TEST_F(BridgeRulesTest, NegativeCountsAndLengthsReadAsZero)
{
    Defaults("[defaults]\nper_len=10\nlen=-2\n" + Rule("1", "line", 0, 100, -3, -1.5)
             + Rule("2", "arc", 0, 100, 2, 3));
    COptions options;
    options.LoadBridges();
    const BridgeCount line = options.GetAutoLengthNumBridges(50, kLine);
    EXPECT_EQ(line.count, 0);
    EXPECT_EQ(line.bridgeLength, 0.0);
    const BridgeCount none = options.GetAutoLengthNumBridges(500, kArc); // by per_len, of len
    EXPECT_EQ(none.count, 50);
    EXPECT_EQ(none.bridgeLength, 0.0);
}

} // namespace
