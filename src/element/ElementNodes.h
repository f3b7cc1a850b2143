#pragma once
// How elements read and move their nodes: positions with and without an
// instance placement, new nodes and moved nodes through the node table.
#include "element/Element.h"

namespace ElementNodes {

// The node's rotated position (no placement).
die::coord Position(CNodePoint& node);
// The rotated position placed by the instance (none, or identity: unplaced).
die::coord PositionIn(CNodePoint& node, const CInstance* instance);
// The position extents are measured with: under the node table's current
// placement unless the element is not instanced.
die::coord ExtentPosition(const CElement& element, CNodePoint& node);
// Distance between two nodes from whole micrometres (CNodePoint::DistanceTo).
double Distance(CNodePoint& a, CNodePoint& b);
// Direction from one node to another in [0, 2π).
double Direction(CNodePoint& from, CNodePoint& to);
// The node of slot index, or null for a negative index, one beyond the table
// or an empty slot.
CNodePoint* NodeOf(NodeTable* table, int index);
// The table index of a node index stored in a file record whose indices
// count from nodeBase (a merged file's nodes follow the drawing's own): -1
// when the stored index is negative, the sum leaves int32, or no node in use
// sits there.
int StoredNode(NodeTable* table, int32_t stored, int nodeBase);
// Finds or adds the node at p (NodeTable::AddPoint with merge on); -1 when p
// cannot be a node (not finite or out of range).
[[nodiscard]] int AddPoint(NodeTable* table, const die::coord& p);
// Moves node index by (dx, dy) for an edit of selected elements
// (NodeTable::MoveNode with the remap, parametric nodes allowed); returns the
// node index the element uses from then on.
int MoveNode(NodeTable* table, int index, NodeRemap& remap, double dx, double dy);
// Makes the node absolute at p (its rotation formulas kept, so that it shows
// at p), its cache cleared; false, the node unchanged, when p cannot be a node.
[[nodiscard]] bool MakeAbsoluteAt(CNodePoint& node, const die::coord& p);
// Within 0.002 of p in both coordinates.
bool IsAt(CNodePoint& node, const die::coord& p);
// The node computes its rotated position again at the next query.
void ClearCache(CNodePoint& node);
// CNodePoint::IsInRect with the rectangle given by two corners (x1 ≤ x2,
// y1 ≤ y2).
bool IsInRect(CNodePoint& node, double x1, double y1, double x2, double y2);
// The registration hooks of elements with their nodes.
void Attach(NodeTable* table, int index, CElement* element);
void Detach(NodeTable* table, int index, CElement* element);
void AddRef(NodeTable* table, int index);

} // namespace ElementNodes
