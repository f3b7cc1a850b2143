#pragma once
// The pieces a rule is drawn in for a preview: stretches of rule between the
// bridge gaps, as distances along the element from its start.
#include "element/Bridge.h"

#include <vector>

struct DrawSegment {
    enum Kind : int { Rule = 1, Gap = 2 };
    double from = 0.0; // mm along the element
    double to = 0.0;
    int kind = Rule;
};

// With gaps: for each bridge in order a rule piece from the current distance
// to the bridge's start and a gap to its end, then the rule to the length.
// Without gaps one rule piece over the whole length.
std::vector<DrawSegment> GapSegments(double length, const BridgeList& bridges, bool withGaps);
