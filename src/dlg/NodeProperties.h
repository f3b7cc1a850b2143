#pragma once
// What the node dialog does to a drawing, without the widgets: the fields
// read from one node, the entries of its reference combos, the checks of OK
// (681 a circular formula, 682 no reference or one built on the edited node,
// 376 a required text empty, in that order) and the replacement of the node
// in one undo step (text 478), and the nodes lying on one spot for the
// point selection dialog.
#include <QString>

#include <utility>
#include <vector>

class CMorvekDoc;
class CNodePoint;
class NodeTable;

namespace dlg {

struct NodeForm {
    enum class Mode { Fixed, Cardinal, Radial, Radius };
    Mode mode = Mode::Fixed;
    QString name;
    double x = 0.0; // mm, before the secondary rotation
    double y = 0.0;
    int reference = -1; // slot of the reference node, -1 none
    int end = -1;       // slot of the end node (radius mode), -1 none
    QString dx, dy;                 // cardinal
    QString radius, angle;          // radial
    QString radius1, radius2;       // radius: from the reference, from the end node
    bool separateDistance = false;  // radius2 used
    bool secondary = false;         // the secondary relativity
    QString centreX, centreY, rotation;
};

class NodeProperties {
public:
    // Language texts.
    static constexpr int kTextCircular = 681;
    static constexpr int kTextNoReference = 682;
    static constexpr int kTextMissingText = 376;
    static constexpr int kTextUndoTitle = 478;
    static constexpr int kTextOutOfRange = 2162;

    // useSecondary: the application's Use Secondary Relativity option; off,
    // the node dialog cannot set the secondary relativity and OK empties it.
    NodeProperties(CMorvekDoc& doc, int nodeIndex, bool useSecondary);

    CMorvekDoc& Document() const { return doc_; }
    int NodeIndex() const { return index_; }
    bool UsesSecondary() const { return useSecondary_; }
    // The node's fields as stored.
    NodeForm Load() const;
    // The mode the Relative button shows: the stored kind's (cardinal for
    // an absolute node).
    NodeForm::Mode RelativeMode() const;
    // The entries of both reference combos, sorted by text: every node in
    // use but the edited one, as "name (slot)".
    std::vector<std::pair<QString, int>> ReferenceEntries() const;
    QString EntryText(int slot) const;

    // OK: the checks, then the node replaced in one undo step. False, with
    // the message shown and nothing changed, when a check refuses.
    bool Apply(const NodeForm& form);

private:
    bool IsCircular(const QString& text) const;
    bool Refuse(int textId) const;

    CMorvekDoc& doc_;
    int index_;
    bool useSecondary_;
};

// The nodes in use within the pick tolerance (5 pixels at zoom pixels per
// mm) of the node in the slot, in slot order (itself included): the rows of
// the point selection dialog.
std::vector<int> NodesAt(NodeTable& nodes, int slot, double zoom);

} // namespace dlg
