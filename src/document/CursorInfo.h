#pragma once
// The document's cursor record: what lies under the mouse. The view writes it
// on every mouse event; the command engine, the commands and the painting
// read it.
class CElement;
class CInstance;
class CNodePoint;

struct CursorInfo {
    CElement* element = nullptr;     // the hovered element, or null
    int elementInstance = -1;        // 0 the section's own elements, else the replica's placement
    const CInstance* elementPlacement = nullptr; // null for a negative number
    int node = -1;                   // the node under the cursor, −1 for none
    CNodePoint* nodePoint = nullptr;
    int nodeInstance = -1;           // the placement in which the node was found
    const CInstance* nodePlacement = nullptr;    // null for a negative number
    double nodeX = 0.0;              // the node's position in that placement
    double nodeY = 0.0;
    double modelX = 0.0;             // the cursor in millimetres
    double modelY = 0.0;
    int pixelX = 0;                  // the cursor in client pixels
    int pixelY = 0;
};
