#pragma once
// The values of the polygon and rectangle dialogs without their windows:
// the edge-count rule, the interior angle, the side length OK derives from
// whichever size was given, and the options' named values the Construct >
// Shapes commands read when the centre is picked.
#include <optional>

class COptions;

namespace dlg {

struct PolygonValues {
    static constexpr int kMinEdges = 3;
    static constexpr int kMaxEdges = 50;

    int edges = kMinEdges;
    double sideLength = 100.0;
    double shorterDiagonal = 0.0; // across flats: twice the inscribed radius
    double longerDiagonal = 0.0;  // across corners: twice the circumscribed radius
    double rotation = 0.0;        // degrees
    bool select = false;          // select the new lines
};

// The edge count held to 3 .. 50.
int ClampEdges(int edges);
// The interior angle of a regular polygon of n edges in degrees, rounded up
// to a thousandth.
double InteriorAngle(int edges);
// OK is offered while one of the three sizes is above 0.
bool HasPolygonSize(const PolygonValues& values);
// The side length: the side if given, else from the shorter diagonal, else
// from the longer one; nothing while none is above 0.
std::optional<double> PolygonSide(const PolygonValues& values);
// OK: stores "polygon_edges", "polygon_select", "polygon_length" and
// "polygon_rotation"; false, nothing stored, without a size.
[[nodiscard]] bool StorePolygon(COptions& options, const PolygonValues& values);

struct RectangleValues {
    double width = 100.0;
    double height = 100.0;
    double radius = 0.0; // of the corners
    double angle = 0.0;  // degrees: the rectangle is turned about its centre
};

// OK is offered while the width and the height are above 0.
bool HasRectangleSize(const RectangleValues& values);

// The values of the last OK ("rectangle_width", "rectangle_height",
// "rectangle_radius", "rectangle_angle"), the defaults before the first.
RectangleValues LoadRectangle(const COptions& options);
void StoreRectangle(COptions& options, const RectangleValues& values);

} // namespace dlg
