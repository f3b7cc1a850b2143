// Inserting a block: every entity goes through one affine map from the
// block's coordinates to the drawing's, nested insertions compose theirs
// onto it (insertion point, angle, scale, less the inserted block's base
// point), so a block keeps its shape however deep and turned it is placed.
#include "exchange/dxf/DxfReader.h"

#include "exchange/dxf/DxfEntities.h"
#include "geometry/GeomConstants.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// p ↦ (a·x + b·y, c·x + d·y) + t
struct Affine {
    double a = 1.0, b = 0.0, c = 0.0, d = 1.0;
    die::coord t;

    die::coord Map(const die::coord& p) const { return {a * p.x + b * p.y + t.x, c * p.x + d * p.y + t.y}; }
    die::coord Turn(const die::coord& v) const { return {a * v.x + b * v.y, c * v.x + d * v.y}; }
    // This map after `inner`.
    Affine After(const Affine& in) const
    {
        return {a * in.a + b * in.c, a * in.b + b * in.d, c * in.a + d * in.c, c * in.b + d * in.d, Map(in.t)};
    }
    double Det() const { return a * d - b * c; }
    // A reflection turns counter-clockwise arcs clockwise.
    bool Mirrors() const { return Det() < 0.0; }
    // How lengths scale (exact for a similarity).
    double Scale() const { return std::sqrt(std::fabs(Det())); }
    // Whether circles stay circles: both columns as long and square.
    bool KeepsCircles() const
    {
        const double p = a * a + c * c, q = a * b + c * d, s = b * b + d * d;
        const double tolerance = 1e-12 * (p + s);
        return std::fabs(p - s) <= tolerance && std::fabs(q) <= tolerance;
    }
    // The semi-axes of the image of the unit circle: the longer one first.
    std::pair<die::coord, die::coord> EllipseAxes() const
    {
        // The eigenvectors of (this)(this)ᵀ, the squares of the axes' lengths its eigenvalues.
        const double p = a * a + b * b, q = a * c + b * d, s = c * c + d * d;
        const double mid = (p + s) * 0.5, spread = std::hypot((p - s) * 0.5, q);
        const double theta = 0.5 * std::atan2(2.0 * q, p - s);
        const double major = std::sqrt(mid + spread), minor = std::sqrt(std::max(0.0, mid - spread));
        return {die::coord(std::cos(theta), std::sin(theta)) * major,
                die::coord(-std::sin(theta), std::cos(theta)) * minor};
    }
    // The direction the block's x axis takes, degrees.
    double AngleDegrees() const { return Geom::RadToDeg(std::atan2(c, a)); }

    static Affine Rotation(double radians)
    {
        const double co = std::cos(radians), si = std::sin(radians);
        return {co, -si, si, co, {}};
    }
    static Affine Shift(const die::coord& by) { return {1.0, 0.0, 0.0, 1.0, by}; }
    static Affine Scaling(double sx, double sy) { return {sx, 0.0, 0.0, sy, {}}; }
};

die::coord OnCircle(const die::coord& centre, double radius, double degrees)
{
    const double r = Geom::DegToRad(degrees);
    return {centre.x + radius * std::cos(r), centre.y + radius * std::sin(r)};
}

// Whether a closed polyline draws its closing segment: two vertices closed
// by a straight one would only draw their line a second time.
bool DrawsClosingSegment(const dxf::Polyline& pl)
{
    const auto& v = pl.vertices;
    return pl.IsClosed() && v.size() >= 2 && (v.size() >= 3 || v.back().bulge != 0.0);
}

// How many elements a polyline makes: a segment per pair of vertices, and
// the closing one.
qint64 PolylineSegments(const dxf::Polyline& pl)
{
    const auto n = static_cast<qint64>(pl.vertices.size());
    return (n >= 2 ? n - 1 : 0) + (DrawsClosingSegment(pl) ? 1 : 0);
}

} // namespace

struct DxfReader::Expansion {
    Expansion(DxfReader& r, DxfSink& s) : reader(r), sink(s), active(r.blocks_.size(), false) {}

    DxfReader& reader;
    DxfSink& sink;
    std::vector<bool> active; // blocks being inserted, by index
    qint64 made = 0;
    int depth = 0;

