// The symbols on one node (cuir holes, holders, separation rules, stripper
// boards, the hole patterns and the assembly hole) made from coordinates and
// node indices, copied, and moved to another node.
#include "section/SectionFixture.h"

#include "display/DisplayList.h"
#include "element/BobstAsm.h"
#include "element/BobstHoles.h"
#include "element/Cuir.h"
#include "element/Holder.h"
#include "element/Martin.h"
#include "element/SideSymbol.h"
#include "platform/BinaryStream.h"

#include <limits>

namespace {

class SectionSymbols : public sectiontest::Drawing {
protected:
    // One symbol of each class at (x, y).
    std::vector<ElementIterator> EachAt(double x, double y)
    {
        BobstAsmParams p;
        p.SetPreset1();
        return {
            section.AddCuirAt(x, y, 30, 1, 10, true),   section.AddHolder(x, y, true, 90, 20, true),
            section.AddSeperatingRule(x, y, true, true), section.AddStripperWood(x, y, true, true),
            section.AddMartinHole(x, y, 3, 2, true),     section.AddBobstHole(x, y, 2, 4, true),
            section.AddBobstSPHole(x, y, 2, 4, true),    section.AddBobstAt(x, y, p, true),
        };
    }

    static QByteArray RecordOf(const CElement& e)
    {
        platform::BinaryWriter out;
        e.Save(out);
        return out.take();
    }
};

TEST_F(SectionSymbols, EachSymbolTakesItsOwnLineTypeAndStaysNotInstanced)
{
    const bool avoidLayout = false; // new elements would be instanced
    section.SetAvoidLayoutSource(&avoidLayout);
    undo.Open(1, nullptr);
    const struct {
        ElementIterator made;
        int type;
        int lineType;
    } cases[] = {
        {section.AddCuirAt(10, 20, 21, 0.5, 10, true), ElementTypeId::Cuir, 126},
        {section.AddHolder(10, 20, true, 80, 20, true), ElementTypeId::Holder, 126},
        {section.AddSeperatingRule(10, 20, true, true), ElementTypeId::SeperationRule, 122},
        {section.AddStripperWood(10, 20, false, true), ElementTypeId::StripperWood, 122},
        {section.AddMartinHole(10, 20, 2, 4, true), ElementTypeId::Martin, 122},
        {section.AddBobstHole(10, 20, 2, 4, true), ElementTypeId::Bobst, 122},
        {section.AddBobstSPHole(10, 20, 3, 1, true), ElementTypeId::BobstSP, 122},
        {section.AddBobstAt(10, 20, BobstAsmParams{}, true), ElementTypeId::BobstAsm, 127},
    };
    int node = -1;
    for (const auto& c : cases) {
        ASSERT_TRUE(c.made.NotEqual(section.end())) << c.type;
        CElement* e = c.made.Get();
        EXPECT_EQ(e->GetTypeId(), c.type);
        EXPECT_EQ(e->GetLineType(), c.lineType);
        EXPECT_EQ(e->GetNotInstanced(), 1);
        EXPECT_EQ(e->GetBridgeMode(), BridgeMode::ByRule);
        EXPECT_TRUE(e->GetBridges().Count() == 0);
        EXPECT_EQ(e->GetPtg(), 2.0);
        EXPECT_EQ(e->GetSection(), &section);
        const int at = dynamic_cast<CNodeSymbol&>(*e).GetNode();
        EXPECT_EQ(At(at), (die::coord{10, 20}));
        if (node >= 0) {
            EXPECT_EQ(at, node) << "merged onto the first symbol's node";
        }
        node = at;
    }
    EXPECT_EQ(undo.GetOpenStep()->items.size(), 9u); // one node, eight elements
    undo.Close();
    const auto* holder = dynamic_cast<const CHolder*>(cases[1].made.Get());
    EXPECT_TRUE(holder->IsVertical());
    EXPECT_EQ(holder->GetLength(), 80);
    EXPECT_EQ(dynamic_cast<const CSideSymbol*>(cases[2].made.Get())->GetSide(), 1);
    EXPECT_EQ(dynamic_cast<const CSideSymbol*>(cases[3].made.Get())->GetSide(), 0);
    const auto* cuir = dynamic_cast<const CCuir*>(cases[0].made.Get());
    EXPECT_EQ(cuir->GetAngle(), 0.5);
    EXPECT_EQ(cuir->GetWingLength(), 10);
}

TEST_F(SectionSymbols, AHolderTooShortForItsWidthGetsTheDefaultLength)
{
    const auto* holder = dynamic_cast<const CHolder*>(section.AddHolder(0, 0, false, 65, 30, true).Get());
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->GetLength(), 80);
    EXPECT_EQ(holder->GetWidth(), 30);
}

