// Move, rotate, scale and mirror of the current section's selection. The
// elements move their own nodes through a remap vector (one entry per node
// slot, NodeTable::MoveNode): kMoveInPlace moves the node itself, kSplitOff
// gives the moving elements a new node, and an entry set during the walk is
// the node every later element re-uses, so selected elements that shared a
// node still share one. A transform joins the caller's undo step or, with
// none passed, is a step of its own that keeps the selection's old elements.
#include "document/MorvekDoc.h"

#include "element/Element.h"
#include "element/NodePoint.h"
#include "section/Section.h"

#include <cmath>
#include <initializer_list>

namespace {

bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

// The nodes the chosen elements use, with every node those are built on
// (CElement::AddRefNodes counts both into the nodes' use counts, which are
// scratch values: the idle-node sweep sets them afresh).
template <class Chosen>
std::vector<bool> NodesUsedBy(NodeTable& nodes, const std::vector<std::unique_ptr<Section>>& sections, Chosen chosen)
{
    const int count = nodes.GetCount();
    for (int i = 0; i < count; ++i) {
        if (CNodePoint* n = nodes.GetNode(i))
            n->SetUseCount(0);
    }
    for (const auto& s : sections) {
        for (CElement* e : *s) {
            if (chosen(*s, *e))
                e->AddRefNodes();
        }
    }
    std::vector<bool> used(static_cast<std::size_t>(count), false);
    for (int i = 0; i < count; ++i) {
        const CNodePoint* n = nodes.GetNode(i);
        used[static_cast<std::size_t>(i)] = n != nullptr && n->GetUseCount() > 0;
    }
    return used;
}

bool UsedBySelection(const Section& section, int node)
{
    for (CElement* e : section) {
        if (e->IsSelected() && e->UsesNode(node, false))
            return true;
    }
    return false;
}

} // namespace

void CMorvekDoc::TransformSelection(NodeRule rule, const std::function<void(CElement&, std::vector<int>&)>& apply,
                                    UndoTransaction* outer)
{
    Section* current = current_;
    if (current == nullptr || current->GetSelectedCount() == 0)
        return; // opens no step, so the redo list stays
    UndoTransaction tx = UndoTransaction::Join(outer, undo_.get(), kTextTransformSelection, current);
    // A joined step's owner keeps the selected elements around its series.
    const bool ownStep = !tx.IsPassThrough();
    if (ownStep)
        current->PrepareSelElements();
    const int count = nodes_.GetCount();
    std::vector<int> remap(static_cast<std::size_t>(count), NodeTable::kSplitOff);
    if (rule != NodeRule::CopyAll) {
        const std::vector<bool> kept =
            rule == NodeRule::Connected
                ? NodesUsedBy(nodes_, sections_, [](const Section& s, const CElement&) { return s.IsLocked(); })
                : NodesUsedBy(nodes_, sections_, [current](const Section& s, const CElement& e) {
                      return &s != current || s.IsLocked() || !e.IsSelected();
                  });
        for (int i = 0; i < count; ++i) {
            if (!kept[static_cast<std::size_t>(i)] && i != originNode_)
                remap[static_cast<std::size_t>(i)] = NodeTable::kMoveInPlace;
        }
        // A node built on other nodes is fixed where it stands before any
        // node moves, so it moves once by its own offset and not again with
        // a base that moved before it.
        const auto selected = [current](const Section& s, const CElement& e) { return &s == current && e.IsSelected(); };
        const std::vector<bool> reached = NodesUsedBy(nodes_, sections_, selected);
        for (int i = 0; i < count; ++i) {
            CNodePoint* n = nodes_.GetNode(i);
            if (remap[static_cast<std::size_t>(i)] != NodeTable::kMoveInPlace || !reached[static_cast<std::size_t>(i)]
                || n == nullptr || !n->IsParametric() || !UsedBySelection(*current, i))
                continue;
            int fix = NodeTable::kMoveInPlace;
            (void)nodes_.MoveNode(i, &fix, 0.0, 0.0, true); // the slot stays the node's
        }
    }
    for (CElement* e : *current)
        apply(*e, remap);
    if (rule == NodeRule::Connected) {
        // The others of unlocked sections follow the nodes the selection
        // left behind (those of locked sections and the origin).
        for (int j = 0; j < count; ++j) {
            const int now = remap[static_cast<std::size_t>(j)];
            if (now < 0 || now == j)
                continue;
            for (const auto& s : sections_) {
                if (!s->IsLocked())
                    s->ReplaceNode(j, now, true);
            }
        }
    }
    (void)nodes_.SetCacheValid(false); // the slot count is of no use here
    if (ownStep)
        current->AddSelElementsToUndo(false);
    tx.commit(); // marks the drawing modified when it moved anything
}

