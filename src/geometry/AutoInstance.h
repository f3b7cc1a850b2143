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
