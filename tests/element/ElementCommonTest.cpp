// Selection by criteria, the script text and crossings with other elements.
#include "ElementFixture.h"

#include "element/SelectCriterion.h"

namespace {

class ElementCommon : public elementtest::Elements {};

SelectCriterion Criterion(int property, int comparison, int intValue, int relation, double realValue = 0.0)
{
    SelectCriterion c;
    c.property = property;
    c.comparison = comparison;
    c.intValue = intValue;
    c.realValue = realValue;
    c.relation = relation;
    return c;
}

TEST_F(ElementCommon, SelectionByCriteria)
{
    auto two = MakeLine(0, 0, 100, 0);
    two->CountAutoBridges(2, 4, true);
    auto three = MakeLine(0, 10, 100, 10);
    three->CountAutoBridges(3, 4, true);
    auto four = MakeLine(0, 20, 100, 20);
    four->CountAutoBridges(4, 4, true);
    four->SetPtg(3.0);

    using C = SelectCriterion;
    const C notFewerThanThree = Criterion(C::BridgeCount, C::Less, 3, C::Negated);
    const C neutralPtg = Criterion(C::Ptg, C::Greater, 0, C::Neutral, 2.5);
    const C anyType = Criterion(C::Type, 0, ElementTypeId::Any, C::AsIs);
    const C unknown = Criterion(1999, C::Equal, 0, C::AsIs);
    const C ptgAbove = Criterion(C::Ptg, C::Greater, 0, C::AsIs, 2.5);
    const struct {
        std::vector<C> criteria;
        bool byAnd;
        bool want[3];
    } cases[] = {
        {{notFewerThanThree}, true, {false, true, true}},
        {{notFewerThanThree, neutralPtg}, false, {false, true, true}}, // a neutral test leaves OR alone
        {{notFewerThanThree, neutralPtg}, true, {false, true, true}},  // and AND
        {{anyType, ptgAbove}, true, {false, false, true}},
        {{unknown}, false, {false, false, false}},
    };
    for (const auto& c : cases) {
        int i = 0;
        for (CLine* line : {two.get(), three.get(), four.get()}) {
            line->SelectByCriteria(c.criteria.data(), static_cast<int>(c.criteria.size()), c.byAnd, true);
            EXPECT_EQ(line->IsSelected(), c.want[i]) << &c - cases << " line " << i;
            ++i;
        }
    }
    two->SetSelection(1);
    two->SelectByCriteria(&unknown, 1, true, false); // without replace a false result keeps the selection
    EXPECT_TRUE(two->IsSelected());
}

TEST_F(ElementCommon, ScriptTextOfALine)
{
    auto line = MakeLine(0, 0, 100, 0);
    line->SetLineType(1);
    line->SetAutoBridges(2, 4);
    EXPECT_EQ(line->GetScriptText(),
              QStringLiteral("AddLine {(Line, StartPt) = [0.000000,0.000000], (Line, EndPt) = [100.000000,0.000000], "
                             "(Element, LineType) = [1], (Element, iAutoBridges) = [1], "
                             "(Element, lBridges) = [4.000000]};\n"));
    auto arc = MakeArc(0, 0, 10, 0, 0, 10);
    EXPECT_TRUE(arc->GetScriptText().startsWith(QStringLiteral("AddArc {(Arc, StartPt) = [10.000000,0.000000], ")));
}

TEST_F(ElementCommon, TheLineComputesItsCrossingsWithAnArc)
{
    auto line = MakeLine(-20, 0, 20, 0);
    auto arc = MakeArc(0, 0, 10, 0, 10, 0); // full circle
    arc->IntersectWith(*line);
    ASSERT_EQ(arc->GetIntersections().size(), 2u);
    const std::vector<die::coord> fromArc = arc->GetIntersections();
    line->IntersectWith(*arc);
    EXPECT_EQ(line->GetIntersections(), fromArc);

    auto other = MakeLine(0, -20, 0, 20);
    line->IntersectWith(*other);
    EXPECT_EQ(line->GetIntersections(), (std::vector<die::coord>{{0, 0}}));
}

TEST_F(ElementCommon, NthNearestCrossPoint)
{
    auto line = MakeLine(-20, 0, 20, 0);
    auto a = MakeLine(-5, -10, -5, 10);
    auto b = MakeLine(5, -10, 5, 10);
    auto c = MakeLine(15, -10, 15, 10);
    for (CLine* other : {a.get(), b.get(), c.get()}) {
        line->IntersectWith(*other);
        line->StoreCrossPoints(*other);
    }
    line->IntersectWith(*b); // stored again: replaces, does not add
    line->StoreCrossPoints(*b);
    EXPECT_EQ(line->GetCrossPoints().size(), 3u);

    EXPECT_EQ(line->FindNthNearestCrossPoint(0, 0, 0, 1).other, a.get()); // a and b equally near: the first
    EXPECT_EQ(line->FindNthNearestCrossPoint(0, 0, 0, 2).other, c.get()); // the next farther
    EXPECT_EQ(line->FindNthNearestCrossPoint(0, 0, 0, 3).other, nullptr);
    EXPECT_EQ(line->FindNthNearestCrossPoint(0, 0, 5, 1).other, c.get());
}

} // namespace