bool CMorvekDoc::MoveSelectionDetached(double dx, double dy, UndoTransaction* tx)
{
    if (!AllFinite({dx, dy}))
        return false;
    TransformSelection(NodeRule::CopyAll, [&](CElement& e, std::vector<int>& r) { e.Move(r, dx, dy); }, tx);
    return true;
}

bool CMorvekDoc::MoveSelectionConnected(double dx, double dy, UndoTransaction* tx)
{
    if (!AllFinite({dx, dy}))
        return false;
    TransformSelection(NodeRule::Connected, [&](CElement& e, std::vector<int>& r) { e.Move(r, dx, dy); }, tx);
    return true;
}

bool CMorvekDoc::RotateSelectionDetached(double cx, double cy, double angle, UndoTransaction* tx)
{
    if (!AllFinite({cx, cy, angle}))
        return false;
    TransformSelection(NodeRule::CopyAll, [&](CElement& e, std::vector<int>& r) { e.Rotate(r, cx, cy, angle); }, tx);
    return true;
}

bool CMorvekDoc::RotateSelectionConnected(double cx, double cy, double angle, UndoTransaction* tx)
{
    if (!AllFinite({cx, cy, angle}))
        return false;
    TransformSelection(NodeRule::Connected, [&](CElement& e, std::vector<int>& r) { e.Rotate(r, cx, cy, angle); }, tx);
    return true;
}

bool CMorvekDoc::CanMoveOrRotate(double a, double b, double c)
{
    return AllFinite({a, b, c});
}

// A factor of 0 would fold the selection onto a line or a point.
bool CMorvekDoc::CanScale(double cx, double cy, double fx, double fy)
{
    return AllFinite({cx, cy, fx, fy}) && fx != 0.0 && fy != 0.0;
}

// Two equal points give no axis.
bool CMorvekDoc::CanMirror(double x1, double y1, double x2, double y2)
{
    return AllFinite({x1, y1, x2, y2}) && (x1 != x2 || y1 != y2);
}

bool CMorvekDoc::ScaleSelectionDetached(double cx, double cy, double fx, double fy, UndoTransaction* tx)
{
    if (!CanScale(cx, cy, fx, fy))
        return false;
    TransformSelection(NodeRule::CopyShared, [&](CElement& e, std::vector<int>& r) { e.Scale(r, cx, cy, fx, fy); }, tx);
    return true;
}

bool CMorvekDoc::ScaleSelectionConnected(double cx, double cy, double fx, double fy, UndoTransaction* tx)
{
    if (!CanScale(cx, cy, fx, fy))
        return false;
    TransformSelection(NodeRule::Connected, [&](CElement& e, std::vector<int>& r) { e.Scale(r, cx, cy, fx, fy); }, tx);
    return true;
}

bool CMorvekDoc::MirrorSelectionDetached(double x1, double y1, double x2, double y2, UndoTransaction* tx)
{
    if (!CanMirror(x1, y1, x2, y2))
        return false;
    TransformSelection(NodeRule::CopyShared,
                       [&](CElement& e, std::vector<int>& r) { e.Mirror(r, x1, y1, x2, y2); }, tx);
    return true;
}

bool CMorvekDoc::MirrorSelectionConnected(double x1, double y1, double x2, double y2, UndoTransaction* tx)
{
    if (!CanMirror(x1, y1, x2, y2))
        return false;
    TransformSelection(NodeRule::Connected, [&](CElement& e, std::vector<int>& r) { e.Mirror(r, x1, y1, x2, y2); }, tx);
    return true;
}
