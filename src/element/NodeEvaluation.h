#pragma once
// How a node's position follows its formulas: the plain position by kind
// (evaluated without recursion, each node once per evaluation generation of
// its table), the two-distance construction and the rotation about a centre.
#include "geometry/Coord.h"

#include <QString>

class CNodePoint;
class FormulaTable;

class NodeEvaluation {
public:
    // The value of a formula; 0 for an empty or invalid formula, without an
    // evaluator, or for a result that is not a finite number.
    static double Formula(FormulaTable* evaluator, const QString& text);

    // The plain position of the node (before its own rotation).
    static die::coord Plain(const CNodePoint& node);

    // The point at distance |a| from p1 and |b| from p2: right of p1→p2 for
    // a > 0, else left; on the line through both when the circles do not
    // cross.
    static die::coord IntersectCircles(const die::coord& p1, const die::coord& p2, double a, double b);

    // The node's plain position turned by its rotation formulas; the plain
    // position itself when they are all empty.
    static die::coord Rotated(const CNodePoint& node);
    // The inverse: the plain position whose rotation gives p.
    static die::coord Unrotated(const CNodePoint& node, const die::coord& p);

private:
    struct RotationFrame {
        die::coord centre;
        die::coord origin;
        double radians = 0.0;
    };
    static RotationFrame Frame(const CNodePoint& node);
    // The node of a reference slot, null when the slot holds none.
    static const CNodePoint* Referenced(const CNodePoint& node, int index);
    static die::coord Compute(const CNodePoint& node);
};
