#pragma once
// The prepared geometry of one export: named blocks of output primitives
// (lines, counter-clockwise arcs, texts) in millimetres, each block drawn once
// as it is and once more per placement.
#include "geometry/Coord.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace Export {

struct ExportPrimitive {
    enum Kind : std::int16_t { Line = 0, Arc = 1, Text = 2 };

    std::int32_t sort_key = 0;   // the chainer's output position
    std::int16_t kind = Line;
    std::int16_t line_type = 0;
    // line: B start, C end, A unused; arc: A centre, counter-clockwise from B
    // to C (B equal to C a full circle); text: A baseline start, B unit
    // direction, C = (advance per character, height).
    die::coord A;
    die::coord B;
    die::coord C;
    std::int16_t reverse = 0;    // 0: traversed from B to C; 1: from C to B
    float ptg = 0.0f;
    std::int32_t bridge_count = 0;
    float bridge_width = 0.0f;
    QString text;

    // Where the traversal starts and ends.
    const die::coord& Start() const { return reverse ? C : B; }
    const die::coord& End() const { return reverse ? B : C; }
};

// The block once more: turned about the origin by angle (radians,
// counter-clockwise), then moved by (x, y).
struct ExportPlacement {
    double angle = 0.0;
    double x = 0.0;
    double y = 0.0;
};

struct ExportBlock {
    std::vector<ExportPrimitive> primitives;
    std::vector<ExportPlacement> placements;
    QString name;
};

} // namespace Export
