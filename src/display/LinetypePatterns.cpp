#include "display/LinetypePatterns.h"

#include "geometry/Angle.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"

#include <algorithm>
#include <cmath>

namespace LinetypePatterns {
namespace {

double PathLength(std::span<const PathNode> path)
{
    double total = 0.0;
    for (std::size_t i = 1; i < path.size(); ++i)
        total += path[i].length;
    return total;
}

// A pattern of this repeat length stays within the bound on the path.
bool RepeatsWithinBound(std::span<const PathNode> path, double repeat)
{
    return PathLength(path) / repeat <= MaxPatternRepeats;
}

die::coord PointOf(const PathNode& node)
{
    return {node.x, node.y};
}

// A straight segment of the path ending at p: b is the unit vector from p
// back to its start, n = b turned by 90° counter-clockwise (the right-hand
// side of the direction of travel), reached the path length at p.
struct Segment {
    die::coord p;
    die::coord b;
    die::coord n;
    double reached = 0.0;
    bool last = false;

    Segment(const PathNode& from, const PathNode& to, double reachedAt, bool isLast)
        : p(PointOf(to)), b((PointOf(from) - PointOf(to)) / to.length), n(-b.y, b.x), reached(reachedAt), last(isLast)
    {
    }
    // The point at distance x before p along the segment.
    die::coord Before(double x) const { return p + b * x; }
};

void Emit(std::vector<OutputNode>& out, const die::coord& p, int code, int lineType)
{
    out.push_back({p.x, p.y, code, lineType});
}

double DirectionOf(const die::coord& v)
{
    return Angle().FromVector(v).Radians();
}

// --- wave -----------------------------------------------------------------------

class WaveBuilder {
public:
    WaveBuilder(const PatternValues& v, std::vector<OutputNode>& out) : values_(v), out_(out) {}

    // The arc of one half-wave: radius R through the ends of a chord λ with
    // its peak g from the chord, sweep θ, length La; and the radius N of a
    // half-wave that spans a corner of the path. False when the wave is so
    // flat that it is a straight line.
    bool Prepare()
    {
        lambda_ = values_.data1;
        const double g = values_.data2;
        height_ = g;
        radius_ = (lambda_ * lambda_ / 4.0 + g * g) / (2.0 * g);
        theta_ = 2.0 * std::asin(std::clamp(lambda_ / (2.0 * radius_), -1.0, 1.0));
        if (lambda_ < 2.0 * g && theta_ != 0.0)
            theta_ = Geom::kTwoPi - theta_;
        const double arcLength = theta_ * radius_;
        corner_ = arcLength / (3.483 * std::acos(std::clamp(lambda_ / arcLength, -1.0, 1.0)));
        return std::isfinite(radius_ * radius_) && std::isfinite(corner_ * corner_) && corner_ > 0.0;
    }

    void Run(std::span<const PathNode> path)
    {
        double reached = 0.0;
        for (std::size_t i = 1; i < path.size(); ++i) {
            const PathNode& node = path[i];
            if (node.length == 0.0) {
                // A new stroke: a half-wave left open is dropped and the
                // pattern starts again on the left.
                Emit(out_, PointOf(node), OutputCode::Move, 0);
                side_ = 1.0;
                open_ = false;
                next_ = reached;
                continue;
            }
            reached += node.length;
            const Segment seg(path[i - 1], node, reached, i + 1 == path.size());
            if (open_)
                FinishOpenHalfWave(seg);
            while (!open_ && seg.reached > next_)
                HalfWaveOnSegment(seg);
        }
    }

private:
    // The centre of the half-wave of radius N from the open start to end, on
    // the side opposite its bulge (the chord's length must not be 0).
    die::coord CornerCentre(const die::coord& end) const
    {
        const die::coord chord = openStart_ - end;
        const double m = chord.Length();
        const die::coord u = chord / m;
        const double w = m < 2.0 * corner_ ? std::sqrt(corner_ * corner_ - m * m / 4.0) : 0.0;
        return (openStart_ + end) / 2.0 + die::coord(-u.y, u.x) * (side_ * w);
    }

    double Sweep(const die::coord& centre, const die::coord& start, const die::coord& end) const
    {
        double sweep = Angle::Normalize(DirectionOf(start - centre) - DirectionOf(end - centre));
        if (side_ < 0.0 && sweep != 0.0)
            sweep = Geom::kTwoPi - sweep;
        return sweep;
    }

    // One half-wave: its end (code 2), its centre, (radius, direction), and
    // (start angle, sweep). A direction of −1 runs clockwise.
    void EmitHalfWave(const die::coord& end, const die::coord& centre, double radius, const die::coord& start,
                      double sweep)
    {
        Emit(out_, end, OutputCode::Draw, values_.subtype1);
        Emit(out_, centre, OutputCode::Data, 0);
        Emit(out_, {radius, -side_}, OutputCode::Data, 0);
        Emit(out_, {DirectionOf(start - centre), sweep}, OutputCode::Data, 0);
    }

