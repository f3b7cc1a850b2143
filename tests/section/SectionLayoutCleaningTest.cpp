// Layout cleaning: lines of one instance running over lines of another
// leave the repeated design and become fixed lines, one per instance.
#include "SectionFixture.h"

#include <cmath>
#include <memory>
#include <random>
#include <set>
#include <tuple>

namespace {

// A line as (fixed, x1, y1, x2, y2) in micrometres, its ends in ascending order.
using Track = std::tuple<int, long, long, long, long>;

class LayoutCleaning : public sectiontest::Drawing {
protected:
    static Track T(int fixed, double x1, double y1, double x2, double y2)
    {
        if (std::tie(x2, y2) < std::tie(x1, y1)) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        return {fixed, std::lround(x1 * 1000), std::lround(y1 * 1000), std::lround(x2 * 1000), std::lround(y2 * 1000)};
    }
    std::multiset<Track> Tracks()
    {
        std::multiset<Track> tracks;
        for (CElement* e : section) {
            auto* line = dynamic_cast<CLine*>(e);
            if (!line)
                continue;
            const die::coord a = At(line->GetStartNode());
            const die::coord b = At(line->GetEndNode());
            tracks.insert(T(line->GetNotInstanced(), a.x, a.y, b.x, b.y));
        }
        return tracks;
    }
    // A 10 × 10 square at the origin: bottom, right, top, left.
    std::vector<CLine*> Square()
    {
        return {Line(0, 0, 10, 0), Line(10, 0, 10, 10), Line(10, 10, 0, 10), Line(0, 10, 0, 0)};
    }
};

TEST_F(LayoutCleaning, WithOneInstanceNothingChanges)
{
    const std::vector<CLine*> square = Square();
    Line(5, 0, 15, 0); // overlapping within the design itself: block cleaning's work
    const std::vector<CElement*> before = Elements();
    section.clean_instances();
    EXPECT_EQ(Elements(), before);
}

TEST_F(LayoutCleaning, SharedEdgesOfNeighboursBecomeFixedLinesThatBlockCleaningUnites)
{
    (void)Square();
    section.NewInstance(10, 0, 0);
    section.clean_instances();
    EXPECT_EQ(Tracks(), (std::multiset<Track>{T(0, 0, 0, 10, 0), T(0, 0, 10, 10, 10), T(1, 0, 0, 0, 10),
                                              T(1, 10, 0, 10, 10), T(1, 10, 0, 10, 10), T(1, 20, 0, 20, 10)}));
    section.DoClearCommonElements();
    EXPECT_EQ(Tracks(), (std::multiset<Track>{T(0, 0, 0, 10, 0), T(0, 0, 10, 10, 10), T(1, 0, 0, 0, 10),
                                              T(1, 10, 0, 10, 10), T(1, 20, 0, 20, 10)}));
}

TEST_F(LayoutCleaning, AFixedLineTakesOnlyTheRepeatedLineItRunsOver)
{
    (void)Square();
    section.NewInstance(20, 0, 0);
    CLine* fixed = Line(20, 0, 20, 10);
    fixed->SetNotInstanced(1);
    section.clean_instances();
    EXPECT_EQ(Tracks(), (std::multiset<Track>{T(0, 0, 0, 10, 0), T(0, 10, 0, 10, 10), T(0, 0, 10, 10, 10),
                                              T(1, 20, 0, 20, 10), T(1, 0, 0, 0, 10), T(1, 20, 0, 20, 10)}));
    EXPECT_NE(section.GetIdx(fixed), -1);
}

TEST_F(LayoutCleaning, FixedCopiesTakeTheLineTypeAndEachItsOwnPtg)
{
    const std::vector<CLine*> square = Square();
    for (CLine* line : square)
        line->SetLineType(3);
    square[1]->SetPtg(2.0); // right
    square[3]->SetPtg(3.0); // left
    section.NewInstance(10, 0, 0);
    section.clean_instances();
    int copies = 0;
    for (CElement* e : section) {
        if (!e->GetNotInstanced())
            continue;
        ++copies;
        auto* line = static_cast<CLine*>(e);
        const double x = At(line->GetStartNode()).x;
        EXPECT_EQ(e->GetLineType(), 3);
        EXPECT_EQ(e->GetBridgeMode(), BridgeMode::ByRule);
        // The right edge was drawn upwards, the left one downwards.
        const bool upwards = At(line->GetEndNode()).y > At(line->GetStartNode()).y;
        EXPECT_EQ(e->GetPtg(), upwards ? 2.0 : 3.0) << x;
    }
    EXPECT_EQ(copies, 4);
}

TEST_F(LayoutCleaning, ALineRunningOverItselfLeavesTheDesignOnce)
{
    CLine* line = Line(0, 0, 10, 0);
    section.NewInstance(5, 0, 0);
    section.clean_instances();
    EXPECT_EQ(section.GetIdx(line), -1);
    EXPECT_EQ(Tracks(), (std::multiset<Track>{T(1, 0, 0, 10, 0), T(1, 5, 0, 15, 0)}));
}

TEST_F(LayoutCleaning, ATurnedInstanceIsCleanedWhereItLies)
{
    (void)Square();
    // Turned half round about the origin and moved back onto itself: every
    // side runs over the opposite side, up to rounding.
    section.NewInstance(10, 10, 180);
    section.clean_instances();
    section.DoClearCommonElements();
    ASSERT_EQ(Elements().size(), 4u);
    for (CElement* e : section) {
        auto* line = static_cast<CLine*>(e);
        EXPECT_EQ(line->GetNotInstanced(), 1);
        EXPECT_NEAR(die::distance(At(line->GetStartNode()), At(line->GetEndNode())), 10.0, 0.002);
    }
}

TEST_F(LayoutCleaning, LinesThatMeetEndToEndUnderATurnStay)
{
    (void)Square();
    // Turned half round and moved right: the square lies at 10..20 × -10..0
    // and meets the first one only at its corner (10, 0), up to rounding.
    section.NewInstance(20, 0, 180);
    const std::vector<CElement*> before = Elements();
    section.clean_instances();
    EXPECT_EQ(Elements(), before);
}

TEST_F(LayoutCleaning, NothingChangesWhenAFixedCopyCannotBeANode)
{
    Line(0, 0, 10, 0);
    section.NewInstance(5, 0, 0);
    section.NewInstance(2147480, 0, 0); // the copy would end beyond the largest node
    const std::vector<CElement*> before = Elements();
    section.clean_instances();
    EXPECT_EQ(Elements(), before);
}

TEST_F(LayoutCleaning, UndoPutsTheDesignBack)
{
    (void)Square();
    section.NewInstance(10, 0, 0);
    const std::vector<CElement*> before = Elements();
    const std::multiset<Track> drawn = Tracks();
    undo.Open(711, &section);
    section.clean_instances();
    section.DoClearCommonElements();
    undo.Close();
    const std::multiset<Track> cleaned = Tracks();
    ASSERT_NE(cleaned, drawn);
    undo.Undo();
    EXPECT_EQ(Elements(), before);
    undo.Redo();
    EXPECT_EQ(Tracks(), cleaned);
}

TEST_F(LayoutCleaning, OneStepTakesOnlyLinesThatRunAlongEachOther)
{
    CLine* a = Line(0, 0, 10, 0);
    CLine* b = Line(0, 5, 10, 5);
    CArc* c = Arc(0, 0, 10, 0, 0, -10);
    section.NewInstance(0, -5, 0);
    CInstance* first = &section.GetInstance(0);
    CInstance* second = &section.GetInstance(1);
    const auto at = [&](const CElement* e) { return ElementIterator(&section, section.GetIdx(e)); };
    EXPECT_FALSE(section.clean_elements(first, second, at(a), at(c)));
    EXPECT_FALSE(section.clean_elements(first, first, at(a), at(b)));
    EXPECT_TRUE(section.clean_elements(first, second, at(a), at(b)));
    EXPECT_EQ(Tracks(), (std::multiset<Track>{T(1, 0, 0, 10, 0), T(1, 0, -5, 10, -5), T(1, 0, 5, 10, 5),
                                              T(1, 0, 0, 10, 0)}));
}

} // namespace

