#include "exchange/export/BlockTransforms.h"

#include "exchange/export/ContourChainer.h"
#include "geometry/GeomConstants.h"

#include <algorithm>
#include <cmath>

namespace Export {

void MirrorBlock(ExportBlock& block, int mirror)
{
    for (ExportPrimitive& p : block.primitives) {
        switch (p.kind) {
        case ExportPrimitive::Line:
            p.B.x = -p.B.x;
            p.C.x = -p.C.x;
            break;
        case ExportPrimitive::Arc:
            p.A.x = -p.A.x;
            p.B.x = -p.B.x;
            p.C.x = -p.C.x;
            std::swap(p.B, p.C);
            break;
        case ExportPrimitive::Text:
            if (mirror == 2) {
                const double run = static_cast<double>(p.text.size()) * p.C.x;
                p.A.x = -p.A.x - run * p.B.x;
                p.A.y = p.A.y + run * p.B.y;
            } else {
                p.A.x = -p.A.x;
            }
            p.B.y = -p.B.y;
            break;
        default:
            break;
        }
    }
    for (ExportPlacement& placement : block.placements) {
        if (placement.angle != 0.0)
            placement.angle = Geom::kTwoPi - placement.angle;
        placement.x = -placement.x;
    }
}

void ExtendMinimumCorner(const ExportBlock& block, std::optional<die::coord>& corner)
{
    const auto take = [&corner](const die::coord& p) {
        if (!corner) {
            corner = p;
            return;
        }
        corner->x = std::min(corner->x, p.x);
        corner->y = std::min(corner->y, p.y);
    };
    for (const ExportPrimitive& p : block.primitives) {
        if (p.kind == ExportPrimitive::Line) {
            take(p.B);
            take(p.C);
        } else if (p.kind == ExportPrimitive::Arc) {
            const double r = (p.B - p.A).Length();
            if (PointsCoincide(p.B, p.C)) {
                take(p.A - die::coord(r, r));
                continue;
            }
            take(p.B);
            take(p.C);
            const die::coord chord = p.B - p.C;
            for (const die::coord& offset : {die::coord(0.0, -r), die::coord(0.0, r), die::coord(-r, 0.0), die::coord(r, 0.0)}) {
                const die::coord q = p.A + offset;
                const die::coord toQ = q - p.C;
                if (chord.x * toQ.y - chord.y * toQ.x > 0.0)
                    take(q);
            }
        }
    }
}

void ShiftBlock(ExportBlock& block, const die::coord& m)
{
    for (ExportPrimitive& p : block.primitives) {
        switch (p.kind) {
        case ExportPrimitive::Line:
            p.B -= m;
            p.C -= m;
            break;
        case ExportPrimitive::Arc:
            p.A -= m;
            p.B -= m;
            p.C -= m;
            break;
        case ExportPrimitive::Text:
            p.A -= m;
            break;
        default:
            break;
        }
    }
    for (ExportPlacement& placement : block.placements) {
        const double c = std::cos(placement.angle);
        const double s = std::sin(placement.angle);
        placement.x += c * m.x - s * m.y - m.x;
        placement.y += s * m.x + c * m.y - m.y;
    }
}

} // namespace Export
