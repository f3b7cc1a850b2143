#pragma once
// The values of the Element page (line type, pointage, selected, avoid
// instances, bridges) and its rules, without widgets. The Element page shows
// and edits these; the driver fills them from an element (or from several),
// and applies them back. The Line, Arc, Ellipse and Text pages copy them
// into their working copies for the previews (ApplyTo).
#include "element/Bridge.h"

#include <vector>

class CElement;

namespace dlg {

struct ElementValues {
    // The "differs" markers of the several-elements mode.
    static constexpr int kDiffers = -1;      // line type, count; ptg and length as -1.0
    static constexpr int kDiffersFlag = 2;   // avoid instances, rule-table state

    int lineType = 0;
    double ptg = 0.0;
    int selected = 0;
    int avoidInstances = 0;
    int bridgeMode = BridgeMode::ByCount;
    int autoCount = 0;
    double bridgeLength = 0.0;
    std::vector<Bridge> bridges; // the custom bridges, at most BridgeList::MaxCount

    // The page's modes: a text shows no bridge controls; several elements
    // show three-state boxes and the result record below.
    bool textMode = false;
    bool several = false;
    // Several elements: the automatic state (1: every element is automatic)
    // and the rule-table state (0 by count, 1 by rule table, 2 differs), and
    // the change-bridges box.
    int autoState = 0;
    int ruleState = 0;
    bool changeBridges = false;

    // Takes the element's common values (exactly, no rounding).
    void Fill(const CElement& element);
    // Writes the values into the element (working copy or model); the
    // bridges follow the mode.
    void ApplyTo(CElement& element) const;
    // Whether applying would change the element.
    bool Differs(const CElement& element) const;
    // Whether two elements have the same common values (bridges included).
    static bool Same(const CElement& a, const CElement& b);

    // --- the custom bridge list ----------------------------------------------
    // The entry whose distance and length the two edits show (-1 none).
    int current = -1;
    // Appends a bridge after the last (0.001 and 21 mm for the first); false
    // when all BridgeList::MaxCount slots are taken.
    bool AddBridge();
    // Removes entry i; the current entry is cleared, so the edits left
    // afterwards write into no other bridge.
    void DeleteBridge(int i);
    // The edits' values into the current entry (rounded up to the next
    // thousandth); nothing without one.
    void StoreCurrent(double distance, double length);
    // Entry i becomes current (its values shown rounded up).
    void Select(int i, double& distance, double& length);

    // --- several elements -----------------------------------------------------
    // Takes the common values of the elements, a differing one as its
    // differs marker, and the bridge states (several mode on).
    void FillSeveral(const std::vector<CElement*>& elements);
    // Applies the several-elements result to one element (the copy in its
    // slot): selected, line type unless differing, avoid instances unless
    // differing, ptg when above 0, the bridge states.
    void ApplySeveral(CElement& element) const;
    // Texts: their common values only (no bridges).
    void FillTexts(const std::vector<CElement*>& texts);
};

// A negative pointage or bridge length is 0.
double NonNegative(double v);

} // namespace dlg
