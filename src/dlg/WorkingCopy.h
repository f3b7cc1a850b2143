#pragma once
// The working copy of a property page: a copy of the element (its class's
// copy constructor) over copies of its nodes made absolute at their drawn
// positions, marked as a preview copy. The page moves the node copies and
// the copy follows; the model is never touched. Lines, arcs, ellipses and
// texts, the symbols on one node (cuir, Bobst assembly) and dimensions are
// known here; node order is the class's own (line: start, end; arc: start,
// end, centre; ellipse: start, end, centre, first and second radius point;
// text: height, base, end; symbol: its node; dimension: text position,
// first, second, centre).
#include "geometry/Coord.h"

#include <memory>
#include <vector>

class CElement;
class CNodePoint;

namespace dlg {

struct ElementValues;

class WorkingCopy {
public:
    // A copy of the element; empty (Element() null) for a class without a
    // working copy here.
    explicit WorkingCopy(const CElement& element);
    ~WorkingCopy();
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;

    CElement* Element() const { return copy_.get(); }
    int NodeCount() const { return static_cast<int>(nodes_.size()); }
    die::coord NodePosition(int i) const;
    // Moves node copy i; false when the point cannot be a node.
    bool Place(int i, const die::coord& p);
    std::vector<die::coord> Markers() const;
    // After the nodes are placed: the Element page's values (when given)
    // copied in, the extensions applied (when not 0), bridges laid out and
    // the copy recomputed.
    void Update(const ElementValues* common, double atStart, double atEnd);

private:
    std::unique_ptr<CElement> copy_;
    std::vector<std::unique_ptr<CNodePoint>> nodes_;
};

} // namespace dlg
