#include "dlg/CoordinateFields.h"

#include "platform/CFormat.h"

#include <cmath>
#include <numbers>

namespace dlg {

namespace {

constexpr char kOffsetFormat[] = "%4.4f";
constexpr char kPolarFormat[] = "%f";
constexpr double kDegrees = 180.0 / std::numbers::pi;

// To the nearest thousandth of a millimetre, without a negative zero.
double Thousandths(double v)
{
    const double r = std::round(v * 1000.0) / 1000.0;
    return r == 0.0 ? 0.0 : r;
}

} // namespace

void CoordinateFields::Edit(Field f, const QString& text)
{
    Set(f, text);
    if (f == DeltaX || f == DeltaY)
        OffsetEdited(f);
    else if (f == Angle || f == Distance)
        PolarEdited();
}

void CoordinateFields::Leave(Field f)
{
    if (f >= DeltaX && f <= Distance)
        lastLeft_ = f;
}

die::coord CoordinateFields::Result() const
{
    return {Value(BaseX) + Value(DeltaX), Value(BaseY) + Value(DeltaY)};
}

double CoordinateFields::Value(Field f) const
{
    return platform::wtof(Text(f));
}

void CoordinateFields::Write(Field f, const char* format, double value)
{
    texts_[static_cast<size_t>(f)] = platform::cformat(format, value);
}

void CoordinateFields::PolarFromOffset(double dx, double dy, const char* format)
{
    const double distance = std::hypot(dx, dy);
    if (!std::isfinite(distance))
        return;
    Write(Distance, format, distance);
    // atan2 keeps the quadrant: (−10, 0) lies at 180 degrees, not at 0.
    Write(Angle, format, distance == 0.0 ? 0.0 : std::atan2(dy, dx) * kDegrees);
}

void CoordinateFields::OffsetEdited(Field edited)
{
    const Field other = edited == DeltaX ? DeltaY : DeltaX;
    if (lastLeft_ == edited)
        return; // the value kept fixed is the one being typed
    const double typed = Value(edited);
    if (lastLeft_ == other) {
        const double dx = Value(DeltaX);
        const double dy = Value(DeltaY);
        PolarFromOffset(dx, dy, kOffsetFormat);
        return;
    }
    const double angle = Value(Angle) / kDegrees;
    // The share of the typed component in the direction of the angle.
    const double share = edited == DeltaX ? std::cos(angle) : std::sin(angle);
    if (lastLeft_ == Angle) {
        // No distance gives this component along the angle when the angle
        // runs across it.
        const double distance = std::fabs(share) < 1e-7 ? 0.0 : typed / share;
        const double rest = edited == DeltaX ? distance * std::sin(angle) : distance * std::cos(angle);
        if (!std::isfinite(distance) || !std::isfinite(rest))
            return;
        Write(Distance, kOffsetFormat, distance);
        Write(other, kOffsetFormat, rest);
        return;
    }
    // The distance is kept: the other component takes the rest of it, on
    // the side it lay on; none is left when the typed one is longer.
    const double distance = Value(Distance);
    const double square = distance * distance - typed * typed;
    if (!(square >= 0.0) || !std::isfinite(square))
        return;
    const double rest = std::copysign(std::sqrt(square), Value(other));
    Write(other, kOffsetFormat, rest);
    const double dx = edited == DeltaX ? typed : rest;
    const double dy = edited == DeltaX ? rest : typed;
    Write(Angle, kOffsetFormat, distance == 0.0 ? 0.0 : std::atan2(dy, dx) * kDegrees);
}

void CoordinateFields::PolarEdited()
{
    const double angle = Value(Angle) / kDegrees;
    const double distance = Value(Distance);
    const double dx = Thousandths(std::cos(angle) * distance);
    const double dy = Thousandths(distance * std::sin(angle));
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return;
    Write(DeltaX, kPolarFormat, dx);
    Write(DeltaY, kPolarFormat, dy);
}

} // namespace dlg
