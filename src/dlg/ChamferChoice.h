#pragma once
// The chamfer dialog's rule without its widgets: a chamfer is fixed by
// exactly two of its five values (distances cut off the two lines, the
// chamfer's length, its angles to the two lines), and not by the two angles
// alone. A value not above 0 counts as not given.
#include <array>

namespace dlg {

struct ChamferChoice {
    enum Field : int { Distance1 = 0, Distance2 = 1, Length = 2, Angle1 = 3, Angle2 = 4 };
    static constexpr int kFieldCount = 5;

    // All 0 at every opening.
    std::array<double, kFieldCount> values{};

    bool IsGiven(Field f) const { return values[static_cast<std::size_t>(f)] > 0.0; }
    // Whether OK may be pressed.
    bool IsComplete() const;
};

} // namespace dlg
