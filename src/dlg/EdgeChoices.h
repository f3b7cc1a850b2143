#pragma once
// The edge dialog's rules without its widgets: what an opening shows (the
// defaults at first use, afterwards the last accepted results, the
// restricted mode of Die > Stripper > Outline by Click) and what OK makes of
// the fields. The results stay from one opening to the next.
#include "section/SectionOutline.h"

#include <QString>

#include <optional>

namespace dlg {

// What the controls show and which of them are enabled.
struct EdgeFields {
    bool allLineTypes = false;   // "all line types", else the one in the source combo
    int sourceLineType = 1;      // the source combo's line type
    bool negativeSide = false;   // the side radio that gives a negative distance
    QString distance = QStringLiteral("10");
    bool fillet = false;
    QString radius = QStringLiteral("0");
    bool resolveCrossings = true;
    bool everyPlacement = false;
    int outlineLineType = 1;

    bool sourceChoiceEnabled = true; // the two source radios
    bool sourceComboEnabled = true;
    bool everyPlacementEnabled = true;
    bool radiusEnabled = false;

    // The rules of the controls: the source combo follows its radio, the
    // radius edit the fillet box (never in the restricted mode).
    void FollowControls();
};

class EdgeChoices {
public:
    // The fields of an opening. currentLineType is the current line type;
    // restricted is the mode of Outline by Click (all line types, every
    // placement, neither to change).
    EdgeFields Open(int currentLineType, bool restricted);
    // OK: the results from the fields, kept for the next opening; nothing
    // when the distance, or the radius with the fillet box on, is not a
    // number.
    std::optional<OutlineSettings> Accept(const EdgeFields& fields);
    const OutlineSettings& Results() const { return results_; }

private:
    bool firstUse_ = true;
    bool restricted_ = false;
    OutlineSettings results_;
};

} // namespace dlg