    int Use(int lineType)
    {
        reader.lastLineType_ = lineType;
        return lineType;
    }

    bool Count()
    {
        if (++made > kMaxExpansion)
            return reader.Fail(QStringLiteral("the blocks expand to more than %1 elements").arg(kMaxExpansion));
        return true;
    }

    // An arc that runs counter-clockwise from s to e about centre, in the
    // block's coordinates (the whole circle when they are equal); under
    // unequal scales an elliptic one.
    void CounterClockwiseArc(const Affine& m, const die::coord& centre, const die::coord& s, const die::coord& e,
                             int lineType)
    {
        const die::coord from = m.Map(m.Mirrors() ? s : e);
        const die::coord to = m.Map(m.Mirrors() ? e : s);
        const die::coord c = m.Map(centre);
        if (m.KeepsCircles()) {
            sink.AddArc(c, from, to, lineType);
            return;
        }
        const double radius = die::distance(centre, s);
        const auto [major, minor] = m.EllipseAxes();
        sink.AddEllipse(c, c + major * radius, c + minor * radius, from, to, lineType);
    }

    // The segment of a polyline from p to q; a bulge b makes it the arc of
    // 4·atan(b) (counter-clockwise when positive) through both.
    void Segment(const Affine& m, const die::coord& p, const die::coord& q, double bulge, int lineType)
    {
        if (bulge == 0.0 || p == q) {
            sink.AddLine(m.Map(q), m.Map(p), lineType);
            return;
        }
        const die::coord chord = q - p;
        const die::coord left(-chord.y, chord.x);
        const die::coord centre = (p + q) * 0.5 + left * ((1.0 - bulge * bulge) / (4.0 * bulge));
        if (bulge > 0.0)
            CounterClockwiseArc(m, centre, p, q, lineType);
        else
            CounterClockwiseArc(m, centre, q, p, lineType);
    }

    bool Polyline(const Affine& m, const dxf::Polyline& pl)
    {
        const int lt = Use(DxfReader::LineTypeForLayer(pl.layer));
        const auto& v = pl.vertices;
        for (size_t i = 1; i < v.size(); ++i) {
            if (!Count())
                return false;
            Segment(m, v[i - 1].at, v[i].at, v[i - 1].bulge, lt);
        }
        if (DrawsClosingSegment(pl)) {
            if (!Count())
                return false;
            if (v.back().bulge == 0.0)
                sink.AddLine(m.Map(v.front().at), m.Map(v.back().at), lt);
            else
                Segment(m, v.back().at, v.front().at, v.back().bulge, lt);
        }
        return true;
    }

    // An ellipse is the unit circle under the map taking its axes; its
    // parameter runs counter-clockwise there.
    void Ellipse(const Affine& m, const dxf::Ellipse& e, int lineType)
    {
        const die::coord minor = e.Minor();
        const Affine unit{e.major.x, minor.x, e.major.y, minor.y, e.centre};
        const double sweep = e.endParameter - e.startParameter;
        const bool whole = std::fabs(std::remainder(sweep, Geom::kTwoPi)) < 1e-9;
        const die::coord s(std::cos(e.startParameter), std::sin(e.startParameter));
        const die::coord f = whole ? s : die::coord(std::cos(e.endParameter), std::sin(e.endParameter));
        CounterClockwiseArc(m.After(unit), die::coord(), s, f, lineType);
    }

    bool Insert(int index, const Affine& m)
    {
        const DxfBlock& block = reader.blocks_[static_cast<size_t>(index)];
        if (active[static_cast<size_t>(index)])
            return reader.Fail(QStringLiteral("block \"%1\" inserts itself").arg(block.name));
        if (depth >= kMaxInsertDepth)
            return reader.Fail(QStringLiteral("blocks nest deeper than %1 levels").arg(kMaxInsertDepth));
        active[static_cast<size_t>(index)] = true;
        ++depth;
        const bool ok = Entities(block, m);
        --depth;
        active[static_cast<size_t>(index)] = false;
        return ok;
    }

