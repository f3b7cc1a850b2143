#include "display/FigureOutput.h"

#include "display/FigurePaths.h"
#include "geometry/GeomConstants.h"

#include <algorithm>

namespace FigureOutput {
namespace {

void Emit(std::vector<OutputNode>& out, double x, double y, int code, int lineType)
{
    out.push_back({x, y, code, lineType});
}

} // namespace

int Plain(std::span<const PathNode> path, int lineType, std::vector<OutputNode>& out)
{
    if (path.empty())
        return OutputKind::None;
    Emit(out, path[0].x, path[0].y, OutputCode::Move, 0);
    for (std::size_t i = 1; i < path.size(); ++i)
        Emit(out, path[i].x, path[i].y, path[i].length == 0.0 ? OutputCode::Move : OutputCode::Draw, lineType);
    return OutputKind::Polyline;
}

int Bridged(std::span<const PathNode> path, std::span<const DisplayBridge> bridges, int lineType,
            std::vector<OutputNode>& out)
{
    if (path.empty())
        return OutputKind::None;
    Emit(out, path[0].x, path[0].y, OutputCode::Move, 0);
    std::size_t due = 0;   // the bridge whose next event comes next
    bool inGap = false;
    double reached = 0.0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const PathNode& from = path[i - 1];
        const PathNode& to = path[i];
        const double segmentStart = reached;
        reached += to.length;
        if (to.length > 0.0) {
            while (due < bridges.size()) {
                const DisplayBridge& bridge = bridges[due];
                const double event = inGap ? bridge.position + bridge.width : bridge.position;
                if (event > reached)
                    break;
                const double t = std::clamp((event - segmentStart) / to.length, 0.0, 1.0);
                Emit(out, from.x + t * (to.x - from.x), from.y + t * (to.y - from.y),
                     inGap ? OutputCode::Move : OutputCode::Draw, lineType);
                if (inGap)
                    ++due;
                inGap = !inGap;
            }
        }
        Emit(out, to.x, to.y, inGap || to.length == 0.0 ? OutputCode::Move : OutputCode::Draw, lineType);
    }
    return OutputKind::Polyline;
}

int PlainArc(const DisplayFigure& arc, std::vector<OutputNode>& out)
{
    if (arc.path.size() < 4)
        return OutputKind::None;
    const FigurePaths::ArcGeometry geometry = FigurePaths::ArcOf(arc);
    for (std::size_t i = 0; i < 3; ++i)
        Emit(out, arc.path[i].x, arc.path[i].y, OutputCode::Data, 0);
    const bool longArc = geometry.fullCircle || arc.path[3].length > geometry.radius * Geom::kPi;
    Emit(out, arc.path[3].x, arc.path[3].y, longArc ? OutputCode::LongArc : OutputCode::Data, 0);
    return OutputKind::Arc;
}

int BridgedArc(const DisplayFigure& arc, std::vector<OutputNode>& out)
{
    if (arc.path.size() < 4)
        return OutputKind::None;
    const FigurePaths::ArcGeometry geometry = FigurePaths::ArcOf(arc);
    Emit(out, arc.path[0].x, arc.path[0].y, OutputCode::Data, 0);
    Emit(out, arc.path[1].x, arc.path[1].y, OutputCode::Data, 0);
    if (geometry.radius == 0.0)
        return OutputKind::Arc;

    const double length = geometry.Length();
    const double halfTurn = geometry.radius * Geom::kPi;
    const auto closePiece = [&](const die::coord& p, double pieceLength) {
        Emit(out, p.x, p.y, pieceLength > halfTurn ? OutputCode::LongArc : OutputCode::Data, 0);
    };

    const auto& bridges = arc.bridges;
    std::size_t due = 0;
    bool drawing = true;
    double pieceStart = 0.0;
    if (!bridges.empty() && bridges[0].position <= 0.0)
        drawing = false; // the walk begins inside the first gap
    else
        Emit(out, geometry.start.x, geometry.start.y, OutputCode::Data, 0);

    while (due < bridges.size()) {
        const DisplayBridge& bridge = bridges[due];
        const double event = drawing ? bridge.position : bridge.position + bridge.width;
        if (event >= length)
            break;
        if (drawing) {
            closePiece(geometry.PointAt(event), event - pieceStart);
        } else {
            const die::coord p = geometry.PointAt(event);
            Emit(out, p.x, p.y, OutputCode::Data, 0);
            pieceStart = event;
            ++due;
        }
        drawing = !drawing;
    }
    if (drawing)
        closePiece(geometry.end, length - pieceStart);
    return OutputKind::Arc;
}

} // namespace FigureOutput
