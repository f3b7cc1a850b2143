#include "element/Micrometres.h"
#include "element/NodeEvaluation.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "geometry/Instance.h"

#include "NodeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using nodetest::Drawing;

TEST(NodePoint, KindsLieWhereTheirFormulasPutThem)
{
    struct Case {
        const char* what;
        int kind;
        QString f1, f2; // dx/dy, distance/angle, d1/d2
        bool separate;
        double wantX, wantY;
    };
    const Case cases[] = {
        {"offset", NodeKind::Offset, "A/10", "-B/100", false, 10 + 50, 20 - 3},
        {"polar 90 degrees", NodeKind::Polar, "5", "90", false, 10, 25},
        {"polar 180 degrees", NodeKind::Polar, "H", "180", false, 10 - 100, 20},
        {"two distances right of p1->p2", NodeKind::TwoDistances, "30", "40", true, 18, -24},
        {"negative first distance: left", NodeKind::TwoDistances, "-30", "40", true, 18, 24},
        {"circles apart: middle of the gap", NodeKind::TwoDistances, "10", "10", true, 25, 0},
        {"one distance for both", NodeKind::TwoDistances, "30", "99", false, 25, -std::sqrt(900.0 - 625.0)},
    };
    for (const Case& c : cases) {
        Drawing d;
        d.SetVariable("A", "500");
        d.SetVariable("B", "300");
        d.SetVariable("H", "100");
        const int base = d.Absolute(10, 20);
        const int p1 = d.Absolute(0, 0);
        const int p2 = d.Absolute(50, 0);
        const int n = d.Parametric([&](CNodePoint& node) {
            if (c.kind == NodeKind::Offset)
                node.MakeOffset(&d.Node(base), c.f1, c.f2);
            else if (c.kind == NodeKind::Polar)
                node.MakePolar(&d.Node(base), c.f1, c.f2);
            else if (c.separate)
                node.MakeAtTwoDistances(&d.Node(p1), &d.Node(p2), c.f1, c.f2);
            else
                node.MakeEquidistant(&d.Node(p1), &d.Node(p2), c.f1);
        });
        d.nodes.SetCacheValid(false);
        EXPECT_NEAR(d.Node(n).GetX(), c.wantX, 1e-9) << c.what;
        EXPECT_NEAR(d.Node(n).GetY(), c.wantY, 1e-9) << c.what;
    }
}

TEST(NodePoint, TwoDistanceConstructionCases)
{
    const struct {
        die::coord p1, p2;
        double a, b;
        die::coord want;
    } cases[] = {
        {{0, 0}, {50, 0}, 30, 40, {18, -24}},
        {{0, 0}, {50, 0}, -30, 40, {18, 24}},
        {{0, 0}, {500, 0}, 100, 100, {250, 0}},     // apart: the middle of the gap
        {{0, 0}, {50, 0}, 100, 20, {65, 0}},        // one inside the other
        {{0, 0}, {50, 0}, 20, 30, {20, 0}},         // touching
        {{3, 4}, {3, 4}, 10, 6, {11, 4}},           // same centre
        {{3, 4}, {3, 4}, -10, 6, {5, 4}},
    };
    for (const auto& c : cases) {
        const die::coord got = NodeEvaluation::IntersectCircles(c.p1, c.p2, c.a, c.b);
        EXPECT_NEAR(got.x, c.want.x, 1e-9) << c.a << " " << c.b;
        EXPECT_NEAR(got.y, c.want.y, 1e-9) << c.a << " " << c.b;
    }
}

TEST(NodePoint, SelfReferenceUsesTheStoredPosition)
{
    Drawing d;
    const int n = d.Parametric([&](CNodePoint& node) {
        node.SetXUm(10000);
        node.SetYUm(-2500);
    });
    d.Node(n).MakeOffset(&d.Node(n), "5", "1");
    EXPECT_DOUBLE_EQ(d.Node(n).GetPlainX(), 15.0);
    EXPECT_DOUBLE_EQ(d.Node(n).GetPlainY(), -1.5);
    // Kind 603 takes its own stored position in whole millimetres.
    const int p2 = d.Absolute(60, 0);
    d.Node(n).SetXUm(10999);
    d.Node(n).SetYUm(0);
    d.Node(n).MakeEquidistant(&d.Node(n), &d.Node(p2), "100");
    EXPECT_DOUBLE_EQ(d.Node(n).GetPlainX(), 10 + 25.0); // the middle of the gap from 10 to 60
}

