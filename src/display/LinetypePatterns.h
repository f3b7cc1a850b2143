#pragma once
// The patterns that wave, tear and mixed line types are drawn as in display
// mode 2. Each generator walks a figure's path once and appends output
// records, starting with a move to the first path node. Positions along the
// path are measured from its first node and carry on across move nodes.
//
//   wave (kind 8): circular half-waves of chord data1 and height data2,
//     alternating from side to side (output kind WaveArcs);
//   tear (kind 16): dashes of data1, each followed by a tick of data2 at
//     data3 degrees to the left of the direction of travel and a gap of data2;
//   mixed (kind 32): dashes of data1 with pattern pen 0 (code 3) alternating
//     with dashes of data2 with pattern pen 1 (code 4).
//
// A generator returns false, and appends nothing, when the figure is to be
// drawn plain instead: when a pattern length is zero or negative, or when the
// pattern would repeat more than MaxPatternRepeats times along the path.
#include "display/DisplayList.h"

#include <span>
#include <vector>

// The values of the figure's line type that a pattern is drawn with.
struct PatternValues {
    int subtype1 = -1;
    int subtype2 = -1;
    double data1 = 0.0;
    double data2 = 0.0;
    double data3 = 0.0;
};

namespace LinetypePatterns {

inline constexpr double MaxPatternRepeats = 100000.0;

bool Wave(std::span<const PathNode> path, const PatternValues& values, std::vector<OutputNode>& out);
bool Tear(std::span<const PathNode> path, const PatternValues& values, std::vector<OutputNode>& out);
bool Mixed(std::span<const PathNode> path, const PatternValues& values, std::vector<OutputNode>& out);

} // namespace LinetypePatterns
