// Partial delete: the stretch of a line, an arc or an elliptical arc between
// two points on it goes, the pieces before and after it stay as new
// elements with the element's values (and, for a sector of another line
// type, the stretch itself comes back as a new element of the current one).
// In the transaction passed in, else in one of its own.
#include "section/Section.h"

#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "section/UndoTransaction.h"
#include "support/Log.h"

#include <cmath>
#include <functional>
#include <utility>

namespace {

constexpr int kTextDeletePart = 384;

double Cross(const die::coord& u, const die::coord& v)
{
    return u.x * v.y - u.y * v.x;
}

double Direction(const die::coord& from, const die::coord& to)
{
    return Geom::VectorAngle(to.y - from.y, to.x - from.x);
}

// One kind's way of making a piece: whether two points make a piece at all,
// the piece from one to the other, and the length along the element from its
// start to a point on it.
struct PieceMaker {
    std::function<bool(const die::coord&, const die::coord&)> differ;
    std::function<CElement*(const die::coord&, const die::coord&, int lineType)> make;
    std::function<double(const die::coord&)> along;
};

} // namespace

void Section::DeleteElementPart(CElement* element, double x1, double y1, double x2, double y2, bool keepSector,
                                UndoTransaction* tx)
{
    Log::TheLog().Write("Section::DeleteElementPart( CElement* ... ) 1", Log::Section);
    const int slot = GetIdx(element);
    const die::coord p1(x1, y1);
    const die::coord p2(x2, y2);
    if (slot < 0 || !CanBeNodes({p1, p2}))
        return;
    die::coord s;
    die::coord e;
    die::coord a = p1;
    die::coord b = p2;
    PieceMaker maker;
    auto made = [](const ElementIterator& it) { return it.Get(); };
    if (auto* line = dynamic_cast<CLine*>(element)) {
        s = Point(line->GetStartNode());
        e = Point(line->GetEndNode());
        if (die::distance(s, p2) < die::distance(s, p1))
            std::swap(a, b);
        maker.differ = [](const die::coord& u, const die::coord& v) { return u != v; };
        maker.make = [&](const die::coord& u, const die::coord& v, int lineType) {
            return made(AddLine3(u.x, u.y, v.x, v.y, true, lineType));
        };
        maker.along = [&](const die::coord& p) { return die::distance(s, p); };
    } else if (auto* arc = dynamic_cast<CArc*>(element)) {
        CArc::Circle circle;
        if (!arc->GetCircle(circle))
            return;
        s = circle.start;
        e = circle.end;
        if (Cross(p1 - s, p2 - s) > 0.0)
            std::swap(a, b);
        // Ends that would fall onto one node would make the whole circle.
        maker.differ = [](const die::coord& u, const die::coord& v) {
            return Geom::PointsDiffer(u, v) && !NodeTable::PositionsMerge(u, v);
        };
        maker.make = [&, circle](const die::coord& u, const die::coord& v, int lineType) {
            return made(AddArc3(circle.centre.x, circle.centre.y, u.x, u.y, v.x, v.y, true, lineType));
        };
        maker.along = [&, circle](const die::coord& p) {
            double sweep = Direction(circle.centre, s) - Direction(circle.centre, p);
            if (sweep < 0.0)
                sweep += Geom::kTwoPi;
            return circle.radius * sweep;
        };
    } else if (auto* ellipse = dynamic_cast<CEllipse*>(element)) {
        double phi = 0.0;
        double semiA = 0.0;
        double semiB = 0.0;
        die::coord c;
        if (!ellipse->GetGeometry(phi, semiA, semiB, c))
            return;
        s = Point(ellipse->GetStartNode());
        e = Point(ellipse->GetEndNode());
        if (Geom::IsOnArcSweepStrict(c.x, c.y, s.x, s.y, p1.x, p1.y, p2.x, p2.y, 0.0))
            std::swap(a, b);
        const die::coord m = Point(ellipse->GetMajorNode());
        const die::coord n = Point(ellipse->GetMinorNode());
        // Ends that would fall onto one node would make the whole ellipse.
        maker.differ = [](const die::coord& u, const die::coord& v) {
            return u != v && !NodeTable::PositionsMerge(u, v);
        };
        maker.make = [&, c, m, n](const die::coord& u, const die::coord& v, int lineType) {
            return made(AddEllipse4(c.x, c.y, u.x, u.y, v.x, v.y, m.x, m.y, n.x, n.y, true, lineType));
        };
        maker.along = [&, c, ellipse](const die::coord& p) {
            return p == s ? 0.0 : ellipse->ArcLength(Direction(c, s), Direction(c, p));
        };
    } else {
        return; // no piece of another kind could be made
    }

    UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextDeletePart, this);
    CElement* first = maker.differ(s, a) ? maker.make(s, a, element->GetLineType()) : nullptr;
    CElement* second = maker.differ(b, e) ? maker.make(b, e, element->GetLineType()) : nullptr;
    if (keepSector && maker.differ(a, b))
        (void)maker.make(a, b, CurrentLineType()); // a new element's values
    // The pieces take the element's values; hand-placed bridges are
    // measured from each piece's own start.
    if (first) {
        first->AssignMainValues(*element);
        first->ValidateCustomBridges(0.0);
    }
    if (second) {
        second->AssignMainValues(*element);
        second->ValidateCustomBridges(maker.along(b));
    }
    DeleteElement(slot);
    RefreshAllBridges();
    step.commit();
}
