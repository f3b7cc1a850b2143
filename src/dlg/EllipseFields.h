#pragma once
// The ellipse dialog without its window: its values, the fresh start after
// an OK, the semi-axis a picked point fills, the rule that enables OK, the
// rotation brought into [0, 360] and OK's one undo step.
class CMorvekDoc;

namespace dlg {

struct EllipseValues {
    double axisX = 0.0, axisY = 0.0; // a point on the second axis
    double second = 0.0;             // the semi-axis across the rotation
    double cx = 0.0, cy = 0.0;
    double first = 0.0;              // the semi-axis along the rotation
    double sideX = 0.0, sideY = 0.0; // a point on the first axis
    double rotation = 0.0;           // degrees, counterclockwise
};

struct EllipseState {
    // Which point was picked last.
    enum PickMode { PickNone = 0, PickAxis = 1, PickSide = 2 };

    EllipseValues values;
    bool reset = true; // the next opening starts from zeros
    int pickMode = PickNone;

    // The command: the next opening starts fresh.
    void StartCommand()
    {
        reset = true;
        pickMode = PickNone;
    }
    // The dialog opens: clears everything after a reset; a picked axis or
    // side point fills its semi-axis while that is still 0.
    void Open();
};

inline constexpr int kTextEllipseRotation = 134;
inline constexpr int kTextEllipseTitle = 173;

// OK is offered while both semi-axes are above 0.
bool EllipseOkEnabled(const EllipseValues& values);
// Brought into [0, 360]: exactly 360 stays 360.
double NormaliseRotation(double degrees);
// OK: the whole ellipse in one undo step titled kTextEllipseTitle, the
// rotation normalised and the next opening fresh. False, nothing changed,
// while OK is not offered or the section refuses the ellipse.
[[nodiscard]] bool AddEllipseFromValues(CMorvekDoc& doc, EllipseState& state);

} // namespace dlg
