#include "dlg/RelativeLineFields.h"

#include "document/MorvekDoc.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "section/Section.h"
#include "section/UndoTransaction.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dlg {

namespace {

// Below this a cosine or sine counts as 0: the extent fixes no length.
constexpr double kNoExtent = 1e-9;

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

bool AddFromPen(CMorvekDoc& doc, double dx, double dy)
{
    Section* section = doc.GetCurrentSection();
    if (!section)
        return false;
    double& penX = doc.Remembered().penX;
    double& penY = doc.Remembered().penY;
    UndoTransaction step(doc.Undo(), kTextRelativeLineTitle, section);
    if (section->AddLine3(penX, penY, penX + dx, penY + dy, true, section->CurrentLineType()).AtEnd())
        return false;
    (void)step.commit(); // the line changed the drawing; the listener marked it
    penX += dx;
    penY += dy;
    return true;
}

} // namespace

double ClampDirection(double degrees)
{
    return std::isfinite(degrees) ? std::clamp(degrees, -180.0, 180.0) : 0.0;
}

QString DirectionText(double degrees)
{
    return platform::cformat("%6.3f", degrees);
}

QString PenText(double mm)
{
    return platform::cformat("%8.3f", mm);
}

double DialDirection(double dxPixels, double dyPixels)
{
    double degrees = std::atan2(-dyPixels, dxPixels) * 180.0 / std::numbers::pi;
    if (degrees < 0.0)
        degrees += 360.0;
    return degrees >= 360.0 ? 0.0 : degrees + 0.0; // no negative zero
}

DirectionLength LengthAlong(double degrees, double length, double dX, double dY)
{
    const double a = Radians(degrees);
    if (length == 0.0) {
        if (dX != 0.0) {
            const double c = std::cos(a);
            if (std::abs(c) < kNoExtent)
                return {DirectionLength::Refused, 0.0};
            length = std::abs(dX / c);
        } else if (dY != 0.0) {
            const double s = std::sin(a);
            if (std::abs(s) < kNoExtent)
                return {DirectionLength::Refused, 0.0};
            length = std::abs(dY / s);
        } else {
            return {};
        }
    }
    if (!(length > 0.0) || !std::isfinite(length))
        return {DirectionLength::Refused, 0.0};
    return {DirectionLength::Length, length};
}

bool CreateByDirection(CMorvekDoc& doc, double degrees, double length, double dX, double dY)
{
    const DirectionLength along = LengthAlong(degrees, length, dX, dY);
    if (along.outcome == DirectionLength::Refused)
        (void)platform::ask(Translate(kTextRelativeLineRefused), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning); // a warning with OK only
    if (along.outcome != DirectionLength::Length)
        return false;
    const double a = Radians(degrees);
    return AddFromPen(doc, along.length * std::cos(a), along.length * std::sin(a));
}

bool CreateByOffset(CMorvekDoc& doc, double x, double y)
{
    return AddFromPen(doc, x, y);
}

} // namespace dlg
