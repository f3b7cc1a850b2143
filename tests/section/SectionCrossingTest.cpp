// Whether two elements have a common point, and the crossing list of an
// element.
#include "SectionFixture.h"

#include <functional>

namespace {

class Crossing : public sectiontest::Drawing {
protected:
    int Slot(const ElementIterator& it) const { return it.GetIndex(); }
    int Slot(const CElement* e) const { return section.GetIdx(e); }
};

TEST_F(Crossing, PairsOfEveryKindMeetOrMiss)
{
    struct Case {
        const char* name;
        std::function<int(Section&)> first;
        std::function<int(Section&)> second;
        bool crossing;
    };
    const auto line = [](double x1, double y1, double x2, double y2) {
        return [=](Section& s) { return s.AddLine3(x1, y1, x2, y2, true, 1).GetIndex(); };
    };
    // Arcs about the origin, radius 10, clockwise from the first point.
    const auto arc = [](double sx, double sy, double ex, double ey) {
        return [=](Section& s) { return s.AddArc3(0, 0, sx, sy, ex, ey, true, 1).GetIndex(); };
    };
    const auto ellipse = [](double cx, double cy) {
        return [=](Section& s) { return s.AddEllipse3(cx, cy, 10, 5, 0, true, 1).GetIndex(); };
    };
    const auto text = [](Section& s) { return s.AddText2(0, 0, 5, 0, 3, QStringLiteral("AB"), {}, 0, 1401, 1).GetIndex(); };
    const Case cases[] = {
        {"lines crossing", line(-5, 0, 5, 0), line(0, -5, 0, 5), true},
        {"lines apart", line(-5, 0, 5, 0), line(10, -5, 10, 5), false},
        {"parallel lines", line(0, 0, 10, 0), line(0, 1, 10, 1), false},
        {"lines touching at an end", line(0, 0, 10, 0), line(10, 0, 10, 10), true},
        {"arc and line through its sweep", arc(0, 10, 10, 0), line(0, 0, 20, 20), true},
        {"arc and line past its sweep", arc(0, 10, 10, 0), line(0, 0, -20, -20), false},
        {"line and arc", line(0, 0, 20, 20), arc(0, 10, 10, 0), true},
        {"arcs crossing", arc(0, 10, 10, 0), [](Section& s) { return s.AddArc3(10, 10, 10, 0, 0, 10, true, 1).GetIndex(); }, true},
        {"ellipse and line", ellipse(0, 0), line(-20, 0, 20, 0), true},
        {"line and ellipse missing", line(-20, 20, 20, 20), ellipse(0, 0), false},
        {"ellipse and arc", ellipse(8, 0), arc(0, 10, 0, 10), true},
        {"ellipses", ellipse(0, 0), ellipse(5, 0), true},
        {"line and text", line(-5, 0, 5, 0), text, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (CElement* e : Elements())
            section.DeleteElement(e);
        const int a = c.first(section);
        const int b = c.second(section);
        ASSERT_GE(a, 0);
        ASSERT_GE(b, 0);
        EXPECT_EQ(section.AreElementsCrossing(a, b), c.crossing);
    }
}

TEST_F(Crossing, AnElementDoesNotCrossItselfOrAnEmptySlot)
{
    CLine* a = Line(0, 0, 10, 0);
    EXPECT_FALSE(section.AreElementsCrossing(Slot(a), Slot(a)));
    EXPECT_FALSE(section.AreElementsCrossing(Slot(a), 7));
}

TEST_F(Crossing, TheCrossingListHoldsEveryCrossingAndTheOwnEnds)
{
    CLine* e = Line(0, 0, 10, 0);
    CLine* b = Line(3, -5, 3, 5);
    CLine* c = Line(7, -5, 7, 5);
    Line(0, 5, 10, 5); // parallel: no crossing
    section.GetCrossNodes(e);
    std::vector<std::tuple<double, double, const CElement*>> list;
    for (const CrossPoint& p : e->GetCrossPoints())
        list.emplace_back(std::round(p.x * 1000) / 1000, std::round(p.y * 1000) / 1000, p.other);
    EXPECT_EQ(list, (std::vector<std::tuple<double, double, const CElement*>>{
                        {3, 0, b}, {7, 0, c}, {0, 0, e}, {10, 0, e}}));
}

} // namespace