    bool Entities(const DxfBlock& block, const Affine& m)
    {
        for (const dxf::Line& l : block.lines) {
            if (!Count())
                return false;
            sink.AddLine(m.Map(l.start), m.Map(l.end), Use(DxfReader::LineTypeForLayer(l.layer)));
        }
        for (const dxf::Polyline& p : block.polylines) {
            if (!Polyline(m, p))
                return false;
        }
        for (const dxf::Arc& a : block.arcs) {
            if (!Count())
                return false;
            CounterClockwiseArc(m, a.centre, OnCircle(a.centre, a.radius, a.startAngle),
                                OnCircle(a.centre, a.radius, a.endAngle), Use(DxfReader::LineTypeForLayer(a.layer)));
        }
        for (const dxf::Circle& c : block.circles) {
            if (!Count())
                return false;
            const int lt = Use(DxfReader::LineTypeForLayer(c.layer));
            if (c.radius == 0.0)
                continue; // nothing to cut
            const die::coord p = c.centre + die::coord(c.radius, 0.0);
            CounterClockwiseArc(m, c.centre, p, p, lt);
        }
        for (const dxf::Ellipse& el : block.ellipses) {
            if (!Count())
                return false;
            Ellipse(m, el, Use(DxfReader::LineTypeForLayer(el.layer)));
        }
        for (const dxf::Spline& sp : block.splines) {
            if (!Count())
                return false;
            std::vector<die::coord> points = dxf::SplinePoints(sp);
            for (die::coord& p : points)
                p = m.Map(p);
            sink.AddSpline(points, Use(DxfReader::LineTypeForLayer(sp.layer)));
        }
        for (const dxf::Text& t : block.texts) {
            if (!Count())
                return false;
            const int lt = Use(DxfReader::LineTypeForLayer(t.layer));
            const QString text = t.text.trimmed();
            if (text.isEmpty())
                continue;
            const double height = t.height * m.Scale();
            sink.AddText(m.Map(t.at), height, t.angle + m.AngleDegrees(), height * 0.8, text, lt);
        }
        for (const dxf::Insert& in : block.inserts) {
            const auto found = reader.byName_.constFind(in.name);
            if (found == reader.byName_.constEnd())
                continue; // a block that does not exist inserts nothing
            const Affine turned = m.After(Affine::Shift(in.at)).After(Affine::Rotation(Geom::DegToRad(in.angle)));
            for (int row = 0; row < std::max(in.rows, 1); ++row) {
                for (int column = 0; column < std::max(in.columns, 1); ++column) {
                    for (int index : *found) {
                        if (!Count())
                            return false;
                        const DxfBlock& inner = reader.blocks_[static_cast<size_t>(index)];
                        const Affine placed =
                            turned.After(Affine::Shift({column * in.columnSpacing, row * in.rowSpacing}))
                                .After(Affine::Scaling(in.scaleX, in.scaleY))
                                .After(Affine::Shift(-inner.base));
                        if (!Insert(index, placed))
                            return false;
                    }
                }
            }
        }
        for (const dxf::Point& p : block.points) {
            if (!Count())
                return false;
            const int lt = Use(kPointLineType);
            const die::coord at = m.Map(p.at);
            sink.AddLine(at + die::coord(-2.0, -2.0), at + die::coord(2.0, 2.0), lt);
            sink.AddLine(at + die::coord(2.0, -2.0), at + die::coord(-2.0, 2.0), lt);
        }
        return true;
    }
};

bool DxfReader::InsertBlock(const DxfBlock& block, const die::coord& offset, double angle, DxfSink& sink)
{
    Expansion e(*this, sink);
    const Affine m =
        Affine::Shift(offset).After(Affine::Rotation(-angle)).After(Affine::Scaling(unitScale_, unitScale_));
    const DxfBlock* first = blocks_.data();
    const DxfBlock* last = first + blocks_.size();
    if (!std::less<const DxfBlock*>()(&block, first) && std::less<const DxfBlock*>()(&block, last))
        return e.Insert(static_cast<int>(&block - first), m); // one of ours: it may not insert itself
    return e.Entities(block, m);
}

// The count of an expansion, all levels at once: each block's own total is
// worked out once (what its entities make, plus one for each insertion and
// what the inserted block makes), so even a file whose blocks nest to
// billions of elements is counted in the time it takes to read it.
struct DxfReader::Counting {
    explicit Counting(const DxfReader& r) : reader(r), total(r.blocks_.size(), -1), levels(r.blocks_.size(), 0),
                                            active(r.blocks_.size(), false) {}

