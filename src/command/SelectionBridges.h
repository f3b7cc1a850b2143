#pragma once
// The popup's Change Bridge Length: every selected element of the current
// layer gets the given bridge width, with its bridge count from the bridge
// rules where it follows them (bridge mode 2), else its own automatic count.
class CMorvekDoc;
class COptions;

namespace selectionbridges {

// The number of elements changed; each now has automatic bridges (mode 1).
int SetBridgeWidth(CMorvekDoc& doc, const COptions* options, double width);

} // namespace selectionbridges
