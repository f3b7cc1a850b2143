#pragma once
// The node fields of each element class, as the section's maintenance and
// queries walk them. A new element class adds its fields here.
#include <vector>

class CElement;

namespace ElementNodeFields {

// The nodes that count for a section's centre: an arc's start, end and
// centre, a line's start and end, a cuir hole's node. Classes that do not
// count (the die board, holders, hole patterns, separation rules, stripper
// boards) give none.
std::vector<int> CentreNodes(const CElement& element);
// Sets every node field of the element that refers to node from to node to;
// true when one did.
bool Replace(CElement& element, int from, int to);

} // namespace ElementNodeFields
