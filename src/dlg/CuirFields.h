#pragma once
// The cuir page without its window: the radius entries, the centre, angle
// and wing fields, what the preview copy takes and the values the section
// rebuilds the cuir from.
#include "dlg/PageNumber.h"
#include "geometry/GeomConstants.h"

#include <QString>
#include <vector>

class CCuir;
class NodeTable;
class Section;

namespace dlg {

struct CuirRadiusEntry {
    QString text; // "%.2f"
    double radius;
};

// The radius combo: the series 21, 30, 40 and, for a radius outside it,
// that radius as an entry of its own in its place by size, so a cuir of
// another radius keeps it. chosen is the entry of the radius.
struct CuirRadiusChoice {
    std::vector<CuirRadiusEntry> entries;
    int chosen = 0;
};
CuirRadiusChoice CuirRadiusEntries(double radius);

struct CuirFields {
    PageNumber centreX, centreY;
    PageNumber angle{0.0, Geom::RadToDeg(1.0)}; // radians, shown in degrees
    PageNumber wing;
    double radius = 21.0;

    // The cuir's values; its centre read from the node table.
    static CuirFields From(const CCuir& cuir, NodeTable& nodes);
    // The angle in radians brought into [0, 2π).
    double Radians() const;
    // The preview copy takes radius, angle and wing length.
    void ApplyTo(CCuir& copy) const;
    // What the section rebuilds the cuir from: centre x, y, radius, angle
    // (radians, [0, 2π)), wing length.
    std::vector<double> Geometry() const;
    // OK: the cuir of the slot replaced by a copy with the values changed
    // on the page, recorded in the section's open step. False, nothing
    // replaced, when nothing changed or the centre cannot be a node.
    bool Apply(Section& section, int slot) const;

    double openedRadius = 21.0;
};

} // namespace dlg
