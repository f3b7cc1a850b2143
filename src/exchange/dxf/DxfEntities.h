#pragma once
// What the DXF reader does to an entity's values once the entity is read
// whole: texts with their formatting codes removed, and a spline's curve
// as points the spline element passes through.
#include "exchange/dxf/DxfBlock.h"

#include <QString>

#include <vector>

namespace dxf {

// An MTEXT's text without its formatting: font, height, width, colour and
// alignment switches (\f…; \H…; \C…; …), grouping braces, underline and
// overline switches go; "\P" (a new paragraph) becomes a blank, since a text
// element is one line; "\~" a blank, "\S a^b;" (stacked) "a/b", "\U+00B0"
// its character, "\\", "\{" and "\}" their characters; then as PlainText.
QString PlainMText(const QString& text);
// A TEXT's control codes: "%%d" a degree sign, "%%c" a diameter sign,
// "%%p" a plus-minus sign, "%%%" a percent sign; "%%u" and "%%o" (underline
// and overline switches) go.
QString PlainText(const QString& text);

// Whether the spline can be drawn: a degree of 1 to 10 with one knot more
// than control points and degree together, the knots never falling and
// spanning something, weights (when given) one per control point and
// positive; or else at least two fit points.
bool IsUsable(const Spline& spline);
// The points the spline element is made through: the NURBS evaluated at
// kSamplesPerSpan parameters in every knot span (both ends exact); for a
// spline given by fit points only, those.
inline constexpr int kSamplesPerSpan = 8;
std::vector<die::coord> SplinePoints(const Spline& spline);

} // namespace dxf