TEST(NodePoint, RotationTurnsAboutTheCentreAndSetPlainTurnsBack)
{
    Drawing d;
    const int n = d.Absolute(10, 0);
    CNodePoint& node = d.Node(n);
    node.SetRotationFormulas("0", "0", "90");
    d.nodes.SetCacheValid(false);
    EXPECT_NEAR(node.GetX(), 0.0, 1e-9);
    EXPECT_NEAR(node.GetY(), 10.0, 1e-9);
    EXPECT_DOUBLE_EQ(node.GetPlainX(), 10.0);
    EXPECT_TRUE(node.IsRotated());

    ASSERT_TRUE(node.SetPlain(0, 10, false));
    EXPECT_EQ(node.GetStoredXUm(), 10000);
    EXPECT_EQ(node.GetStoredYUm(), 0);
    EXPECT_EQ(node.GetRotationAngleFormula(), "90");

    // The origin node is the point that lands on the centre.
    d.Node(d.origin).SetXUm(5000);
    node.SetRotationFormulas("100", "0", "180");
    d.nodes.SetCacheValid(false);
    EXPECT_NEAR(node.GetX(), 95.0, 1e-9);
    EXPECT_NEAR(node.GetY(), 0.0, 1e-9);
}

TEST(NodePoint, StoresTruncatedMicrometresAndRefusesWhatDoesNotFit)
{
    Drawing d;
    CNodePoint& node = d.Node(d.Absolute(1, 1));
    ASSERT_TRUE(node.SetPlain(1.0009, -1.0009, true));
    EXPECT_EQ(node.GetStoredXUm(), 1000);
    EXPECT_EQ(node.GetStoredYUm(), -1000);

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double bad : {nan, inf, -inf, 2147483.648, -2147483.649, 1e300}) {
        EXPECT_FALSE(node.SetPlain(bad, 0, true)) << bad;
        EXPECT_FALSE(node.SetPlain(0, bad, true)) << bad;
        EXPECT_EQ(d.nodes.AddPoint(bad, 0, true), -1) << bad;
        EXPECT_EQ(d.nodes.AddPoint(0, bad, false), -1) << bad;
    }
    EXPECT_EQ(node.GetStoredXUm(), 1000);
    EXPECT_TRUE(node.SetPlain(2147483.647, -2147483.648, true));

    node.SetXUm(std::numeric_limits<int32_t>::max() - 5);
    EXPECT_FALSE(node.MoveXUm(6));
    EXPECT_TRUE(node.MoveXUm(5));
    EXPECT_EQ(node.GetStoredXUm(), std::numeric_limits<int32_t>::max());
}

TEST(NodePoint, ConvertRaisesTheUseCountOnlyWhenTheNodeChanges)
{
    Drawing d;
    CNodePoint& node = d.Node(d.Absolute(10, 0));
    node.SetRotationFormulas("0", "0", "90");
    d.nodes.SetCacheValid(false);
    node.SetUseCount(0);
    node.Convert(CNodePoint::DropRotation);
    EXPECT_EQ(node.GetUseCount(), 0);
    EXPECT_TRUE(node.GetRotationAngleFormula().isEmpty());

    node.SetRotationFormulas("0", "0", "90");
    d.nodes.SetCacheValid(false);
    node.Convert(CNodePoint::ToRotated);
    EXPECT_EQ(node.GetUseCount(), 1);
    EXPECT_EQ(node.GetStoredXUm(), 0);
    EXPECT_EQ(node.GetStoredYUm(), 10000);

    const int base = d.Absolute(3, 4);
    const int p = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(base), "1", "1"); });
    d.Node(p).Convert(CNodePoint::ToPlain);
    EXPECT_EQ(d.Node(p).GetKind(), NodeKind::Absolute);
    EXPECT_EQ(d.Node(p).GetStoredXUm(), 4000);
    EXPECT_EQ(d.Node(p).GetUseCount(), 1);
}

TEST(NodePoint, AssignCopiesTheSecondDistanceFlag)
{
    Drawing d;
    const int p1 = d.Absolute(0, 0);
    const int p2 = d.Absolute(50, 0);
    const int n = d.Parametric([&](CNodePoint& node) { node.MakeAtTwoDistances(&d.Node(p1), &d.Node(p2), "30", "40"); });
    CNodePoint copy(&d.Node(n));
    EXPECT_TRUE(copy.HasSeparateSecondDistance());
    EXPECT_NEAR(copy.GetX(), 18, 1e-9);
    EXPECT_NEAR(copy.GetY(), -24, 1e-9);
}

