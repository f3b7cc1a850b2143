// Cuir holes, holders, separation rules and stripper boards made from
// coordinates and node indices, copied, and moved to another node.
#include "section/SectionFixture.h"

#include "display/DisplayList.h"
#include "element/Cuir.h"
#include "element/Holder.h"
#include "element/SideSymbol.h"

#include <limits>

namespace {

using SectionSymbols = sectiontest::Drawing;

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
    EXPECT_EQ(undo.GetOpenStep()->items.size(), 5u); // one node, four elements
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
    EXPECT_FALSE(section.AddCuir1(77, 21, 0, 10).NotEqual(section.end()));
    EXPECT_TRUE(Elements().empty());
}

TEST_F(SectionSymbols, SymbolsCopyAndFollowAReplacedNode)
{
    const ElementIterator made[] = {
        section.AddCuirAt(5, 5, 30, 1, 10, true),
        section.AddHolder(5, 5, true, 90, 20, true),
        section.AddSeperatingRule(5, 5, true, true),
        section.AddStripperWood(5, 5, true, true),
    };
    const int other = nodes.AddPoint(50, 50, true);
    for (const ElementIterator& it : made) {
        ASSERT_TRUE(it.NotEqual(section.end()));
        const int slot = section.CopyElement(*it.Get());
        ASSERT_GE(slot, 0) << it.Get()->GetTypeId();
        CElement* copy = section.GetElement(slot);
        EXPECT_NE(copy, it.Get());
        EXPECT_EQ(copy->GetTypeId(), it.Get()->GetTypeId());
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

} // namespace
