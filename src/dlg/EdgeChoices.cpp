#include "dlg/EdgeChoices.h"

#include "dlg/NumberFields.h"

#include <cmath>

namespace dlg {

void EdgeFields::FollowControls()
{
    sourceComboEnabled = sourceChoiceEnabled && !allLineTypes;
    radiusEnabled = fillet;
}

EdgeFields EdgeChoices::Open(int currentLineType, bool restricted)
{
    EdgeFields f;
    f.sourceLineType = currentLineType;
    f.outlineLineType = currentLineType;
    if (firstUse_) {
        firstUse_ = false;
        results_ = OutlineSettings{};
        results_.distance = 10.0;
        results_.lineTypeFilter = currentLineType;
        results_.newLineType = currentLineType;
        results_.filletRadius = 0.0;
        results_.resolveCrossings = true;
        results_.usePlacements = false;
    } else {
        f.allLineTypes = results_.lineTypeFilter == -1;
        if (!f.allLineTypes)
            f.sourceLineType = results_.lineTypeFilter;
        f.negativeSide = results_.distance < 0.0;
        f.distance = NumberText(std::abs(results_.distance));
        f.fillet = results_.filletRadius != 0.0;
        f.radius = NumberText(results_.filletRadius);
        f.resolveCrossings = results_.resolveCrossings;
        f.everyPlacement = results_.usePlacements;
        f.outlineLineType = results_.newLineType;
    }
    restricted_ = restricted;
    if (restricted) {
        f.allLineTypes = true;
        f.sourceChoiceEnabled = false;
        f.everyPlacement = true;
        f.everyPlacementEnabled = false;
    }
    f.FollowControls();
    return f;
}

std::optional<OutlineSettings> EdgeChoices::Accept(const EdgeFields& f)
{
    double distance = 0.0;
    if (!ReadNumber(f.distance, distance))
        return std::nullopt;
    double radius = 0.0;
    if (f.fillet && !ReadNumber(f.radius, radius))
        return std::nullopt;
    OutlineSettings r;
    r.distance = f.negativeSide ? -std::abs(distance) : distance;
    r.lineTypeFilter = f.allLineTypes ? -1 : f.sourceLineType;
    r.filletRadius = f.fillet ? std::max(radius, 0.0) : 0.0;
    r.resolveCrossings = f.resolveCrossings;
    // The restricted mode outlines under every placement whatever the box
    // says.
    r.usePlacements = restricted_ || f.everyPlacement;
    r.newLineType = f.outlineLineType;
    results_ = r;
    return r;
}

} // namespace dlg
