#pragma once
// One placement of a section's layout (step and repeat): a turn about a
// centre followed by an offset. The identity flag switches the placement off.
#include "geometry/BoundingBox.h"
#include "geometry/Coord.h"

class CInstance {
public:
    // The flag as given, every other field 0.
    explicit CInstance(bool identityFlag = false) : identity(identityFlag) {}

    // The point under this placement: with the identity flag set the point
    // itself; otherwise turned by `angle` degrees (counter-clockwise) about
    // the centre and then moved by (dx, dy).
    die::coord Transform(const die::coord& p) const;

    // The box of the box's placed corners: it holds everything the box holds,
    // placed. When the placement keeps the axes it is exactly the placed box.
    // An empty box stays empty.
    BoundingBox PlaceBox(const BoundingBox& box) const;
    // The identity, or a turn by a whole multiple of 90°: axis-parallel boxes
    // stay axis-parallel.
    bool KeepsAxes() const;

    // The same turn and offset about a centre the caller gives; these do not
    // read the identity flag or the placement's own centre.
    double TransformX(double x, double y, double cx, double cy) const;
    double TransformY(double x, double y, double cx, double cy) const;

    // Fields in the order of the file record.
    bool identity = false;
    double dy = 0.0;      // mm
    double dx = 0.0;      // mm
    double angle = 0.0;   // degrees
    double centreX = 0.0; // mm
    double centreY = 0.0; // mm

private:
    die::coord Place(const die::coord& p, const die::coord& centre) const;
};
