#pragma once
// The relative line dialog without its window: the direction's clamps and
// texts, the dial's angle, the length a direction takes from a length, dX
// or dY, and its two Create steps, each one undo step that draws from the
// document's pen position and moves it to the line's end.
#include <QString>

class CMorvekDoc;

namespace dlg {

// Typed and spun directions are held to [−180, 180].
double ClampDirection(double degrees);
// The direction as the dialog shows it ("%6.3f").
QString DirectionText(double degrees);
// A pen coordinate as the dialog shows it ("%8.3f").
QString PenText(double mm);
// A click on the dial: the direction from its centre to the click, the
// screen's y turned upwards, in [0, 360).
double DialDirection(double dxPixels, double dyPixels);

// What Create by direction makes of its inputs.
struct DirectionLength {
    enum Outcome { Nothing, Refused, Length };
    Outcome outcome = Nothing;
    double length = 0.0;
};
// length: the typed length (0 when empty); dX, dY the extents. A length
// of 0 comes from |dX / cos a| or |dY / sin a|; nothing of it all is
// Nothing, a length not above 0 or a direction that makes the given extent
// impossible (±90 with dX, 0 or 180 with dY) is Refused (message 338).
DirectionLength LengthAlong(double degrees, double length, double dX, double dY);

inline constexpr int kTextRelativeLineRefused = 338;
// The undo step of each Create.
inline constexpr int kTextRelativeLineTitle = 170;

// Create by direction: the line from the pen position, the pen moved to its
// end, in one undo step. Refused asks message 338 and changes nothing.
// True when a line was added.
[[nodiscard]] bool CreateByDirection(CMorvekDoc& doc, double degrees, double length, double dX, double dY);
// Create by offset: the line from the pen position by (x, y) and the pen
// moved with it, in one undo step; a zero offset (refused as zero length)
// keeps the pen where it is.
[[nodiscard]] bool CreateByOffset(CMorvekDoc& doc, double x, double y);

} // namespace dlg
