#pragma once
// One step of an interactive command: what the user must give next, how a
// click snaps, and what the step received. Command handlers, the view's
// input rules and the callbacks read and write the fields directly.
#include <array>
#include <initializer_list>

class CElement;
class CNodePoint;

// What a step accepts (a bit set) and what it received (one value).
enum InputKind : int {
    InputNone = 0,
    InputDrag = 1,    // the point under the mouse while a button is held
    InputPoint = 2,
    InputElement = 4,
    InputSubPart = 8, // a bridge of the step's given element
    InputValue = 16,  // a typed number
};

// How a point step snaps (a bit set).
enum SnapFlag : int {
    SnapNode = 1,     // to the node under the cursor
    SnapKeys = 2,     // the point-definition hot keys are accepted
    SnapCrossing = 4, // to a crossing of the element picked in the linked step
    SnapElement = 8,  // to the hovered element's nearest snap point
};

struct InputStep {
    static constexpr int kMaxTypes = 32;

    // --- set up by the command ----------------------------------------------
    int prompt = -1;             // language text id; −1 an empty prompt
    int accepted = InputNone;    // bit set of InputKind
    int elementSlot = -1;        // sub-part step: the given element's slot
    CElement* elementGiven = nullptr; // sub-part step: whose bridge is picked
    int dragButton = 1;          // drag step: 1 left, 2 right
    double dragStartX = 0.0;     // drag step: where the drag began (mm)
    double dragStartY = 0.0;
    int snapFlags = 0;           // bit set of SnapFlag
    int linkedStep = 0;          // the step whose element the crossing snap uses
    std::array<int, kMaxTypes> allowedTypes{};
    int allowedTypeCount = -1;   // −1 accepts every type
    double defaultValue = 0.0;   // value step: shown in the value dialog
    int valuePrompt = -1;        // value step: language text id of the label

    // --- received -------------------------------------------------------------
    int resultKind = InputNone;  // one InputKind value
    double x = 0.0;              // the point (also the click of an element pick)
    double y = 0.0;
    CElement* element = nullptr; // element picked (or given by the tangent key)
    int nodeIndex = -1;          // the node the point snapped to
    CNodePoint* node = nullptr;
    int subPart = -1;            // the bridge picked by a sub-part step
    double snappedX = 0.0;       // the element snap's point
    double snappedY = 0.0;
    double value = 0.0;          // the typed value
    // Handed on with the node index: the placement number in which the
    // snapped node was found (0 the section's own elements).
    int nodeCompanion = 0;

    bool Accepts(int kind) const { return (accepted & kind) != 0; }
    bool Snaps(int flag) const { return (snapFlags & flag) != 0; }
    // The allowed element types; more than kMaxTypes are cut off.
    void SetAllowedTypes(std::initializer_list<int> types);
    // Forgets what the step received: no result, no element, node or bridge.
    void ClearResults();
};
