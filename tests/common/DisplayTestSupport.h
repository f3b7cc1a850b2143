#pragma once
// Helpers for the line-type and display-list tests: a line-type table linked
// to the display lists for the test's life, and readable output records.
#include "display/DisplayList.h"
#include "linetype/LinetypeTable.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

inline void PrintTo(const OutputNode& n, std::ostream* os)
{
    *os << "{(" << n.x << ", " << n.y << ") code " << n.code << " lt " << n.lineType << '}';
}

namespace displaytest {

// Registers the special line types as the application does at start-up.
inline void RegisterSpecialNames(LinetypeTable& table)
{
    for (const SpecialLinetype::Registration& r : SpecialLinetype::Registrations())
        table.RegisterSymbolicName(QString::fromLatin1(r.name), r.number, r.kind);
}

// A table with the special names registered, linked to every display list
// while the fixture lives.
class LinkedLinetypes {
public:
    LinkedLinetypes() { RegisterSpecialNames(table); }

    // Adds a line type of that kind with its pattern values and pens.
    void Add(int number, int kind, int subtype1 = -1, int subtype2 = -1, double d1 = 0, double d2 = 0, double d3 = 0,
             platform::ColorRef colour = 0)
    {
        table.AddLinetype(number, LinetypeStyle::Solid, 1, colour);
        table.SetCurrentTypeAndSubtypes(kind, subtype1, subtype2);
        table.SetCurrentData(d1, d2, d3);
    }

    LinetypeTable table;
    platform::ScopedOverride<LinetypeTable*> linked = DisplayList::InstallLinetypeTable(table);
};

// The list's first figure; a failure (and an empty figure) when it has none,
// so that a test never reads past an empty list.
inline const DisplayFigure& FirstFigure(const DisplayList& list)
{
    static const DisplayFigure none;
    if (list.Figures().empty()) {
        ADD_FAILURE() << "the display list has no figure";
        return none;
    }
    return list.Figures().front();
}

// An output record compared within 1e-9.
inline testing::AssertionResult SameNode(const OutputNode& actual, double x, double y, int code)
{
    if (std::abs(actual.x - x) <= 1e-9 && std::abs(actual.y - y) <= 1e-9 && actual.code == code)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "got {(" << actual.x << ", " << actual.y << ") code " << actual.code
                                       << "}, expected {(" << x << ", " << y << ") code " << code << '}';
}

struct ExpectedNode {
    double x;
    double y;
    int code;
};

inline void ExpectOutput(const std::vector<OutputNode>& actual, const std::vector<ExpectedNode>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(SameNode(actual[i], expected[i].x, expected[i].y, expected[i].code)) << "record " << i;
}

} // namespace displaytest
