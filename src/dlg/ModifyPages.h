#pragma once
// The values of the modify sheet's three pages (Move, Rotate, Scale/Mirror)
// and their rules, without widgets: the sheet's widgets show and edit these,
// the modify driver resets them, reads them on OK and writes picked points
// into them. They live as long as the view and keep their values between
// showings; only the driver's resets clear them.
#include "geometry/Coord.h"

struct SectionBorders;

namespace dlg {

// The radio buttons of the static-point grid over the selection's bounding
// box, and the custom choice that keeps the typed or picked point.
enum StaticPointChoice : int {
    kLeftTop = 1071,
    kLeftMiddle = 1097,
    kLeftBottom = 1098,
    kCentreTop = 1160,
    kCentreMiddle = 1161,
    kCentreBottom = 1162,
    kRightTop = 1163,
    kRightMiddle = 1164,
    kRightBottom = 1165,
    kCustom = 1166,
};
// The grid's point for a radio over the borders (top the largest Y); the
// borders' own values for kCustom are not asked (false).
bool GridPoint(int choice, const SectionBorders& borders, die::coord& point);

// The Move page: a start and an end point whose difference is the distance,
// or a distance typed alone.
class MovePage {
public:
    double startX = 0.0, startY = 0.0;
    double endX = 0.0, endY = 0.0;
    double dx = 0.0, dy = 0.0;

    // Points and distance back to 0.
    void Reset();
    // A point edit changed: the distance becomes end − start.
    void SetPoints(double sx, double sy, double ex, double ey);
    // A distance edit changed: both points go back to (0, 0).
    void SetDistance(double x, double y);
    // The pick callbacks: the point is kept until the page is shown next
    // and marked (the other marker cleared).
    void PickStart(double x, double y);
    void PickEnd(double x, double y);
    // Clears both markers (the modify commands do before each run).
    void ClearPicks() { startPicked_ = endPicked_ = false; }
    // Showing the page: a marked pick becomes the start (else the end)
    // point, the distance follows, and the marker is cleared.
    void Show();

private:
    die::coord pickedStart_{}, pickedEnd_{};
    bool startPicked_ = false, endPicked_ = false;
};

// The Rotate page: a centre and an angle in degrees.
class RotatePage {
public:
    double centreX = 0.0, centreY = 0.0;
    double angle = 0.0;
    int choice = kCustom;

    // Centre and angle back to 0.
    void Reset();
    // A grid radio: the centre from the borders; custom keeps it.
    void Choose(int radio, const SectionBorders& borders);
    // A centre edit typed: the custom choice.
    void SetCentre(double x, double y);
    void PickCentre(double x, double y);
    // Showing the page: custom checked, a picked centre taken once.
    void Show();

private:
    die::coord pickedCentre_{};
    bool centrePicked_ = false;
};

// The Scale/Mirror page: a scale about a static point and a mirror about
// an axis, each switched on by its group.
class ScalePage {
public:
    // The axis choices and the driver's modes.
    static constexpr int kAxisTwoPoints = 1167;
    static constexpr int kAxisHorizontal = 1168;
    static constexpr int kAxisVertical = 1169;
    enum Mode : int { kModeNone = 0, kModeScale = 1, kModeFlip = 2, kModeBoth = 3 };
    // Reset parts: 0 all (the mode too), 1 the flip half, 2 the scale half.
    enum Part : int { kAll = 0, kFlipHalf = 1, kScaleHalf = 2 };

    bool scaleOn = true;
    double staticX = 0.0, staticY = 0.0;
    int choice = kCustom;
    double fx = 1.0, fy = 1.0;
    bool keepRatio = true;
    bool flipOn = true;
    double axisX1 = 0.0, axisY1 = 0.0;
    double axisX2 = 0.0, axisY2 = 0.0;
    int axisChoice = kAxisHorizontal;
    int mode = kModeNone;

    void Reset(int part);
    // The driver's mode: decides which groups are on.
    void SetMode(int m);
    void Choose(int radio, const SectionBorders& borders);
    void SetStatic(double x, double y);
    // fx typed: with the ratio kept fy follows.
    void SetFx(double value);
    void SetKeepRatio(bool on);
    void ChooseAxis(int axis) { axisChoice = axis; }
    // Only the two-point axis uses the second point (its edits and button).
    bool SecondPointUsed() const { return axisChoice == kAxisTwoPoints; }
    // The mirror axis the choice gives: two points, or the horizontal or
    // vertical line through the first point.
    void Axis(double& x1, double& y1, double& x2, double& y2) const;
    void PickStatic(double x, double y);
    void PickAxisPoint(double x, double y);
    void PickAxisEnd(double x, double y);
    // Showing the page: each marked pick taken once, custom checked, the
    // ratio kept (fy = fx).
    void Show();

private:
    die::coord pickedStatic_{}, pickedAxis_{}, pickedAxisEnd_{};
    bool staticPicked_ = false, axisPicked_ = false, axisEndPicked_ = false;
};

struct ModifyPages {
    MovePage move;
    RotatePage rotate;
    ScalePage scale;
};

} // namespace dlg
