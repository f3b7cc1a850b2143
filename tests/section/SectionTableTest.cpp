#include "section/SectionFixture.h"

namespace {

using sectiontest::Drawing;
using SectionTable = Drawing;

TEST_F(SectionTable, ANewSectionIsEmptyWithInstanceZeroAndDefaultLayoutRecords)
{
    EXPECT_EQ(section.GetSlotsInUse(), 0);
    EXPECT_EQ(section.begin(), section.end());
    ASSERT_EQ(section.GetInstanceCount(), 1);
    const CInstance& zero = section.GetInstance(0);
    EXPECT_FALSE(zero.identity);
    EXPECT_EQ(zero.Transform({12.5, -3}).x, 12.5);
    EXPECT_EQ(zero.Transform({12.5, -3}).y, -3);
    EXPECT_TRUE(section.IsVisible());
    EXPECT_FALSE(section.IsLocked());
    for (const AutoInstance* record : {&section.GetRows(), &section.GetColumns()}) {
        EXPECT_EQ(record->angle, 180.0);
        EXPECT_EQ(record->count, 1);
        EXPECT_FALSE(record->rotateAlternate);
    }
}

TEST_F(SectionTable, SlotsAreHandedOutInOrderAndTheCapacityGrowsAtTheTenth)
{
    const struct {
        int slot;
        int capacityAfter;
    } allocations[] = {{0, 10}, {1, 10}, {2, 10}, {3, 10}, {4, 10}, {5, 10}, {6, 10}, {7, 10}, {8, 10}, {9, 510}};
    for (const auto& a : allocations) {
        const int slot = section.GetFirstNullElement();
        EXPECT_EQ(slot, a.slot);
        EXPECT_EQ(section.GetElementCapacity(), a.capacityAfter) << a.slot;
        EXPECT_LT(section.GetSlotsInUse(), section.GetElementCapacity());
        (void)section.ExchangeSlot(slot, std::make_unique<CLine>(&nodes, nullptr, 0));
    }
}

TEST_F(SectionTable, HolesAreReusedLowestFirstAndSkippedByIteration)
{
    std::vector<CLine*> lines;
    for (int i = 0; i < 10; ++i)
        lines.push_back(Line(0, i, 100, i));
    section.DeleteElement(lines[7]);
    section.DeleteElement(lines[3]);

    std::vector<int> visited;
    for (ElementIterator it = section.begin(); it.NotEqual(section.end()); it.Next())
        visited.push_back(it.GetIndex());
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 2, 4, 5, 6, 8, 9}));

    EXPECT_EQ(section.GetFirstNullElement(), 3);
    // A slot the caller leaves empty stays a hole and comes back next time.
    EXPECT_EQ(section.GetFirstNullElement(), 3);
    CLine* refill = Line(0, 20, 100, 20);
    EXPECT_EQ(section.GetElement(3), refill);
    EXPECT_EQ(section.GetFirstNullElement(), 7);
    EXPECT_EQ(section.GetSlotsInUse(), 10);
    EXPECT_EQ(section.GetFirstNullElement(), 7);
    (void)section.ExchangeSlot(7, std::make_unique<CLine>(&nodes, nullptr, 0));
    EXPECT_EQ(section.GetFirstNullElement(), 10);
    EXPECT_EQ(section.GetSlotsInUse(), 11);
}

TEST_F(SectionTable, IteratorsCompareByTableAndPosition)
{
    Section other(&nodes, nullptr, &undo);
    ElementIterator unset;
    EXPECT_EQ(unset.GetIndex(), -1);
    EXPECT_FALSE(unset.AtEnd());
    EXPECT_EQ(section.end(), section.end());
    EXPECT_TRUE(section.end().NotEqual(other.end()));

    Line(0, 0, 10, 0);
    Line(0, 5, 10, 5);
    ElementIterator first = section.begin();
    ElementIterator copy = first;
    EXPECT_EQ(first, copy);
    copy.Next();
    EXPECT_TRUE(first.NotEqual(copy));
    EXPECT_EQ(copy.GetIndex(), 1);
    copy.Next();
    EXPECT_EQ(copy, section.end());
    EXPECT_EQ(copy.GetIndex(), -1);
    // An end iterator taken before the table grows still ends it.
    const ElementIterator oldEnd = section.end();
    Line(0, 9, 10, 9);
    EXPECT_EQ(oldEnd, section.end());
}

TEST_F(SectionTable, TheCopyFactoryMakesAnEqualObjectOfTheSameClass)
{
    CLine* line = Line(1, 2, 30, 4);
    CArc* arc = Arc(0, 0, 10, 0, 0, 10);
    ASSERT_NE(line, nullptr);
    ASSERT_NE(arc, nullptr);
    line->SetLineType(7);

    std::unique_ptr<CElement> lineCopy = Section::CreateElement(*line);
    auto* l = dynamic_cast<CLine*>(lineCopy.get());
    ASSERT_NE(l, nullptr);
    EXPECT_NE(l, line);
    EXPECT_EQ(l->GetStartNode(), line->GetStartNode());
    EXPECT_EQ(l->GetEndNode(), line->GetEndNode());
    EXPECT_EQ(l->GetLineType(), 7);
    EXPECT_EQ(l->GetSection(), &section);

    std::unique_ptr<CElement> arcCopy = Section::CreateElement(*arc);
    auto* a = dynamic_cast<CArc*>(arcCopy.get());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetCenterNode(), arc->GetCenterNode());
    EXPECT_EQ(a->GetEndNode(), arc->GetEndNode());
    EXPECT_EQ(section.GetIdx(a), -1); // in no table
}

TEST_F(SectionTable, TheFullNameOfALayerIsItsName)
{
    section.setName(QStringLiteral("Cut/Crease"));
    EXPECT_EQ(section.GetFullName(), QStringLiteral("Cut/Crease"));
}

TEST_F(SectionTable, DeletingWithoutAStepDestroysTheElementAndIgnoresStrangers)
{
    CLine* line = Line(0, 0, 100, 0);
    CLine stranger(&nodes, nullptr, 0);
    section.DeleteElement(&stranger);
    EXPECT_EQ(section.GetIdx(line), 0);
    section.DeleteElement(line); // no step open: the leak checker sees it go
    EXPECT_EQ(section.begin(), section.end());
    EXPECT_EQ(undo.GetUndoCount(), 0);
}

} // namespace