TEST(NodePoint, ReferenceLoopsGiveADefinedPositionAndAreReported)
{
    Drawing d;
    // a -> b -> c -> a, each 1 mm further along X.
    const int a = d.Absolute(100, 0);
    const int b = d.Absolute(200, 0);
    const int c = d.Absolute(300, 0);
    d.Node(a).MakeOffset(&d.Node(c), "1", "0");
    d.Node(b).MakeOffset(&d.Node(a), "1", "0");
    d.Node(c).MakeOffset(&d.Node(b), "1", "0");
    d.nodes.SetCacheValid(false);
    EXPECT_EQ(d.nodes.ReferenceLoopNode(), -1);
    // Evaluated from a: b's reference closes the loop, so b stands on its
    // own stored position.
    EXPECT_DOUBLE_EQ(d.Node(a).GetX(), 200 + 1 + 1 + 1);
    EXPECT_GE(d.nodes.ReferenceLoopNode(), a);
    EXPECT_TRUE(std::isfinite(d.Node(b).GetX()));
    EXPECT_TRUE(std::isfinite(d.Node(c).GetX()));

    // A loop through both references of a two-distance node.
    const int t = d.Parametric([&](CNodePoint& node) { node.MakeAtTwoDistances(&d.Node(a), &d.Node(b), "5", "5"); });
    d.Node(a).MakeOffset(&d.Node(t), "1", "0");
    d.nodes.SetCacheValid(false);
    EXPECT_TRUE(std::isfinite(d.Node(t).GetX()));
    EXPECT_NE(d.nodes.ReferenceLoopNode(), -1);
    d.Node(t).AddRef(); // must end too
    EXPECT_GE(d.Node(t).GetUseCount(), 1);
}

TEST(NodePoint, LongChainsEvaluateWithoutDeepRecursion)
{
    Drawing d;
    constexpr int kLength = 200000;
    int previous = d.origin;
    for (int i = 0; i < kLength; ++i)
        previous = d.Parametric([&](CNodePoint& node) { node.MakeOffset(&d.Node(previous), "0.001", "1"); });
    d.nodes.SetCacheValid(false);
    EXPECT_NEAR(d.Node(previous).GetX(), kLength * 0.001, 1e-6);
    EXPECT_DOUBLE_EQ(d.Node(previous).GetY(), kLength);
    d.Node(previous).AddRef();
    EXPECT_EQ(d.Node(d.origin).GetUseCount(), 1);
    EXPECT_TRUE(d.nodes.NodeDependsOn(previous, d.origin));
}

TEST(NodePoint, AddRefCountsEveryWayToANode)
{
    Drawing d;
    const int base = d.Absolute(10, 10);
    const int left = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(base), "-5", "0"); });
    const int right = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(base), "5", "0"); });
    const int top = d.Parametric([&](CNodePoint& n) { n.MakeEquidistant(&d.Node(left), &d.Node(right), "8"); });
    d.Node(top).AddRef();
    EXPECT_EQ(d.Node(top).GetUseCount(), 1);
    EXPECT_EQ(d.Node(left).GetUseCount(), 1);
    EXPECT_EQ(d.Node(right).GetUseCount(), 1);
    EXPECT_EQ(d.Node(base).GetUseCount(), 2);

    // A node re-pointed at itself counts once and stops.
    const int self = d.Parametric([&](CNodePoint& n) { n.MakeOffset(&d.Node(base), "1", "1"); });
    d.Node(self).SetReference1(self);
    d.Node(self).AddRef();
    EXPECT_EQ(d.Node(self).GetUseCount(), 1);
}

TEST(NodePoint, PositionQueries)
{
    Drawing d;
    CNodePoint& a = d.Node(d.Absolute(3, 4));
    CNodePoint& b = d.Node(d.Absolute(0.0009, 0));
    EXPECT_DOUBLE_EQ(a.DistanceTo(b), 5.0); // from whole micrometres
    EXPECT_NEAR(a.AngleFrom(b), std::atan2(4.0, 3.0), 1e-12); // b is stored at 0
    EXPECT_TRUE(a.IsAt(3.002, 3.998));
    EXPECT_FALSE(a.IsAt(3.0021, 4));
    EXPECT_EQ(a.GetXUm(), 3000);
    CInstance moved;
    moved.dx = 10;
    moved.angle = 90;
    EXPECT_NEAR(a.GetXInInstance(&moved), -4 + 10, 1e-9);
    EXPECT_NEAR(a.GetYInInstance(&moved), 3, 1e-9);
    d.nodes.SetCurrentPlacement(&moved);
    EXPECT_TRUE(a.IsInRect(5, 4, 7, 2));
    EXPECT_FALSE(a.IsInRect(2, 5, 4, 3));
}
