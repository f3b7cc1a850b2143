#pragma once
// A point or vector of the drawing plane: millimetres, Y pointing up.
// A plain value type; elements, sections and the view pass points in this form.

class Angle;

namespace die {

struct coord {
    double x = 0.0;
    double y = 0.0;

    constexpr coord() = default;
    constexpr coord(double px, double py) : x(px), y(py) {}

    // Sets this point to (length·cos a, length·sin a) and returns it.
    coord& FromPolar(const Angle& a, double length);

    // Unit vector in the same direction; the vector itself when its length is 0.
    coord Normalized() const;
    // The vector scaled to the given length (negative reverses it); the vector
    // itself when its length is 0.
    coord WithLength(double length) const;
    // Complex product (q.x·x − q.y·y, q.y·x + q.x·y): with the unit point of an
    // angle as q it turns this vector by that angle.
    coord ComplexProduct(const coord& q) const;

    double Length() const;
    constexpr double LengthSquared() const { return x * x + y * y; }

    constexpr coord operator+(const coord& o) const { return {x + o.x, y + o.y}; }
    constexpr coord operator-(const coord& o) const { return {x - o.x, y - o.y}; }
    constexpr coord operator-() const { return {-x, -y}; }
    constexpr coord operator*(double f) const { return {x * f, y * f}; }
    constexpr coord operator/(double f) const { return {x / f, y / f}; }
    constexpr coord& operator+=(const coord& o) { x += o.x; y += o.y; return *this; }
    constexpr coord& operator-=(const coord& o) { x -= o.x; y -= o.y; return *this; }
    constexpr coord& operator*=(double f) { x *= f; y *= f; return *this; }

    // Exact comparison; use Geom::PointsDiffer for the 1e-6 tolerance.
    constexpr bool operator==(const coord& o) const = default;
};

constexpr coord operator*(double f, const coord& p) { return p * f; }

// a.x·b.y − a.y·b.x: positive when b lies to the left of a.
constexpr double cross(const coord& a, const coord& b) { return a.x * b.y - a.y * b.x; }
constexpr double dot(const coord& a, const coord& b) { return a.x * b.x + a.y * b.y; }
double distance(const coord& a, const coord& b);

} // namespace die
