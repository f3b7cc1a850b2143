// Block cleaning: overlapping lines and arcs of one circle united, what
// stays apart, the attributes of a united element, undo.
#include "SectionFixture.h"

#include "element/ElementTypes.h"
#include "geometry/GeomConstants.h"

#include <cmath>
#include <memory>
#include <random>
#include <set>
#include <tuple>

namespace {

using sectiontest::Drawing;

struct Seg {
    double x1, y1, x2, y2;
};

// A line or arc as a comparable record, rounded to micrometres; a line's
// ends in ascending order.
using Shape = std::tuple<int, long, long, long, long, long, long>;

long Um(double v)
{
    return std::lround(v * 1000.0);
}

class CommonLines : public Drawing {
protected:
    std::multiset<Shape> Shapes()
    {
        std::multiset<Shape> shapes;
        for (CElement* e : section) {
            if (auto* line = dynamic_cast<CLine*>(e)) {
                die::coord a = At(line->GetStartNode());
                die::coord b = At(line->GetEndNode());
                if (std::tie(b.x, b.y) < std::tie(a.x, a.y))
                    std::swap(a, b);
                shapes.insert({ElementTypeId::Line, Um(a.x), Um(a.y), Um(b.x), Um(b.y), 0, 0});
            } else if (auto* arc = dynamic_cast<CArc*>(e)) {
                const die::coord c = At(arc->GetCenterNode());
                const die::coord s = At(arc->GetStartNode());
                const die::coord f = At(arc->GetEndNode());
                shapes.insert({ElementTypeId::Arc, Um(c.x), Um(c.y), Um(s.x), Um(s.y), Um(f.x), Um(f.y)});
            }
        }
        return shapes;
    }
    static Shape LineShape(double x1, double y1, double x2, double y2)
    {
        if (std::tie(x2, y2) < std::tie(x1, y1)) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        return {ElementTypeId::Line, Um(x1), Um(y1), Um(x2), Um(y2), 0, 0};
    }
    // An arc about the origin of radius 10 from one angle (degrees)
    // clockwise to another.
    CArc* ArcDeg(double from, double to)
    {
        return Arc(0, 0, Point(from).x, Point(from).y, Point(to).x, Point(to).y);
    }
    static die::coord Point(double degrees)
    {
        const double a = degrees * Geom::kPi / 180.0;
        return {10.0 * std::cos(a), 10.0 * std::sin(a)};
    }
    static Shape ArcShape(double from, double to)
    {
        const die::coord s = Point(from);
        const die::coord e = Point(to);
        return {ElementTypeId::Arc, 0, 0, Um(s.x), Um(s.y), Um(e.x), Um(e.y)};
    }
};

struct LineCase {
    const char* name;
    std::vector<Seg> lines;
    std::vector<Seg> after;
};

TEST_F(CommonLines, LinesThatShareATrackBecomeOneAndOthersStay)
{
    const LineCase cases[] = {
        {"collinear overlapping", {{0, 0, 10, 0}, {5, 0, 15, 0}}, {{0, 0, 15, 0}}},
        {"touching end to end", {{0, 0, 10, 0}, {10, 0, 20, 0}}, {{0, 0, 10, 0}, {10, 0, 20, 0}}},
        {"contained", {{0, 0, 10, 0}, {2, 0, 8, 0}}, {{0, 0, 10, 0}}},
        {"containing", {{2, 0, 8, 0}, {0, 0, 10, 0}}, {{0, 0, 10, 0}}},
        {"opposite directions", {{0, 0, 10, 0}, {15, 0, 5, 0}}, {{0, 0, 15, 0}}},
        {"identical", {{0, 0, 10, 0}, {0, 0, 10, 0}}, {{0, 0, 10, 0}}},
        {"diagonal", {{0, 0, 10, 10}, {5, 5, 20, 20}}, {{0, 0, 20, 20}}},
        {"vertical, reversed", {{3, 0, 3, 10}, {3, 12, 3, 4}}, {{3, 0, 3, 12}}},
        {"0.05 mm beside", {{0, 0, 10, 0}, {5, 0.05, 15, 0.05}}, {{0, 0, 15, 0}}},
        {"0.2 mm beside", {{0, 0, 10, 0}, {5, 0.2, 15, 0.2}}, {{0, 0, 10, 0}, {5, 0.2, 15, 0.2}}},
        {"parallel apart", {{0, 0, 10, 0}, {0, 5, 10, 5}}, {{0, 0, 10, 0}, {0, 5, 10, 5}}},
        {"crossing", {{0, 0, 10, 0}, {5, -5, 5, 5}}, {{0, 0, 10, 0}, {5, -5, 5, 5}}},
        {"shorter than 0.1 mm", {{0, 0, 0.09, 0}, {0.05, 0, 0.12, 0}}, {{0, 0, 0.09, 0}, {0.05, 0, 0.12, 0}}},
        {"a chain of three", {{0, 0, 10, 0}, {8, 0, 18, 0}, {16, 0, 30, 0}}, {{0, 0, 30, 0}}},
        {"two tracks", {{0, 0, 10, 0}, {0, 5, 10, 5}, {5, 0, 20, 0}, {-5, 5, 2, 5}}, {{0, 0, 20, 0}, {-5, 5, 10, 5}}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (CElement* e : Elements())
            section.DeleteElement(e);
        for (const Seg& s : c.lines)
            ASSERT_NE(Line(s.x1, s.y1, s.x2, s.y2, false), nullptr);
        section.DoClearCommonElements();
        std::multiset<Shape> expected;
        for (const Seg& s : c.after)
            expected.insert(LineShape(s.x1, s.y1, s.x2, s.y2));
        EXPECT_EQ(Shapes(), expected);
    }
}

struct ArcCase {
    const char* name;
    std::vector<std::pair<double, double>> arcs; // degrees, clockwise from first to second
    std::vector<std::pair<double, double>> after;
};

TEST_F(CommonLines, ArcsOfOneCircleThatOverlapOrTouchBecomeOne)
{
    const ArcCase cases[] = {
        {"overlapping", {{90, 0}, {45, -45}}, {{90, -45}}},
        {"touching at the first's end", {{90, 0}, {0, -90}}, {{90, -90}}},
        {"touching at the first's start", {{90, 0}, {180, 90}}, {{180, 0}}},
        {"contained", {{180, 0}, {135, 45}}, {{180, 0}}},
        {"apart", {{90, 0}, {-90, -180}}, {{90, 0}, {-90, -180}}},
        {"an arc on a full circle", {{0, 0}, {90, 0}}, {{0, 0}}},
        // The second starts within the first and runs on past its start:
        // together they go all the way round.
        {"covering the circle together", {{90, 180}, {-90, 45}}, {{0, 0}}},
    };
    for (const ArcCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (CElement* e : Elements())
            section.DeleteElement(e);
        for (const auto& [from, to] : c.arcs)
            ASSERT_NE(ArcDeg(from, to), nullptr);
        section.DoClearCommonElements();
        std::multiset<Shape> expected;
        for (const auto& [from, to] : c.after)
            expected.insert(ArcShape(from, to));
        EXPECT_EQ(Shapes(), expected);
    }
}

TEST_F(CommonLines, ArcsOnCirclesApartStayAndTinyArcsGo)
{
    ASSERT_NE(ArcDeg(90, 0), nullptr);
    ASSERT_NE(Arc(0, 0, 0, 10.01, 10.01, 0), nullptr); // radius 0.01 larger
    ASSERT_NE(Arc(0.01, 0, 0.01, 10, 10.01, 0), nullptr); // centre 0.01 apart
    CArc* tiny = Arc(50, 50, 50.0005, 50, 50, 50.0005);
    ASSERT_NE(tiny, nullptr);
    ASSERT_LT(tiny->GetRadius(), 0.001);
    const int damaged = section.AddArc0(9998, 9999, 9997); // nodes missing: no radius to judge
    section.DoClearCommonElements();
    EXPECT_EQ(Elements().size(), 4u);
    EXPECT_EQ(section.GetIdx(tiny), -1);
    EXPECT_NE(section.GetElement(damaged), nullptr);
}

TEST_F(CommonLines, AUnitedElementTakesTheAttributesOfTheFirstAndBridgesByRule)
{
    CLine* a = Line(0, 0, 10, 0);
    CLine* b = Line(5, 0, 15, 0);
    CArc* c = ArcDeg(90, 0);
    CArc* d = ArcDeg(45, -45);
    for (CElement* e : {static_cast<CElement*>(a), static_cast<CElement*>(b), static_cast<CElement*>(c),
                        static_cast<CElement*>(d)}) {
        e->SetLineType(7);
        e->SetPtg(3.5);
        e->SetNotInstanced(1);
        e->SetBridgeMode(BridgeMode::ByHand);
    }
    section.DoClearCommonElements();
    const std::vector<CElement*> left = Elements();
    ASSERT_EQ(left.size(), 2u);
    for (CElement* e : left) {
        SCOPED_TRACE(e->GetTypeId());
        EXPECT_EQ(e->GetLineType(), 7);
        EXPECT_EQ(e->GetPtg(), 3.5);
        EXPECT_EQ(e->GetNotInstanced(), 1);
        EXPECT_EQ(e->GetBridgeMode(), BridgeMode::ByRule);
    }
}

TEST_F(CommonLines, ElementsOfOtherAttributesStayApart)
{
    const auto differ = [](CElement& e, int which) {
        if (which == 0)
            e.SetLineType(2);
        else if (which == 1)
            e.SetPtg(9.0);
        else
            e.SetNotInstanced(1);
    };
    for (int which = 0; which < 3; ++which) {
        SCOPED_TRACE(which);
        for (CElement* e : Elements())
            section.DeleteElement(e);
        Line(0, 0, 10, 0);
        differ(*Line(5, 0, 15, 0), which);
        ArcDeg(90, 0);
        differ(*ArcDeg(45, -45), which);
        section.DoClearCommonElements();
        EXPECT_EQ(Elements().size(), 4u);
    }
}

TEST_F(CommonLines, UndoPutsTheVeryElementsBackAndRedoCleansAgain)
{
    const std::vector<CElement*> before = {Line(0, 0, 10, 0), Line(5, 0, 15, 0), Line(0, 5, 10, 5), ArcDeg(90, 0),
                                           ArcDeg(45, -45)};
    const std::multiset<Shape> drawn = Shapes();
    undo.Open(711, &section);
    section.DoClearCommonElements();
    undo.Close();
    const std::multiset<Shape> cleaned = Shapes();
    EXPECT_EQ(cleaned.size(), 3u);

    undo.Undo();
    EXPECT_EQ(Elements(), before);
    EXPECT_EQ(Shapes(), drawn);
    undo.Redo();
    EXPECT_EQ(Shapes(), cleaned);
}

TEST_F(CommonLines, LinesStayWhenTheirUnionCannotBeANode)
{
    // Near the largest coordinate a node can hold (2147483.647 mm) the
    // united line of these two would end beyond it.
    CLine* a = Line(2147483.5, 0, 2147483.6, 10);
    CLine* b = Line(2147483.64, 5, 2147483.64, 20);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    section.DoClearCommonElements();
    EXPECT_EQ(Elements(), (std::vector<CElement*>{a, b}));
    EXPECT_FALSE(section.unite_common_lines(a, b));
    EXPECT_EQ(Elements().size(), 2u);
}

TEST_F(CommonLines, TheCommonTestIsStricterThanTheLineUnion)
{
    CLine* a = Line(0, 0, 10, 0);
    CLine* beside = Line(5, 0.05, 15, 0.05); // squared offset 0.0025
    CLine* on = Line(5, 0.01, 15, 0.01);
    CLine* touching = Line(10, 0, 20, 0);
    CArc* c = ArcDeg(90, 0);
    CArc* d = ArcDeg(0, -90);
    EXPECT_FALSE(section.AreCommonElements(a, beside));
    EXPECT_TRUE(section.AreCommonElements(a, on));
    EXPECT_FALSE(section.AreCommonElements(a, touching));
    EXPECT_FALSE(section.AreCommonElements(a, a));
    EXPECT_FALSE(section.AreCommonElements(a, c));
    EXPECT_TRUE(section.AreCommonElements(c, d));

    // Lines united by their farthest ends.
    const ElementIterator made = section.UniteCommonElements(a, on);
    ASSERT_FALSE(made.AtEnd());
    const auto* line = dynamic_cast<CLine*>(made.Get());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(LineShape(At(line->GetStartNode()).x, At(line->GetStartNode()).y, At(line->GetEndNode()).x,
                        At(line->GetEndNode()).y),
              LineShape(0, 0, 15, 0.01));
    EXPECT_EQ(section.GetIdx(a), -1);
    EXPECT_EQ(section.GetIdx(on), -1);
}

// The cleaning as a plain scan: the first common pair in slot order is
// united, and the scan starts again from the first slot.
void CleanByRestartingScan(Section& s)
{
    for (CElement* e : s) {
        if (auto* arc = dynamic_cast<CArc*>(e); arc && arc->GetRadius() < 0.001)
            s.DeleteElement(e);
    }
    bool changed = true;
    while (changed) {
        changed = false;
        for (int b = 0; b < s.GetSlotsInUse() && !changed; ++b) {
            for (int j = b + 1; j < s.GetSlotsInUse() && !changed; ++j) {
                CElement* x = s.GetElement(b);
                CElement* y = s.GetElement(j);
                if (!x || !y)
                    continue;
                auto* lx = dynamic_cast<CLine*>(x);
                auto* ly = dynamic_cast<CLine*>(y);
                if (lx && ly)
                    changed = s.unite_common_lines(lx, ly);
                else if (s.AreCommonElements(x, y))
                    changed = !s.UniteCommonElements(x, y).AtEnd();
            }
        }
    }
}

TEST_F(CommonLines, TheCleaningUnitesThePairsAPlainScanWouldInTheSameSlots)
{
    // Lines along a few tracks (some 0.05 mm beside them, so that united
    // lines move) and arcs on two circles, the same drawing twice. With
    // many tracks (seeds from 5 on) most lines have no partner at first and
    // gain one only when a union reaches them.
    const auto draw = [](Section& s, unsigned seed) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        const int tracks = seed < 5 ? 3 : 40;
        const double width = seed < 5 ? 100.0 : 150.0;
        for (int i = 0; i < 120; ++i) {
            const double y = 10.0 * static_cast<int>(unit(random) * tracks) + (unit(random) < 0.2 ? 0.05 : 0.0);
            const double x = unit(random) * width;
            const double length = 1.0 + unit(random) * 20.0;
            if (i % 6 == 5) {
                const double cx = unit(random) < 0.5 ? 0.0 : 200.0;
                const double a = unit(random) * 6.28;
                const double b = a - 0.2 - unit(random) * 3.0;
                (void)s.AddArc3(cx, 50, cx + 10 * std::cos(a), 50 + 10 * std::sin(a), cx + 10 * std::cos(b),
                                50 + 10 * std::sin(b), true, 1);
            } else if (unit(random) < 0.5) {
                (void)s.AddLine3(x, y, x + length, y, true, 1);
            } else {
                (void)s.AddLine3(x + length, y, x, y, true, 1);
            }
        }
    };
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        // Two drawings of their own: nodes left by an earlier round would
        // take part in node merging.
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
        mine.DoClearCommonElements();
        CleanByRestartingScan(other);
        ASSERT_EQ(mine.GetSlotsInUse(), other.GetSlotsInUse());
        int left = 0;
        for (int slot = 0; slot < mine.GetSlotsInUse(); ++slot) {
            CElement* ours = mine.GetElement(slot);
            CElement* theirs = other.GetElement(slot);
            ASSERT_EQ(ours == nullptr, theirs == nullptr) << slot;
            if (!ours)
                continue;
            ++left;
            ASSERT_EQ(ours->GetTypeId(), theirs->GetTypeId()) << slot;
            const auto ends = [](CElement* e, Section& s) {
                if (auto* l = dynamic_cast<CLine*>(e))
                    return std::pair(s.Point(l->GetStartNode()), s.Point(l->GetEndNode()));
                auto* a = static_cast<CArc*>(e);
                return std::pair(s.Point(a->GetStartNode()), s.Point(a->GetEndNode()));
            };
            const auto [ms, me] = ends(ours, mine);
            const auto [ts, te] = ends(theirs, other);
            EXPECT_EQ(std::tuple(Um(ms.x), Um(ms.y), Um(me.x), Um(me.y)),
                      std::tuple(Um(ts.x), Um(ts.y), Um(te.x), Um(te.y)))
                << slot;
        }
        EXPECT_LT(left, seed < 5 ? 60 : 110);
    }
}

TEST_F(CommonLines, NullLengthLinesGo)
{
    const int n1 = nodes.AddPoint(5, 5, false);
    const int n2 = nodes.AddPoint(5, 5, false);
    ASSERT_NE(n1, n2);
    const int slot = section.AddLine0(n1, n2);
    CLine* kept = Line(0, 0, 0.001, 0, false);
    section.ClearNullLengthLines();
    EXPECT_EQ(section.GetElement(slot), nullptr);
    EXPECT_EQ(Elements(), (std::vector<CElement*>{kept}));
}

} // namespace
