#include "SymbolFixture.h"

#include "element/BobstHoles.h"
#include "platform/BinaryStream.h"

#include <cmath>
#include <numbers>

namespace {

using elementtest::PaintedArc;

class Bobst : public elementtest::Painted {
protected:
    template <typename Pattern>
    std::unique_ptr<Pattern> Make(double x, double y)
    {
        auto p = std::make_unique<Pattern>(&nodes, nullptr, 0);
        p->SetNode(Node(x, y));
        p->SetLineType(122);
        return p;
    }
};

// The holes as painted about a node at (1000, 500): the check values of the
// machine's table, the 21st hole where the table has it, 5 mm beside its
// grid point.
TEST_F(Bobst, CheckHolesArePaintedWhereTheTableSays)
{
    auto spo = Make<CBobst>(1000, 500);
    Paint(*spo);
    std::vector<PaintedArc> arcs = Arcs();
    ASSERT_EQ(arcs.size(), 102u);
    const struct {
        std::size_t hole;
        double x, y;
    } expected[] = {
        {1, 105.4, 647.9},    // (-894.6, 127.9) above the reference 20 mm over the node
        {13, 1109.8, 587.6},  // (109.8, 67.6): grid index (0, 0)
        {21, 75.6, 1187.6},   // (-924.4, 667.6), off the grid point (-929.4, 667.6)
        {39, 1000.0, 997.4},  // (0.0, 477.4)
        {102, 1914.7, 1681.7} // (914.7, 1161.7)
    };
    for (const auto& e : expected) {
        ExpectAt(arcs[e.hole - 1].centre, {e.x, e.y}, "hole " + std::to_string(e.hole));
        EXPECT_NEAR(arcs[e.hole - 1].radius, 4.6, 0.011);
    }

    auto sp = Make<CBobstSP>(1000, 500);
    Paint(*sp);
    arcs = Arcs();
    ASSERT_EQ(arcs.size(), 35u);
    ExpectAt(arcs[0].centre, {1000, 535}, "SP hole 1");
    ExpectAt(arcs[34].centre, {1407.9, 1201.2}, "SP hole 35");
    EXPECT_NEAR(arcs[0].radius, 2.8, 0.011);
}

// Every hole of the SPO table but the 21st is its grid point, rounded to
// 0.1 mm: (109.8, 67.6) + 150 A (cos 30°, -sin 30°) + 150 B (sin 30°, cos 30°).
TEST_F(Bobst, SpoTableIsTheTurnedGridBesideOneHole)
{
    CBobst spo(&nodes, nullptr, 0);
    const auto holes = spo.GetHoles();
    ASSERT_EQ(holes.size(), 102u);
    const double c = std::cos(std::numbers::pi / 6);
    const double s = std::sin(std::numbers::pi / 6);
    for (std::size_t i = 0; i < holes.size(); ++i) {
        const die::coord v = holes[i] - die::coord{109.8, 67.6};
        const double a = (v.x * c - v.y * s) / 150.0;
        const double b = (v.x * s + v.y * c) / 150.0;
        const die::coord grid = die::coord{109.8, 67.6} + die::coord{c, -s} * (150.0 * std::round(a))
            + die::coord{s, c} * (150.0 * std::round(b));
        const double off = die::distance(holes[i], grid);
        if (i == 20) {
            EXPECT_NEAR(off, 5.0, 0.1);
            EXPECT_EQ(holes[i], (die::coord{-924.4, 667.6}));
        } else {
            EXPECT_LT(off, 0.071) << "hole " << i + 1; // rounding of both coordinates
        }
    }
}

TEST_F(Bobst, CountsStartAtZeroAndSetTheExtentsOnly)
{
    auto p = Make<CBobst>(1000, 500);
    EXPECT_EQ(p->GetHorizontalCount(), 0);
    EXPECT_EQ(p->GetVerticalCount(), 0);
    EXPECT_EQ(p->GetMinX(0, true), 1000);
    EXPECT_EQ(p->GetMaxY(0, true), 500);
    EXPECT_EQ(p->GetFullLength(), 0.0);

    p->SetCounts(2, 4); // what the menu commands pass
    EXPECT_EQ(p->GetMinX(0, true), 900);
    EXPECT_EQ(p->GetMaxX(0, true), 1100);
    EXPECT_EQ(p->GetMinY(0, true), 300);
    EXPECT_EQ(p->GetMaxY(0, true), 700);
    Paint(*p);
    EXPECT_EQ(Arcs().size(), 102u);

    p->SetCounts(1, 0);
    EXPECT_EQ(p->OnShiftWheel(-120, 0, 0), 1);
    EXPECT_EQ(p->GetHorizontalCount(), 1);
    EXPECT_EQ(p->OnCtrlWheel(-120, 0, 0), 0);
    EXPECT_EQ(p->GetVerticalCount(), -1);
}

TEST_F(Bobst, SelectionMovesAndCopies)
{
    auto p = Make<CBobstSP>(1000, 500);
    p->SetCounts(2, 4);
    // The extents 900..1100 × 300..700 touching the rectangle on one side.
    EXPECT_FALSE(p->IsInRect(1100, 0, 1300, 800, 3));
    EXPECT_TRUE(p->IsInRect(1090, 0, 1300, 800, 3));
    EXPECT_TRUE(p->IsInRect(990, 490, 1010, 510, 1));
    EXPECT_FALSE(p->IsInRect(0, 0, 10, 10, 2));

    NodeRemap remap;
    p->Move(remap, 10, 10);
    EXPECT_EQ(At(p->GetNode()), (die::coord{1000, 500}));
    p->SetSelection(1);
    p->Move(remap, 10, 20);
    EXPECT_EQ(At(p->GetNode()), (die::coord{1010, 520}));
    EXPECT_TRUE(p->UsesNode(p->GetNode(), false));
    EXPECT_FALSE(p->UsesNode(p->GetNode(), true));

    CBobstSP copy(*p);
    EXPECT_EQ(copy.GetNode(), p->GetNode());
    EXPECT_EQ(copy.GetHorizontalCount(), 2);
    Paint(copy);
    const std::vector<PaintedArc> copied = Arcs();
    Paint(*p);
    const std::vector<PaintedArc> source = Arcs();
    ASSERT_EQ(copied.size(), source.size());
    for (std::size_t i = 0; i < source.size(); ++i)
        ExpectAt(copied[i].centre, source[i].centre, "hole " + std::to_string(i + 1));
}

TEST_F(Bobst, TurningScalingAndMirroringMoveTheNodeOnly)
{
    auto p = Make<CBobst>(100, 0);
    p->SetSelection(1);
    NodeRemap remap;
    p->Rotate(remap, 0, 0, 90);
    EXPECT_NEAR(At(p->GetNode()).x, 0, 0.002);
    EXPECT_NEAR(At(p->GetNode()).y, 100, 0.002);
    p->Scale(remap, 0, 0, 2, 3);
    EXPECT_NEAR(At(p->GetNode()).y, 300, 0.002);
    p->Mirror(remap, 0, 100, 10, 100);
    EXPECT_NEAR(At(p->GetNode()).y, -100, 0.002);
    Paint(*p);
    ExpectAt(Arcs()[12].centre, At(p->GetNode()) + die::coord{109.8, 87.6}, "hole 13");
}

// The record holds the node only: the counts, the radius and the table are
// the class's (round trips and damaged records: SymbolRecordTest).
TEST_F(Bobst, RecordHoldsTheNodeOnly)
{
    auto spo = Make<CBobst>(10, 20);
    auto sp = Make<CBobstSP>(10, 20);
    for (const BobstHolePattern* p : {static_cast<BobstHolePattern*>(spo.get()), static_cast<BobstHolePattern*>(sp.get())})
        EXPECT_EQ(elementtest::RecordOf(*p).size(), 4 + 4 + 36); // id, node, the common record without bridges
}

} // namespace
