#pragma once
// The popup's Change Bridge Length: every selected element of the current
// layer gets the given bridge width, with its bridge count from the bridge
// rules where it follows them (bridge mode 2), else its own automatic count.
#include <QStringView>

#include <optional>

class CMorvekDoc;
class COptions;

namespace selectionbridges {

// Language texts: the undo step's title and the refusal of a width.
constexpr int kTextUndoTitle = 905;
constexpr int kTextWidthRefused = 2318;

// The typed width: a number above 0 and nothing else; none otherwise.
std::optional<double> ReadBridgeWidth(QStringView typed);

// The number of elements changed; each now has automatic bridges (mode 1).
// The changes are one undo step; nothing selected opens none.
int SetBridgeWidth(CMorvekDoc& doc, const COptions* options, double width);

} // namespace selectionbridges
