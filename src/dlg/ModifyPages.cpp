#include "dlg/ModifyPages.h"

#include "section/Section.h"

namespace dlg {

bool GridPoint(int choice, const SectionBorders& b, die::coord& point)
{
    const double middleX = b.left + (b.right - b.left) / 2.0;
    const double middleY = b.bottom + (b.top - b.bottom) / 2.0;
    switch (choice) {
    case kLeftTop: point = {b.left, b.top}; return true;
    case kLeftMiddle: point = {b.left, middleY}; return true;
    case kLeftBottom: point = {b.left, b.bottom}; return true;
    case kCentreTop: point = {middleX, b.top}; return true;
    case kCentreMiddle: point = {middleX, middleY}; return true;
    case kCentreBottom: point = {middleX, b.bottom}; return true;
    case kRightTop: point = {b.right, b.top}; return true;
    case kRightMiddle: point = {b.right, middleY}; return true;
    case kRightBottom: point = {b.right, b.bottom}; return true;
    default: return false;
    }
}

// --- Move ---------------------------------------------------------------------

void MovePage::Reset()
{
    startX = startY = endX = endY = dx = dy = 0.0;
}

void MovePage::SetPoints(double sx, double sy, double ex, double ey)
{
    startX = sx;
    startY = sy;
    endX = ex;
    endY = ey;
    dx = endX - startX;
    dy = endY - startY;
}

void MovePage::SetDistance(double x, double y)
{
    startX = startY = endX = endY = 0.0;
    dx = x;
    dy = y;
}

void MovePage::PickStart(double x, double y)
{
    pickedStart_ = {x, y};
    startPicked_ = true;
    endPicked_ = false;
}

void MovePage::PickEnd(double x, double y)
{
    pickedEnd_ = {x, y};
    endPicked_ = true;
    startPicked_ = false;
}

void MovePage::Show()
{
    if (startPicked_) {
        startPicked_ = false;
        SetPoints(pickedStart_.x, pickedStart_.y, endX, endY);
    } else if (endPicked_) {
        endPicked_ = false;
        SetPoints(startX, startY, pickedEnd_.x, pickedEnd_.y);
    }
}

// --- Rotate -------------------------------------------------------------------

void RotatePage::Reset()
{
    centreX = centreY = angle = 0.0;
}

void RotatePage::Choose(int radio, const SectionBorders& borders)
{
    choice = radio;
    die::coord p;
    if (GridPoint(radio, borders, p)) {
        centreX = p.x;
        centreY = p.y;
    }
}

void RotatePage::SetCentre(double x, double y)
{
    centreX = x;
    centreY = y;
    choice = kCustom;
}

void RotatePage::PickCentre(double x, double y)
{
    pickedCentre_ = {x, y};
    centrePicked_ = true;
}

void RotatePage::Show()
{
    choice = kCustom;
    if (centrePicked_) {
        centrePicked_ = false;
        centreX = pickedCentre_.x;
        centreY = pickedCentre_.y;
    }
}

// --- Scale/Mirror -------------------------------------------------------------

void ScalePage::Reset(int part)
{
    if (part == kAll || part == kScaleHalf) {
        staticX = staticY = 0.0;
        fx = fy = 1.0;
        keepRatio = false;
        scaleOn = false;
    }
    if (part == kAll || part == kFlipHalf) {
        axisX1 = axisY1 = axisX2 = axisY2 = 0.0;
        flipOn = false;
    }
    if (part == kAll)
        mode = kModeNone;
}

void ScalePage::SetMode(int m)
{
    mode = m;
    scaleOn = m == kModeScale || m == kModeBoth;
    flipOn = m == kModeFlip || m == kModeBoth;
}

void ScalePage::Choose(int radio, const SectionBorders& borders)
{
    choice = radio;
    die::coord p;
    if (GridPoint(radio, borders, p)) {
        staticX = p.x;
        staticY = p.y;
    }
}

void ScalePage::SetStatic(double x, double y)
{
    staticX = x;
    staticY = y;
    choice = kCustom;
}

void ScalePage::SetFx(double value)
{
    fx = value;
    if (keepRatio)
        fy = fx;
}

void ScalePage::SetKeepRatio(bool on)
{
    keepRatio = on;
    if (keepRatio)
        fy = fx;
}

void ScalePage::Axis(double& x1, double& y1, double& x2, double& y2) const
{
    x1 = axisX1;
    y1 = axisY1;
    switch (axisChoice) {
    case kAxisTwoPoints:
        x2 = axisX2;
        y2 = axisY2;
        break;
    case kAxisVertical:
        x2 = axisX1;
        y2 = axisY1 + 100.0;
        break;
    default:
        x2 = axisX1 + 100.0;
        y2 = axisY1;
        break;
    }
}

void ScalePage::PickStatic(double x, double y)
{
    pickedStatic_ = {x, y};
    staticPicked_ = true;
    axisPicked_ = axisEndPicked_ = false;
}

void ScalePage::PickAxisPoint(double x, double y)
{
    pickedAxis_ = {x, y};
    axisPicked_ = true;
}

void ScalePage::PickAxisEnd(double x, double y)
{
    pickedAxisEnd_ = {x, y};
    axisEndPicked_ = true;
}

void ScalePage::Show()
{
    if (axisPicked_) {
        axisPicked_ = false;
        axisX1 = pickedAxis_.x;
        axisY1 = pickedAxis_.y;
    }
    if (axisEndPicked_) {
        axisEndPicked_ = false;
        axisX2 = pickedAxisEnd_.x;
        axisY2 = pickedAxisEnd_.y;
    }
    if (staticPicked_) {
        staticPicked_ = false;
        staticX = pickedStatic_.x;
        staticY = pickedStatic_.y;
    }
    choice = kCustom;
    SetKeepRatio(true);
}

} // namespace dlg
