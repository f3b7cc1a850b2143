// The outline operations: a closed rule at a distance beside a figure.
#include "section/Section.h"

#include "section/OutlineOffset.h"
#include "section/SectionEditStep.h"
#include "section/SectionOutline.h"
#include "support/Log.h"

#include <cmath>

namespace {

constexpr int kTextOutline = 188;
constexpr double kMade = 0.0;
constexpr double kFailed = -1.0;

} // namespace

double Section::DoOutline(double distance, int lineTypeFilter, int newLineType, double filletRadius,
                          bool resolveCrossings, bool create, bool usePlacements, const OutlineClipWindow& window)
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
    const SectionEditStep step(*this, kTextOutline, SectionEditStep::Compound::Ignore);
    const int side = distance < 0.0 ? 1 : 2;
    OutlineOffset offset(*this, builder, newLineType);
    return offset.BuildOutline(side, std::abs(distance), resolveCrossings, filletRadius) ? kMade : kFailed;
}

double Section::DoOutlineByPoint(double distance, int lineTypeFilter, int newLineType, double filletRadius,
                                 bool resolveCrossings, bool create, bool usePlacements, double x, double y)
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
    const SectionEditStep step(*this, kTextOutline, SectionEditStep::Compound::Ignore);
    OutlineOffset offset(*this, builder, newLineType);
    return offset.BuildAroundPoint(x, y, distance, resolveCrossings, filletRadius) ? kMade : kFailed;
}