namespace {

// The cleaning as a plain search: the first pair in the order instance,
// line, other instance, other line is cleaned, then the search starts again.
void CleanByRestartingSearch(Section& s)
{
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < s.GetInstanceCount() && !changed; ++i) {
            for (int a = 0; a < s.GetSlotsInUse() && !changed; ++a) {
                for (int k = 0; k < s.GetInstanceCount() && !changed; ++k) {
                    for (int b = 0; b < s.GetSlotsInUse() && !changed; ++b) {
                        CElement* ea = s.GetElement(a);
                        CElement* eb = s.GetElement(b);
                        if (k == i || !ea || !eb || ea->GetTypeId() != eb->GetTypeId()
                            || ea->GetLineType() != eb->GetLineType() || (ea->GetNotInstanced() && i != 0)
                            || (eb->GetNotInstanced() && k != 0))
                            continue;
                        changed = s.clean_elements(&s.GetInstance(i), &s.GetInstance(k), ElementIterator(&s, a),
                                                   ElementIterator(&s, b));
                    }
                }
            }
        }
    }
}

TEST(LayoutCleaningOrder, TheCleaningTakesThePairsAPlainSearchWouldInTheSameSlots)
{
    // Squares on a grid, some of them fixed, repeated so that neighbours
    // share sides, and a few lines running over others within a square.
    const auto draw = [](Section& s, unsigned seed) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (int n = 0; n < 12; ++n) {
            const double x = 10.0 * static_cast<int>(unit(random) * 4);
            const double y = 10.0 * static_cast<int>(unit(random) * 3);
            const bool fixed = unit(random) < 0.2;
            const double corners[5][2] = {{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}, {x, y}};
            for (int side = 0; side < 4; ++side) {
                const ElementIterator it = s.AddLine3(corners[side][0], corners[side][1], corners[side + 1][0],
                                                      corners[side + 1][1], true, unit(random) < 0.9 ? 1 : 2);
                if (!it.AtEnd())
                    it.Get()->SetNotInstanced(fixed ? 1 : 0);
            }
        }
        s.NewInstance(40, 0, 0);
        s.NewInstance(0, 30, 0);
        s.NewInstance(20, 30, 0);
    };
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        struct Fresh {
            NodeTable nodes;
            CUndoManager undo{&nodes};
            Section section{&nodes, nullptr, &undo};
        };
        const auto mineOwner = std::make_unique<Fresh>();
        const auto otherOwner = std::make_unique<Fresh>();
        Section& mine = mineOwner->section;
        Section& other = otherOwner->section;
        draw(mine, seed);
        draw(other, seed);
        const int drawn = mine.GetSlotsInUse();
        mine.clean_instances();
        CleanByRestartingSearch(other);
        ASSERT_EQ(mine.GetSlotsInUse(), other.GetSlotsInUse());
        EXPECT_GT(mine.GetSlotsInUse(), drawn);
        for (int slot = 0; slot < mine.GetSlotsInUse(); ++slot) {
            auto* ours = dynamic_cast<CLine*>(mine.GetElement(slot));
            auto* theirs = dynamic_cast<CLine*>(other.GetElement(slot));
            ASSERT_EQ(ours == nullptr, theirs == nullptr) << slot;
            if (!ours)
                continue;
            EXPECT_EQ(ours->GetNotInstanced(), theirs->GetNotInstanced()) << slot;
            const die::coord a = mine.Point(ours->GetStartNode());
            const die::coord b = other.Point(theirs->GetStartNode());
            const die::coord c = mine.Point(ours->GetEndNode());
            const die::coord d = other.Point(theirs->GetEndNode());
            EXPECT_TRUE(std::abs(a.x - b.x) < 1e-6 && std::abs(a.y - b.y) < 1e-6 && std::abs(c.x - d.x) < 1e-6
                        && std::abs(c.y - d.y) < 1e-6)
                << slot;
        }
    }
}

} // namespace
