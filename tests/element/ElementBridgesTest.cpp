#include "ElementFixture.h"

#include "common/TempDir.h"
#include "display/DisplayList.h"
#include "options/Options.h"

#include <gmock/gmock.h>

namespace {

using elementtest::BridgesOf;
using testing::DoubleNear;
using testing::ElementsAre;
using testing::Pair;

class ElementBridges : public elementtest::Elements {};

TEST_F(ElementBridges, EvenBridgesOnA100mmLine)
{
    auto line = MakeLine(0, 0, 100, 0);
    line->CountAutoBridges(2, 4, true);
    EXPECT_THAT(BridgesOf(*line), ElementsAre(Pair(23.0, 4.0), Pair(73.0, 4.0)));

    line->CountAutoBridges(1, 4, false); // two there already: three in all
    EXPECT_THAT(BridgesOf(*line), ElementsAre(Pair(DoubleNear(14.6667, 1e-4), 4.0), Pair(DoubleNear(48, 1e-9), 4.0),
                                              Pair(DoubleNear(81.3333, 1e-4), 4.0)));

    line->CountAutoBridges(2, 120, true); // wider than the line
    EXPECT_EQ(line->GetBridges().Count(), 0);
}

TEST_F(ElementBridges, ARequestForMoreThan100BridgesIsSpreadAs100)
{
    auto line = MakeLine(0, 0, 1000, 0);
    line->CountAutoBridges(150, 1, true);
    ASSERT_EQ(line->GetBridges().Count(), BridgeList::MaxCount);
    // 100 even bridges leave 4.5 mm of rule before the first and after the last.
    EXPECT_DOUBLE_EQ(line->GetBridges()[0].position, 4.5);
    EXPECT_DOUBLE_EQ(line->GetBridges()[99].position + 1, 1000 - 4.5);
}

TEST_F(ElementBridges, BridgesThatDoNotFitFollowOneAnotherWithoutOverlapping)
{
    // An arc 31.4 mm long with four 10 mm bridges: the first would start
    // before the arc and is dropped; the others are cut where the next starts.
    auto arc = MakeArc(0, 0, 5, 0, 5, 0);
    const double length = arc->GetFullLength();
    arc->CountAutoBridges(4, 10, true);
    const double s = (length - 40) / 4;
    ASSERT_EQ(arc->GetBridges().Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(arc->GetBridges()[i].position, (i + 1) * s + s / 2 + (i + 1) * 10, 1e-9) << i;
    for (int i = 0; i + 1 < 3; ++i)
        EXPECT_LE(arc->GetBridges()[i].position + arc->GetBridges()[i].width, arc->GetBridges()[i + 1].position) << i;

    // A line too short for its bridges draws no rule inside a gap.
    auto line = MakeLine(0, 0, 10, 0);
    line->SetAutoBridges(3, 4);
    line->RebuildContour();
    line->RegenerateDisplayList(DisplayMode::WithBridges);
    const DisplayFigure& figure = line->GetDisplayList().Figures().front();
    double previous = -1e9;
    for (const OutputNode& n : figure.output) {
        EXPECT_GE(n.x, previous) << "the output walks back over a gap";
        previous = n.x;
    }
}

TEST_F(ElementBridges, ValidatingBridgesByHandAfterTheStartWasCutOff)
{
    auto line = MakeLine(0, 0, 95, 0);
    line->SetBridgeMode(BridgeMode::ByHand);
    line->SetBridges({{0, 3, 4}, {0, 10, 4}, {0, 98, 4}});
    line->ValidateCustomBridges(5);
    EXPECT_THAT(BridgesOf(*line), ElementsAre(Pair(5.0, 4.0)));

    line->SetBridges({{0, 5, 4}});
    line->ValidateCustomBridges(5); // a bridge exactly at the cut stays
    EXPECT_THAT(BridgesOf(*line), ElementsAre(Pair(0.0, 4.0)));
}

TEST_F(ElementBridges, MovingAndFindingBridgesByHand)
{
    auto line = MakeLine(0, 0, 100, 0);
    line->CountAutoBridges(1, 4, true);
    line->MoveBridgeTo(0, 150, 7);
    EXPECT_EQ(line->GetBridgeMode(), BridgeMode::ByHand);
    EXPECT_DOUBLE_EQ(line->GetBridges()[0].position, 95.82217205899611);

    line->MoveBridgeTo(1, 50, 0); // no such bridge
    EXPECT_EQ(line->GetBridges().Count(), 1);

    line->SetBridges({{0, 20, 4}, {0, 60, 4}});
    const struct {
        double x;
        int want;
    } cases[] = {{20, 0}, {24, 0}, {22, 0}, {40, -1}, {60, 1}, {64, 1}, {65, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(line->FindBridgeAt(c.x, 3), c.want) << c.x;
}

TEST_F(ElementBridges, ScalingBridgesByMode)
{
    auto line = MakeLine(0, 0, 100, 0);
    line->SetAutoBridges(2, 4);
    line->ScaleBridges(2);
    EXPECT_EQ(line->GetAutoWidth(), 8.0);

    line->SetBridgeMode(BridgeMode::ByHand);
    line->SetBridges({{0, 10, 4}});
    line->ScaleBridges(0.5);
    EXPECT_THAT(BridgesOf(*line), ElementsAre(Pair(5.0, 2.0)));
}

TEST_F(ElementBridges, BridgesByRuleComeFromTheOptionsAndStayWhenNoRuleGivesAny)
{
    test::ScopedTestEnvironment env;
    COptions options;
    BridgeRuleSet* rules = nullptr;
    double* perLength = nullptr;
    double* length = nullptr;
    options.GetBridgeSettings(rules, perLength, length);
    rules->insert(BridgeRule{1, 1, 2, 4.0, 0.0, 150.0}); // lines under 150 mm: two of 4 mm

    CLine line(&nodes, &options, 0);
    line.SetStartNode(Node(0, 0));
    line.SetEndNode(Node(100, 0));
    line.SetBridgeMode(BridgeMode::ByRule);
    line.RefreshBridges();
    EXPECT_THAT(BridgesOf(line), ElementsAre(Pair(23.0, 4.0), Pair(73.0, 4.0)));

    // Longer than any rule, and no default: the bridges stay as they were.
    EXPECT_TRUE(line.ExtendBy(0, 100));
    line.RebuildContour();
    EXPECT_THAT(BridgesOf(line), ElementsAre(Pair(23.0, 4.0), Pair(73.0, 4.0)));
}

TEST_F(ElementBridges, TheDisplayListIsRebuiltOnlyAfterAChange)
{
    auto line = MakeLine(0, 0, 100, 0);
    line->SetAutoBridges(2, 4);
    line->RebuildContour();
    EXPECT_FALSE(line->IsDisplayDirty());
    line->RegenerateDisplayList(DisplayMode::WithBridges);
    line->RebuildContour(); // nothing changed: the output stays built
    EXPECT_EQ(line->GetDisplayList().GetOutputMode(), DisplayMode::WithBridges);

    ASSERT_TRUE(line->ExtendBy(0, 100));
    EXPECT_TRUE(line->IsDisplayDirty());
    line->RebuildContour();
    EXPECT_FALSE(line->IsDisplayDirty());
    const DisplayFigure& figure = line->GetDisplayList().Figures().front();
    EXPECT_EQ(figure.points.back(), (die::coord{200, 0}));
    ASSERT_EQ(figure.bridges.size(), 2u);
    EXPECT_DOUBLE_EQ(figure.bridges[0].position, 48.0); // laid out again over 200 mm
}

} // namespace
