#pragma once
// The sink the file readers hand their figures to: lines, arcs and texts in
// millimetres, each with the rule attributes the file gives. The readers know
// nothing of sections or elements; the document's loader decides what a
// figure becomes. Every operation does nothing unless a loader overrides it.
#include "geometry/Coord.h"

#include <QString>

#include <cstdint>
#include <vector>

// One bridge placed by hand in the file (a DDES3 "BRIDGE" record).
struct ImportBridge {
    int32_t kind = 0;     // 0 "C", 1 "L", 2 "R", 3 "D"
    double position = 0.0; // mm
    double value = 0.0;    // as the file writes it
};

// The rule attributes of one imported figure.
struct ImportAttributes {
    bool explicitBridges = false; // the bridges are given one by one (bridges)
    int32_t lineType = 0;         // as the file numbers it
    int32_t spare = 0;            // CF2 field 3; 0 for other files
    double ptg = 0.0;             // rule thickness in points
    int32_t bridgeCount = 0;      // automatic bridges; 0 when none
    double bridgeWidth = 0.0;     // mm; 0 when none
    std::vector<ImportBridge> bridges;
};

namespace Import {

class Importer {
public:
    virtual ~Importer() = default;

    virtual void AddLine(const die::coord& start, const die::coord& end, const ImportAttributes& attributes)
    {
        (void)start;
        (void)end;
        (void)attributes;
    }
    // counterClockwise: 1 when the arc runs counter-clockwise from start to
    // end, 0 when clockwise.
    virtual void AddArc(const die::coord& centre, const die::coord& start, const die::coord& end,
                        int32_t counterClockwise, const ImportAttributes& attributes)
    {
        (void)centre;
        (void)start;
        (void)end;
        (void)counterClockwise;
        (void)attributes;
    }
    // angle: radians in [0, 2π); size: the advance per character (x) and the
    // height (y); mirrored: 1 when the placement reflects the text.
    virtual void AddText(const die::coord& position, double angle, const die::coord& size, const QString& text,
                         const ImportAttributes& attributes, int32_t mirrored)
    {
        (void)position;
        (void)angle;
        (void)size;
        (void)text;
        (void)attributes;
        (void)mirrored;
    }
};

} // namespace Import
