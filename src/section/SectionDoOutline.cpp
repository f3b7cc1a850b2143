// The outline operations: a closed rule at a distance beside a figure.
#include "section/Section.h"

#include "section/OutlineOffset.h"
#include "section/UndoTransaction.h"
#include "section/SectionOutline.h"
#include "support/Log.h"

#include <cmath>

namespace {

constexpr int kTextOutline = 188;
constexpr double kMade = 0.0;
constexpr double kFailed = -1.0;

} // namespace

double Section::DoOutline(double distance, int lineTypeFilter, int newLineType, double filletRadius,
                          bool resolveCrossings, bool create, bool usePlacements, const OutlineClipWindow& window,
                         UndoTransaction* tx)
{
    Log::TheLog().Write("Section::DoOutline( double ...)", Log::Section);
    SectionOutline source(*this);
    OutlineBuilder builder(&source);
    builder.SetUsePlacements(usePlacements);
    // The window applies only with placements.
    if (usePlacements && window.valid)
        builder.SetClipWindow(window.box);
    if (builder.CollectContours(lineTypeFilter) == 0)
        return kFailed;
    if (!create)
        return kMade;
    UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextOutline, this);
    const int side = distance < 0.0 ? 1 : 2;
    OutlineOffset offset(*this, builder, newLineType, step);
    const bool made = offset.BuildOutline(side, std::abs(distance), resolveCrossings, filletRadius);
    // What an outline that failed part-way made stays, as the user sees it.
    step.commit();
    return made ? kMade : kFailed;
}

double Section::DoOutlineByPoint(double distance, int lineTypeFilter, int newLineType, double filletRadius,
                                 bool resolveCrossings, bool create, bool usePlacements, double x, double y,
                                 UndoTransaction* tx)
{
    Log::TheLog().Write("Section::DoOutlineByPoint( double ...)", Log::Section);
    SectionOutline source(*this);
    OutlineBuilder builder(&source);
    builder.SetUsePlacements(usePlacements);
    builder.SetTakeAll(true);
    if (builder.CollectContours(lineTypeFilter) == 0)
        return kFailed;
    if (!create)
        return kMade;
    UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextOutline, this);
    OutlineOffset offset(*this, builder, newLineType, step);
    const bool made = offset.BuildAroundPoint(x, y, distance, resolveCrossings, filletRadius);
    step.commit();
    return made ? kMade : kFailed;
}