    void FinishOpenHalfWave(const Segment& seg)
    {
        const double end = next_ + lambda_;
        if (seg.reached >= end) {
            const die::coord qe = seg.Before(seg.reached - end);
            if (openStart_ != qe) {
                const die::coord k = CornerCentre(qe);
                EmitHalfWave(qe, k, corner_, openStart_, Sweep(k, openStart_, qe));
            }
            side_ = -side_;
            next_ = end;
            open_ = false;
        } else if (seg.last) {
            // Closed at the path's end: on the circle of radius N, where the
            // perpendicular through the end meets it away from the centre.
            const die::coord qx = seg.p - seg.b * (end - seg.reached);
            if (openStart_ != qx) {
                const die::coord k = CornerCentre(qx);
                const die::coord rel = seg.p - k;
                const double t = Geom::IntersectParam(seg.b.x, seg.b.y, rel.x, rel.y, seg.n.x, seg.n.y);
                const die::coord foot = rel + seg.n * t;
                const double rise = std::sqrt(std::max(0.0, corner_ * corner_ - foot.LengthSquared()));
                const die::coord qe = k + foot - seg.n * (side_ * rise);
                EmitHalfWave(qe, k, corner_, openStart_, Sweep(k, openStart_, qe));
            }
            next_ = seg.reached;
            open_ = false;
        }
    }

    void HalfWaveOnSegment(const Segment& seg)
    {
        const double along = seg.reached - next_;
        const die::coord centre = seg.Before(along - lambda_ / 2.0) + seg.n * (side_ * (radius_ - height_));
        const die::coord start = seg.Before(along);
        if (along >= lambda_) {
            EmitHalfWave(seg.Before(along - lambda_), centre, radius_, start, theta_);
            side_ = -side_;
            next_ += lambda_;
        } else if (seg.last) {
            // A part half-wave: its end lies above the path's end.
            const double delta = along - lambda_ / 2.0;
            const double rise = std::sqrt(std::max(0.0, radius_ * radius_ - delta * delta)) - (radius_ - height_);
            const die::coord end = seg.p - seg.n * (side_ * rise);
            EmitHalfWave(end, centre, radius_, start, Sweep(centre, start, end));
            next_ = seg.reached;
        } else {
            open_ = true;
            openStart_ = start;
        }
    }

    const PatternValues& values_;
    std::vector<OutputNode>& out_;
    double lambda_ = 0.0;
    double height_ = 0.0;
    double radius_ = 0.0;
    double theta_ = 0.0;
    double corner_ = 0.0;
    double side_ = 1.0;
    double next_ = 0.0; // where the next half-wave starts
    bool open_ = false;
    die::coord openStart_;
};

// --- tear and mixed: pieces of given lengths along the path ------------------------

// Walks the path in pieces, the first of firstPiece. Each piece end inside a
// segment, and each segment end inside a piece, goes to onEnd with whether
// the piece is complete; for a complete piece onEnd returns the length of the
// next one. Move nodes are copied as moves.
template <class End>
void WalkPieces(std::span<const PathNode> path, std::vector<OutputNode>& out, double firstPiece, End&& onEnd)
{
    double remaining = firstPiece;
    double reached = 0.0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const PathNode& node = path[i];
        if (node.length == 0.0) {
            Emit(out, PointOf(node), OutputCode::Move, 0);
            continue;
        }
        double position = reached;
        reached += node.length;
        const Segment seg(path[i - 1], node, reached, i + 1 == path.size());
        while (position < reached) {
            if (remaining <= reached - position) {
                position += remaining;
                remaining = onEnd(seg.Before(reached - position), seg, true);
            } else {
                remaining -= reached - position;
                position = reached;
                onEnd(seg.p, seg, false);
            }
        }
    }
}

} // namespace

bool Wave(std::span<const PathNode> path, const PatternValues& values, std::vector<OutputNode>& out)
{
    if (path.empty() || !(values.data1 > 0.0) || !(values.data2 > 0.0) || !RepeatsWithinBound(path, values.data1))
        return false;
    WaveBuilder wave(values, out);
    if (!wave.Prepare())
        return false;
    Emit(out, PointOf(path[0]), OutputCode::Move, 0);
    wave.Run(path);
    return true;
}

bool Tear(std::span<const PathNode> path, const PatternValues& values, std::vector<OutputNode>& out)
{
    const double dash = values.data1;
    const double tick = values.data2;
    if (path.empty() || !(dash > 0.0) || !(tick > 0.0) || !RepeatsWithinBound(path, dash + tick))
        return false;
    const double angle = values.data3 / 57.29577951308232;
    const die::coord turn(std::cos(angle), std::sin(angle));
    bool inGap = false;
    Emit(out, PointOf(path[0]), OutputCode::Move, 0);
    WalkPieces(path, out, dash, [&](const die::coord& p, const Segment& seg, bool complete) {
        Emit(out, p, inGap ? OutputCode::Move : OutputCode::Draw, values.subtype1);
        if (!complete)
            return 0.0;
        if (inGap) {
            inGap = false;
            return dash;
        }
        // The tick, turned from the direction of travel.
        Emit(out, p + (-seg.b).ComplexProduct(turn) * tick, OutputCode::Draw, values.subtype1);
        inGap = true;
        return tick;
    });
    return true;
}

bool Mixed(std::span<const PathNode> path, const PatternValues& values, std::vector<OutputNode>& out)
{
    if (path.empty() || !(values.data1 > 0.0) || !(values.data2 > 0.0)
        || !RepeatsWithinBound(path, values.data1 + values.data2))
        return false;
    int code = OutputCode::DrawPen0;
    Emit(out, PointOf(path[0]), OutputCode::Move, 0);
    WalkPieces(path, out, values.data1, [&](const die::coord& p, const Segment&, bool complete) {
        Emit(out, p, code, code == OutputCode::DrawPen0 ? values.subtype1 : values.subtype2);
        if (!complete)
            return 0.0;
        code = code == OutputCode::DrawPen0 ? OutputCode::DrawPen1 : OutputCode::DrawPen0;
        return code == OutputCode::DrawPen0 ? values.data1 : values.data2;
    });
    return true;
}

} // namespace LinetypePatterns
