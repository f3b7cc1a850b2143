// The compatibility-mode conversion of line and arc figures: the figure's
// bridged output read back as rule and gap pieces, the pieces turned into
// items (CompatBridges.h), one record per item.
#include "exchange/export/ExportPreparer.h"

#include "display/DisplayList.h"
#include "geometry/Angle.h"
#include "geometry/GeomConstants.h"

#include <cmath>

namespace Export {
namespace {

// Room for the pieces of a rule with many bridges, kept from the start.
constexpr std::size_t kReservedPieces = 100;

ExportPrimitive RecordOf(const DisplayFigure& figure, std::int16_t kind, const BridgeItem& item)
{
    ExportPrimitive p;
    p.kind = kind;
    p.line_type = static_cast<std::int16_t>(figure.lineType);
    p.ptg = figure.ptg;
    p.bridge_count = item.count;
    p.bridge_width = static_cast<float>(item.width);
    return p;
}

} // namespace

void ExportPreparer::AddLineCompat(ExportBlock& target, const DisplayFigure& figure)
{
    const std::vector<OutputNode>& nodes = figure.output;
    if (nodes.empty())
        return;
    pieces_.clear();
    pieces_.reserve(kReservedPieces);
    const die::coord s(nodes[0].x, nodes[0].y);
    die::coord previous = s;
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        const die::coord node(nodes[i].x, nodes[i].y);
        AddPiece(pieces_, (node - previous).Length(),
                 nodes[i].code == OutputCode::Move ? RulePiece::Gap : RulePiece::Rule);
        previous = node;
    }
    FinishPieces(pieces_);
    BridgeItemsOf(pieces_, items_);

    die::coord u = previous - s;
    if (const double length = u.Length(); length != 0.0)
        u = u / length;
    for (const BridgeItem& item : items_) {
        ExportPrimitive p = RecordOf(figure, ExportPrimitive::Line, item);
        p.B = s + u * item.start;
        p.C = s + u * item.end;
        p.reverse = 0;
        target.primitives.push_back(std::move(p));
    }
}

void ExportPreparer::AddArcCompat(ExportBlock& target, const DisplayFigure& figure)
{
    // Centre, (radius, 0), then the drawn pieces' ends, each piece running
    // clockwise from its first point.
    const std::vector<OutputNode>& nodes = figure.output;
    if (nodes.size() < 4)
        return;
    const die::coord centre(nodes[0].x, nodes[0].y);
    const double r = nodes[1].x;
    const auto angleOf = [&](const OutputNode& n) {
        return Angle().FromVector(die::coord(n.x, n.y) - centre).Radians();
    };
    pieces_.clear();
    pieces_.reserve(kReservedPieces);
    const double a0 = angleOf(nodes[2]);
    // Two points alone are the whole arc: equal ones a full turn. Between
    // more, equal points mark a piece of no length.
    const bool whole = nodes.size() == 4;
    double previous = a0;
    for (std::size_t i = 3; i < nodes.size(); ++i) {
        const double angle = angleOf(nodes[i]);
        double sweep = Angle::Normalize(previous - angle);
        if (previous == angle)
            sweep = whole ? Geom::kTwoPi : 0.0;
        AddPiece(pieces_, sweep * r, (i - 3) % 2 == 0 ? RulePiece::Rule : RulePiece::Gap);
        previous = angle;
    }
    FinishPieces(pieces_);
    BridgeItemsOf(pieces_, items_);

    const double perLength = r != 0.0 ? 1.0 / r : 0.0;
    const auto pointAt = [&](double angle) {
        const double a = Angle::Normalize(angle);
        return centre + die::coord(std::cos(a), std::sin(a)) * r;
    };
    for (const BridgeItem& item : items_) {
        ExportPrimitive p = RecordOf(figure, ExportPrimitive::Arc, item);
        p.A = centre;
        p.C = pointAt(a0 - item.start * perLength);
        p.B = pointAt(a0 - item.end * perLength);
        p.reverse = 1;
        target.primitives.push_back(std::move(p));
    }
}

} // namespace Export
