#include "exchange/export/FigureConversion.h"

#include "display/DisplayList.h"
#include "geometry/Angle.h"
#include "geometry/GeomConstants.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace Export {
namespace {

class Converter {
public:
    Converter(const DisplayFigure& figure, const ExportSettings& settings, std::vector<ExportPrimitive>& out)
        : figure_(figure), settings_(settings), out_(out)
    {
    }

    void Figure()
    {
        switch (figure_.kind) {
        case FigureKind::Arc:
            ArcPath();
            break;
        case FigureKind::Line:
        case FigureKind::Curve:
        case FigureKind::Ellipse:
            Path();
            break;
        case FigureKind::Text:
            if (settings_.text == 0)
                Text();
            else
                Path();
            break;
        default:
            break;
        }
    }

private:
    std::span<const OutputNode> Nodes() const { return figure_.output; }

    void Path()
    {
        if (figure_.outputKind == OutputKind::Polyline)
            Polyline();
        else if (figure_.outputKind == OutputKind::WaveArcs)
            ArcPath();
    }

    void ArcPath()
    {
        if (figure_.outputKind == OutputKind::Polyline)
            Polyline();
        else if (figure_.outputKind == OutputKind::WaveArcs)
            Mixed();
        else if (figure_.outputKind == OutputKind::Arc)
            ArcPieces();
    }

    ExportPrimitive Made(std::int16_t kind) const
    {
        ExportPrimitive p;
        p.kind = kind;
        p.line_type = static_cast<std::int16_t>(figure_.lineType);
        p.ptg = figure_.ptg;
        return p;
    }

    void AddLine(const die::coord& from, const die::coord& to, int lineType)
    {
        ExportPrimitive p = Made(ExportPrimitive::Line);
        p.line_type = static_cast<std::int16_t>(lineType);
        p.B = from;
        p.C = to;
        out_.push_back(std::move(p));
    }

    // Counter-clockwise from b to c about centre; reverse 1 when it is
    // followed the other way.
    void AddArc(const die::coord& centre, const die::coord& b, const die::coord& c, std::int16_t reverse)
    {
        ExportPrimitive p = Made(ExportPrimitive::Arc);
        p.A = centre;
        p.B = b;
        p.C = c;
        p.reverse = reverse;
        if (settings_.arc == 1)
            AppendChords(p, out_);
        else
            out_.push_back(std::move(p));
    }

    void Polyline()
    {
        const auto nodes = Nodes();
        if (nodes.empty())
            return;
        die::coord current(nodes[0].x, nodes[0].y);
        for (std::size_t i = 1; i < nodes.size(); ++i) {
            const die::coord node(nodes[i].x, nodes[i].y);
            if (nodes[i].code != OutputCode::Move)
                AddLine(current, node, nodes[i].lineType);
            current = node;
        }
    }

    // Moves and draws with half-wave arcs: a Draw record is an arc's end,
    // followed by its centre, (radius, direction: below 0 clockwise) and one
    // record of angles; a Spur record starts a line to the next record.
    void Mixed()
    {
        const auto nodes = Nodes();
        if (nodes.empty())
            return;
        die::coord current(nodes[0].x, nodes[0].y);
        for (std::size_t i = 1; i < nodes.size(); ++i) {
            const die::coord node(nodes[i].x, nodes[i].y);
            if (nodes[i].code == OutputCode::Draw) {
                if (i + 3 >= nodes.size())
                    return; // an arc cut short: its data is missing
                const die::coord centre(nodes[i + 1].x, nodes[i + 1].y);
                const bool clockwise = nodes[i + 2].y < 0.0;
                if (clockwise)
                    AddArc(centre, node, current, 1);
                else
                    AddArc(centre, current, node, 0);
                current = node;
                i += 3;
            } else if (nodes[i].code == OutputCode::Spur) {
                current = node;
                if (i + 1 < nodes.size()) {
                    ++i;
                    AddLine(current, {nodes[i].x, nodes[i].y}, figure_.lineType);
                }
            } else {
                current = node;
            }
        }
    }

    // Centre, (radius, 0), then (P, Q) pairs each running clockwise from P to Q.
    void ArcPieces()
    {
        const auto nodes = Nodes();
        if (nodes.size() < 2)
            return;
        const die::coord centre(nodes[0].x, nodes[0].y);
        for (std::size_t i = 2; i + 1 < nodes.size(); i += 2)
            AddArc(centre, {nodes[i + 1].x, nodes[i + 1].y}, {nodes[i].x, nodes[i].y}, 1);
    }

    void Text()
    {
        if (figure_.points.size() < 3)
            return;
        ExportPrimitive p = Made(ExportPrimitive::Text);
        p.A = figure_.points[0];
        p.B = figure_.points[1];
        p.C = figure_.points[2];
        p.text = figure_.text;
        out_.push_back(std::move(p));
    }

    const DisplayFigure& figure_;
    const ExportSettings& settings_;
    std::vector<ExportPrimitive>& out_;
};

} // namespace

void ConvertFigure(const DisplayFigure& figure, const ExportSettings& settings, std::vector<ExportPrimitive>& out)
{
    Converter(figure, settings, out).Figure();
}

namespace {
// However large an arc, a turn gives no more chords than this.
constexpr double kMaxChordsPerTurn = 1.0e6;
} // namespace

void AppendChords(const ExportPrimitive& arc, std::vector<ExportPrimitive>& out, double lengthTolerance)
{
    const double r = (arc.B - arc.A).Length();
    const double startAngle = Angle().FromVector(arc.B - arc.A).Radians();
    const double endAngle = Angle().FromVector(arc.C - arc.A).Radians();
    double sweep = Angle::Normalize(endAngle - startAngle);
    if (startAngle == endAngle)
        sweep = Geom::kTwoPi;
    double perTurn = r <= 1.0 ? 8.0 : (r < 15.0 ? 8.0 * r : 180.0);
    if (lengthTolerance > 0.0 && r > 0.0 && std::isfinite(r)) {
        // n chords of angle s fall short of the arc by n·r·(s - 2·sin(s/2)),
        // below r·sweep·s²/24: steps of at most sqrt(24·tolerance/(r·sweep)).
        const double finest = std::sqrt(24.0 * lengthTolerance / (r * sweep));
        perTurn = std::min(std::max(perTurn, std::ceil(Geom::kTwoPi / finest)), kMaxChordsPerTurn);
    }
    const double step = Geom::kTwoPi / perTurn;
    const auto pointAt = [&](double angle) { return arc.A + die::coord(std::cos(angle), std::sin(angle)) * r; };

    // A radius or sweep that is not a number cuts nothing.
    if (!(step > 0.0) || !std::isfinite(sweep))
        return;
    ExportPrimitive chord = arc;
    chord.kind = ExportPrimitive::Line;
    chord.A = {};
    chord.reverse = 0;
    // Whole steps counted once, so that rounding in a running subtraction
    // cannot leave a chord of no length at the end.
    const double steps = sweep / step;
    const auto whole = static_cast<long>(std::floor(steps + 1e-9));
    for (long i = 0; i < whole; ++i) {
        const double angle = startAngle + static_cast<double>(i) * step;
        chord.B = pointAt(angle);
        chord.C = i + 1 == whole && steps - static_cast<double>(whole) <= 1e-9 ? pointAt(endAngle) : pointAt(angle + step);
        out.push_back(chord);
    }
    if (steps - static_cast<double>(whole) > 1e-9) {
        chord.B = pointAt(startAngle + static_cast<double>(whole) * step);
        chord.C = pointAt(endAngle);
        out.push_back(chord);
    }
}

} // namespace Export
