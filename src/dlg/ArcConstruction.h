#pragma once
// The arc dialog without its window: its seven inputs (start, end and
// through point, centre, radius, start and end angle) with the flags that
// say which the user gave, the combinations that fix an arc, and OK's case
// analysis that turns the given inputs into a centre, a start and an end for
// Section::AddArc3. Angles are polar angles about the centre in degrees,
// counterclockwise from the positive x axis.
#include <array>
#include <functional>
#include <vector>

class CMorvekDoc;

namespace dlg {

struct ArcInputs {
    // The given-flags, in the dialog's order.
    enum Input { Start, Through, End, Radius, Centre, StartAngle, EndAngle, kInputCount };

    double startAngle = 0.0;
    double endAngle = 0.0;
    double cx = 0.0, cy = 0.0;
    double radius = 0.0;
    double ex = 0.0, ey = 0.0;
    double sx = 0.0, sy = 0.0;
    double tx = 0.0, ty = 0.0;
    std::array<bool, kInputCount> given{};

    bool Has(Input input) const { return given[input]; }
    void Give(Input input) { given[input] = true; }
};

// The arc one case found: Section::AddArc3(centre, start, end).
struct ArcGeometry {
    double cx = 0.0, cy = 0.0;
    double sx = 0.0, sy = 0.0;
    double ex = 0.0, ey = 0.0;
};

// Messages of the case analysis.
inline constexpr int kTextArcAxisParallel = 155; // cases 3/4: start and end level in x (y)
inline constexpr int kTextArcAngle90 = 156;      // cases 3/4: an angle of exactly 90
inline constexpr int kTextArcRadiusShort = 157;  // the radius cannot span the chord
inline constexpr int kTextArcCollinear = 2100;   // case 1: the three points lie on one line
inline constexpr int kTextArcAngleParallel = 2101; // cases 3/4: the angle's line never meets the bisector
inline constexpr int kTextArcTitle = 171;        // the undo step

// The set flags contain at least one of the eleven combinations (extra
// flags do not matter).
bool HasEnoughInput(const ArcInputs& inputs);

// Tries the eleven cases in their order until `add` takes an arc; a case
// that refuses appends its message and the later cases are still tried.
// Case 1 writes the circumcentre it computes into the centre. Returns the
// number of the case whose arc was taken, 0 when none was.
int RunArcCases(ArcInputs& inputs, const std::function<bool(const ArcGeometry&)>& add, std::vector<int>& messages);

// OK: runs the cases against the document's current section, each arc in
// one undo step titled kTextArcTitle (none left behind when no arc was
// added), and shows each message as a warning. True when an arc was added.
[[nodiscard]] bool AddArcFromInputs(CMorvekDoc& doc, ArcInputs& inputs);

} // namespace dlg
