#pragma once
// Reading back what an editing operation left in a section: the ends of the
// element in a slot and whether two elements meet smoothly at a point.
#include "element/Arc.h"
#include "element/Line.h"
#include "section/Section.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sectiontest {

// Nodes hold whole micrometres.
inline constexpr double kNodeTolerance = 2e-3;

inline void ExpectAt(const die::coord& actual, const die::coord& expected, const char* what)
{
    EXPECT_NEAR(actual.x, expected.x, kNodeTolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, kNodeTolerance) << what;
}

struct Ends {
    die::coord start;
    die::coord end;
};

inline Ends LineEnds(const Section& section, int slot)
{
    const auto* line = dynamic_cast<const CLine*>(section.GetElement(slot));
    if (line == nullptr) {
        ADD_FAILURE() << "no line in slot " << slot;
        return {};
    }
    return {section.Point(line->GetStartNode()), section.Point(line->GetEndNode())};
}

inline void ExpectLine(const Section& section, int slot, const Ends& expected)
{
    const Ends ends = LineEnds(section, slot);
    ExpectAt(ends.start, expected.start, "line start");
    ExpectAt(ends.end, expected.end, "line end");
}

// The direction in which the element, run on past its end at j, would go
// on: a line away from its other end, an arc (clockwise from its start to
// its end) along its circle.
inline die::coord ExitAt(const Section& section, const CElement& element, const die::coord& j)
{
    const auto near = [&](const die::coord& p) { return die::distance(p, j) < kNodeTolerance; };
    if (const auto* line = dynamic_cast<const CLine*>(&element)) {
        const die::coord s = section.Point(line->GetStartNode());
        const die::coord e = section.Point(line->GetEndNode());
        if (near(s))
            return (s - e).Normalized();
        EXPECT_TRUE(near(e)) << "the line does not end at (" << j.x << ", " << j.y << ")";
        return (e - s).Normalized();
    }
    const auto* arc = dynamic_cast<const CArc*>(&element);
    if (arc == nullptr) {
        ADD_FAILURE() << "neither a line nor an arc";
        return {};
    }
    const die::coord c = section.Point(arc->GetCenterNode());
    const double a = std::atan2(j.y - c.y, j.x - c.x);
    if (near(section.Point(arc->GetEndNode())))
        return {std::sin(a), -std::cos(a)};
    EXPECT_TRUE(near(section.Point(arc->GetStartNode())))
        << "the arc does not end at (" << j.x << ", " << j.y << ")";
    return {-std::sin(a), std::cos(a)};
}

// Both elements end at j and one runs on where the other leaves off.
inline void ExpectSmooth(const Section& section, const CElement& a, const CElement& b, const die::coord& j)
{
    const die::coord ea = ExitAt(section, a, j);
    const die::coord eb = ExitAt(section, b, j);
    EXPECT_NEAR(ea.x, -eb.x, 1e-3) << "at (" << j.x << ", " << j.y << ")";
    EXPECT_NEAR(ea.y, -eb.y, 1e-3) << "at (" << j.x << ", " << j.y << ")";
}

} // namespace sectiontest
