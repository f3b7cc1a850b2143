#include "element/NodeEvaluation.h"

#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "formula/FormulaTable.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

double NodeEvaluation::Formula(FormulaTable* evaluator, const QString& text)
{
    if (evaluator == nullptr || text.isEmpty())
        return 0.0;
    const double v = evaluator->Evaluate(text);
    return std::isfinite(v) ? v : 0.0;
}

const CNodePoint* NodeEvaluation::Referenced(const CNodePoint& node, int index)
{
    const NodeTable* t = node.table;
    if (t == nullptr || index < 0 || index >= t->GetCount())
        return nullptr;
    return t->GetNode(index);
}

namespace {

// The references a kind's position is built on.
std::array<int, 2> PositionReferences(const CNodePoint& n)
{
    switch (n.GetKind()) {
    case NodeKind::Offset:
    case NodeKind::Polar:
        return {n.GetReference1(), -1};
    case NodeKind::TwoDistances:
        return {n.GetReference1(), n.GetReference2()};
    default:
        return {-1, -1};
    }
}

} // namespace

die::coord NodeEvaluation::IntersectCircles(const die::coord& p1, const die::coord& p2, double a, double b)
{
    const die::coord d = p2 - p1;
    const double c = d.Length();
    const double e = std::fabs(a);
    const double f = std::fabs(b);
    if (c < 1e-6) {
        const double s = a > 0.0 ? 1.0 : -1.0;
        return {p1.x + s * (a + b) / 2.0, p1.y};
    }
    if (!(c < e + f) || !(e < c + f) || !(f < c + e))
        return p1 + d.WithLength((c + e - f) / 2.0);
    const double h = 2.0 * Geom::TriangleArea(c, e, f) / c;
    const double m = std::sqrt(std::max(0.0, e * e - h * h));
    const double l = std::sqrt(std::max(0.0, f * f - h * h));
    const die::coord foot = m > l ? p1 + d.WithLength(m) : p2 - d.WithLength(l);
    const die::coord normal = die::coord(-d.y, d.x).WithLength(a > 0.0 ? -h : h);
    return foot + normal;
}

// The node's plain position from its references' kept plain positions. A
// reference that names no node, or names a node still being evaluated (the
// loop closes there), counts as a reference of the node to itself.
die::coord NodeEvaluation::Compute(const CNodePoint& n)
{
    const die::coord stored(n.x / 1000.0, n.y / 1000.0);
    auto base = [&](int index, bool wholeMillimetres) {
        const CNodePoint* r = Referenced(n, index);
        if (r != nullptr && r != &n && r->evaluating && n.table)
            n.table->ReportReferenceLoop(&n);
        if (r == nullptr || r == &n || r->evaluating) {
            if (wholeMillimetres)
                return die::coord(static_cast<double>(n.x / 1000), static_cast<double>(n.y / 1000));
            return stored;
        }
        return die::coord(r->plainX, r->plainY);
    };
    switch (n.kind) {
    case NodeKind::Absolute:
        return stored;
    case NodeKind::Offset:
        return base(n.reference1, false)
               + die::coord(Formula(n.evaluator, n.dxFormula), Formula(n.evaluator, n.dyFormula));
    case NodeKind::Polar: {
        const double d = Formula(n.evaluator, n.distanceFormula);
        const double a = Geom::DegToRad(Formula(n.evaluator, n.angleFormula));
        return base(n.reference1, false) + die::coord(d * std::cos(a), d * std::sin(a));
    }
    case NodeKind::TwoDistances: {
        const double d1 = Formula(n.evaluator, n.distanceFormula);
        const double d2 = n.separateSecondDistance ? Formula(n.evaluator, n.angleFormula) : d1;
        return IntersectCircles(base(n.reference1, true), base(n.reference2, true), d1, d2);
    }
    default:
        return {0.0, 0.0};
    }
}

die::coord NodeEvaluation::Plain(const CNodePoint& start)
{
    if (start.table == nullptr)
        return Compute(start);
    const uint64_t generation = start.table->BeginEvaluation();
    if (start.plainGeneration == generation)
        return {start.plainX, start.plainY};

    // Depth first over the references with a stack of our own: a node is
    // computed once all the nodes it is built on are, each once.
    std::vector<const CNodePoint*> stack{&start};
    start.evaluating = true;
    while (!stack.empty()) {
        const CNodePoint* n = stack.back();
        const CNodePoint* next = nullptr;
        for (int index : PositionReferences(*n)) {
            const CNodePoint* r = Referenced(*n, index);
            if (r != nullptr && r != n && !r->evaluating && r->plainGeneration != generation) {
                next = r;
                break;
            }
        }
        if (next != nullptr) {
            next->evaluating = true;
            stack.push_back(next);
            continue;
        }
        const die::coord p = Compute(*n);
        n->plainX = p.x;
        n->plainY = p.y;
        n->plainGeneration = generation;
        n->evaluating = false;
        stack.pop_back();
    }
    return {start.plainX, start.plainY};
}

NodeEvaluation::RotationFrame NodeEvaluation::Frame(const CNodePoint& node)
{
    RotationFrame f;
    f.centre = {Formula(node.evaluator, node.rotationCenterXFormula),
                Formula(node.evaluator, node.rotationCenterYFormula)};
    if (node.table != nullptr) {
        const int o = node.table->GetOriginIndex();
        if (const CNodePoint* origin = Referenced(node, o))
            f.origin = Plain(*origin);
    }
    f.radians = Geom::DegToRad(Formula(node.evaluator, node.rotationAngleFormula));
    return f;
}

namespace {
bool HasRotationFormulas(const CNodePoint& n)
{
    return !n.GetRotationCenterXFormula().isEmpty() || !n.GetRotationCenterYFormula().isEmpty()
           || !n.GetRotationAngleFormula().isEmpty();
}
} // namespace

die::coord NodeEvaluation::Rotated(const CNodePoint& node)
{
    const die::coord p = Plain(node);
    if (!HasRotationFormulas(node))
        return p;
    const RotationFrame f = Frame(node);
    const die::coord q = p - f.origin; // Q − C
    const double d = q.Length();
    double k = f.radians + Geom::VectorAngle(q.y, q.x);
    if (k > Geom::kTwoPi)
        k = std::fmod(k, Geom::kTwoPi);
    return {f.centre.x + d * std::cos(k), f.centre.y + d * std::sin(k)};
}

die::coord NodeEvaluation::Unrotated(const CNodePoint& node, const die::coord& p)
{
    if (!HasRotationFormulas(node))
        return p;
    const RotationFrame f = Frame(node);
    const die::coord v = p - f.centre;
    const double d = v.Length();
    double k = Geom::VectorAngle(v.y, v.x) - f.radians;
    if (k < 0.0)
        k = Geom::kTwoPi + std::fmod(k, Geom::kTwoPi);
    return {f.origin.x + d * std::cos(k), f.origin.y + d * std::sin(k)};
}