    // Far beyond any limit, and far from overflowing when multiplied by a
    // block's entity count.
    static constexpr qint64 kSaturated = qint64(1) << 52;
    static qint64 Add(qint64 a, qint64 b) { return std::min(kSaturated, a + b); }
    static qint64 Times(qint64 a, qint64 b) { return b != 0 && a > kSaturated / b ? kSaturated : a * b; }

    const DxfReader& reader;
    std::vector<qint64> total;  // by block index; -1 until counted
    std::vector<int> levels;    // how many levels a block's insertion takes, itself included
    std::vector<bool> active;
    QString failure;

    // What the block's own entities and insertions make, with the levels
    // it nests below the one it is inserted on.
    qint64 Block(const DxfBlock& block, int depth, int* nested)
    {
        qint64 n = static_cast<qint64>(block.lines.size() + block.arcs.size() + block.circles.size()
                                       + block.texts.size() + block.points.size() + block.ellipses.size()
                                       + block.splines.size());
        for (const dxf::Polyline& p : block.polylines)
            n = Add(n, PolylineSegments(p));
        *nested = 0;
        for (const dxf::Insert& in : block.inserts) {
            const auto found = reader.byName_.constFind(in.name);
            if (found == reader.byName_.constEnd())
                continue;
            for (int index : *found) {
                const qint64 inner = Indexed(index, depth + 1);
                if (inner < 0)
                    return -1;
                // An array insertion makes each of its copies.
                const qint64 copies = static_cast<qint64>(std::max(in.rows, 1)) * std::max(in.columns, 1);
                n = Add(n, Times(copies, Add(1, inner)));
                *nested = std::max(*nested, levels[static_cast<size_t>(index)]);
            }
        }
        return n;
    }

    // The total of block `index` inserted on level `depth` (0 the top);
    // -1 with the failure set when the insertion cannot end.
    qint64 Indexed(int index, int depth)
    {
        const auto i = static_cast<size_t>(index);
        const DxfBlock& block = reader.blocks_[i];
        if (active[i]) {
            failure = QStringLiteral("block \"%1\" inserts itself").arg(block.name);
            return -1;
        }
        if (total[i] < 0) {
            active[i] = true;
            int nested = 0;
            total[i] = Block(block, depth, &nested);
            active[i] = false;
            if (total[i] < 0)
                return -1;
            levels[i] = nested + 1;
        }
        if (depth + levels[i] > kMaxInsertDepth) {
            failure = QStringLiteral("blocks nest deeper than %1 levels").arg(kMaxInsertDepth);
            return -1;
        }
        return total[i];
    }

    qint64 Root(const DxfBlock& block)
    {
        const DxfBlock* first = reader.blocks_.data();
        const DxfBlock* last = first + reader.blocks_.size();
        if (!std::less<const DxfBlock*>()(&block, first) && std::less<const DxfBlock*>()(&block, last))
            return Indexed(static_cast<int>(&block - first), 0);
        int nested = 0;
        const qint64 n = Block(block, 0, &nested);
        if (n >= 0 && nested + 1 > kMaxInsertDepth) {
            failure = QStringLiteral("blocks nest deeper than %1 levels").arg(kMaxInsertDepth);
            return -1;
        }
        return n;
    }
};

bool DxfReader::CountExpansion(const std::vector<const DxfBlock*>& roots, qint64* elements)
{
    Counting counting(*this);
    qint64 sum = 0;
    for (const DxfBlock* block : roots) {
        const qint64 n = counting.Root(*block);
        if (n < 0) {
            counted_ = 0;
            return Fail(counting.failure);
        }
        sum = Counting::Add(sum, n);
    }
    counted_ = sum;
    if (elements)
        *elements = sum;
    if (sum > kMaxExpansion) {
        return Fail(sum >= Counting::kSaturated
                        ? QStringLiteral("the chosen blocks would make more than %1 elements, more than the %2 a "
                                         "drawing may take")
                              .arg(Counting::kSaturated)
                              .arg(kMaxExpansion)
                        : QStringLiteral("the chosen blocks would make %1 elements, more than the %2 a drawing may take")
                              .arg(sum)
                              .arg(kMaxExpansion));
    }
    return true;
}