TEST_F(SectionSymbols, PointsNoNodeCanHoldAreRefused)
{
    const double far = 1e12;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(section.AddCuirAt(far, 0, 21, 0, 10, true).NotEqual(section.end()));
    EXPECT_FALSE(section.AddHolder(0, nan, false, 80, 20, true).NotEqual(section.end()));
    EXPECT_FALSE(section.AddSeperatingRule(far, far, false, true).NotEqual(section.end()));
    EXPECT_FALSE(section.AddStripperWood(-far, 0, false, true).NotEqual(section.end()));
    EXPECT_FALSE(section.AddMartinHole(std::numeric_limits<double>::infinity(), 0, 2, 3, true).NotEqual(section.end()));
    EXPECT_FALSE(section.AddBobstHole(0, far, 2, 3, true).NotEqual(section.end()));
    EXPECT_FALSE(section.AddBobstSPHole(nan, 0, 2, 3, true).NotEqual(section.end()));
    EXPECT_FALSE(section.AddBobstAt(far, 0, BobstAsmParams{}, true).NotEqual(section.end()));
    // The node forms refuse a node the table lacks: a symbol on it could
    // not be read back from the file.
    EXPECT_FALSE(section.AddCuir1(77, 21, 0, 10).NotEqual(section.end()));
    EXPECT_FALSE(section.AddBobst2(77, BobstAsmParams{}).NotEqual(section.end()));
    EXPECT_TRUE(Elements().empty());
}

// A copy is of the same class with an equal record and figure; a node
// replaced under a symbol carries it along (one left on the old node would
// be on a missing one once that node goes).
TEST_F(SectionSymbols, SymbolsCopyAndFollowAReplacedNode)
{
    const std::vector<ElementIterator> made = EachAt(5, 5);
    const int other = nodes.AddPoint(50, 50, true);
    for (const ElementIterator& it : made) {
        ASSERT_TRUE(it.NotEqual(section.end()));
        const int slot = section.CopyElement(*it.Get());
        ASSERT_GE(slot, 0) << it.Get()->GetTypeId();
        CElement* copy = section.GetElement(slot);
        EXPECT_NE(copy, it.Get());
        EXPECT_EQ(copy->GetTypeId(), it.Get()->GetTypeId());
        EXPECT_EQ(RecordOf(*copy), RecordOf(*it.Get())) << copy->GetTypeId();
        EXPECT_EQ(copy->GetSection(), &section);
        EXPECT_EQ(copy->GetNotInstanced(), 1);
        copy->RebuildContour();
        it.Get()->RebuildContour();
        ASSERT_EQ(copy->GetDisplayList().Figures().size(), it.Get()->GetDisplayList().Figures().size());
        EXPECT_EQ(copy->GetDisplayList().Figures().back().points,
                  it.Get()->GetDisplayList().Figures().back().points);
    }
    const int from = dynamic_cast<CNodeSymbol&>(*made[0].Get()).GetNode();
    section.ReplaceNode(from, other, false);
    for (CElement* e : Elements())
        EXPECT_EQ(dynamic_cast<CNodeSymbol&>(*e).GetNode(), other) << e->GetTypeId();
    // Only the cuir holes count for the centre.
    EXPECT_EQ(section.GetCenterX(), 25); // (0 + 50) / 2
}

// The hole patterns with the menu's counts: a horizontal count of 0 or less
// leaves the class's own (2 for Martin holes, 0 for the Bobst patterns).
TEST_F(SectionSymbols, PatternsTakeTheirCounts)
{
    const struct {
        int type;
        int horizontal, vertical;
        int h, v;
    } cases[] = {
        {ElementTypeId::Martin, 2, 4, 2, 4},    {ElementTypeId::Martin, 0, 3, 2, 3},
        {ElementTypeId::Martin, -1, 3, 2, 3},   {ElementTypeId::Bobst, 2, 4, 2, 4},
        {ElementTypeId::Bobst, 0, 0, 0, 0},     {ElementTypeId::BobstSP, 3, 1, 3, 1},
    };
    for (const auto& c : cases) {
        ElementIterator it = c.type == ElementTypeId::Martin ? section.AddMartinHole(100, 50, c.horizontal, c.vertical, true)
            : c.type == ElementTypeId::Bobst ? section.AddBobstHole(100, 50, c.horizontal, c.vertical, true)
                                             : section.AddBobstSPHole(100, 50, c.horizontal, c.vertical, true);
        ASSERT_TRUE(it.NotEqual(section.end()));
        auto* pattern = dynamic_cast<HolePattern*>(it.Get());
        ASSERT_NE(pattern, nullptr);
        EXPECT_EQ(pattern->GetTypeId(), c.type);
        EXPECT_EQ(pattern->GetHorizontalCount(), c.h) << c.type << " " << c.horizontal;
        EXPECT_EQ(pattern->GetVerticalCount(), c.v);
    }
}

TEST_F(SectionSymbols, AssemblyHoleKeepsItsRecord)
{
    BobstAsmParams p;
    p.SetPreset1();
    const auto* hole = dynamic_cast<CBobstAsm*>(section.AddBobstAt(10, 20, p, true).Get());
    ASSERT_NE(hole, nullptr);
    EXPECT_EQ(hole->GetParams(), p);
}

} // namespace
