#pragma once
// The text page without its window: the string, base point, height,
// character width, angle and mirror of one text, a new text or several
// texts; the three nodes those values give; OK's change of one text, the
// new text, and the change of several texts.
#include "dlg/PageNumber.h"
#include "dlg/PropertyPage.h"
#include "geometry/Coord.h"
#include "geometry/GeomConstants.h"
#include "platform/DrawingObjects.h"

#include <QString>
#include <vector>

class CText;
class NodeTable;
class Section;

namespace dlg {

struct ElementValues;

// A text's nodes: the height point stands at the height square to the
// baseline, the end point at n characters of the width along the angle.
struct TextNodePositions {
    die::coord height;
    die::coord base;
    die::coord end;
};
TextNodePositions TextNodesFor(const die::coord& base, double height, double charWidth, double radians, int n);

struct TextFields {
    // The mirrored box's third state: the texts differ.
    static constexpr int kMirrorDiffers = 2;

    QString text;
    PageNumber x, y;
    PageNumber height, width; // width: of one character
    PageNumber angle{0.0, Geom::RadToDeg(1.0)}; // radians, shown in degrees
    int mirrored = 0;
    platform::LogFont font{};
    int fontKind = 0; // 1: the system font of the font record, 0: the stroke font
    platform::ColorRef colour = 0;
    bool applyHeight = false;
    bool applyWidth = false;
    bool applyAngle = false;
    bool newText = true;
    bool several = false;
    QString openedText;

    // One text: its string, nodes and font.
    static TextFields ForText(const CText& text, NodeTable& nodes);
    // A new text: empty, at (0, 0), height 10, width 8, angle 0.
    static TextFields ForNewText();
    // Several texts: the first one's height, width, angle and font, a
    // placeholder string and base point (never applied), the mirror box in
    // its third state when the texts differ.
    static TextFields ForSeveral(const std::vector<const CText*>& texts, NodeTable& nodes);

    bool TextAndPositionEnabled() const { return !several; }
    bool HeightEnabled() const { return !several || applyHeight; }
    bool WidthEnabled() const { return !several || applyWidth; }
    bool AngleEnabled() const { return !several || applyAngle; }
    // The nodes for the values shown (the preview's).
    TextNodePositions Nodes() const;
    // Pick 403: the base point.
    bool StorePick(int code, const PickedPoint& point);
    // Empty accepts OK; a text needs characters and a height.
    QString Validate() const;

    // OK for one text: the text of the slot replaced by a copy with what
    // changed (its nodes placed again only when the base point, height,
    // width, angle or the number of characters changed) and the Element
    // page's values, in the open step. False when nothing changed.
    bool Apply(Section& section, int slot, const ElementValues* common) const;
    // OK for a new text: added with the line type; false when it makes no
    // text (no characters, a point that cannot be a node).
    bool AddNew(Section& section, int lineType) const;
    // OK for several texts, on one of them (the copy about to replace it):
    // its height, width and angle where their apply boxes are ticked (the
    // height and end points placed again about its own base point), its
    // mirror unless the box is in its third state. The font is left: the
    // page offers no font to change. Returns whether it changed.
    bool ApplyToMember(CText& text) const;
};

} // namespace dlg
