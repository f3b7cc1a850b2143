#pragma once
// One direction of a section's automatic step and repeat. A section holds a
// pair: the rows record repeats along x (its count is the number of copies
// side by side), the columns record along y (copies one above the other).

struct AutoInstance {
    bool rotateAlternate = false; // every odd copy in this direction is turned by the angle
    double angle = 0.0;           // degrees, the turn of the odd copies
    double gap1 = 0.0;            // mm before every odd copy in this direction
    double gap2 = 0.0;            // mm before every even copy from the second on
    double shift1 = 0.0;          // mm across, added at every odd step of the other direction
    double shift2 = 0.0;          // mm across, at every even step of the other direction from the second on
    int count = 1;                // copies in this direction
};

// The most copies a layout makes in one direction: the sheet fitting looks
// no further, and a section refuses a record that asks for more.
inline constexpr int kMaxAutoCount = 301;

// The coupling of the two directions that the layout and the sheet fitting
// apply to their copies of a pair: a direction without alternate turns has
// uniform gaps (gap 2 takes gap 1), and the other record's shifts across it
// form a zig-zag (shift 2 becomes minus shift 1).
void CoupleAxes(AutoInstance& rows, AutoInstance& columns);
