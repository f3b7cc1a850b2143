// Node re-mapping of the whole drawing: after a node drag the view merges
// the dragged node into the one it was dropped on, or re-points elements
// from one node to another, and asks first who uses a node.
#include "document/MorvekDoc.h"

#include "element/Element.h"
#include "section/Section.h"

int CMorvekDoc::GetNodeUsage(int node) const
{
    bool unlocked = false;
    bool locked = false;
    for (const auto& s : sections_) {
        bool& found = s->IsLocked() ? locked : unlocked;
        for (auto it = s->begin(); !found && it.NotEqual(s->end()); it.Next())
            found = it.Get()->UsesNode(node, false);
    }
    return (unlocked ? 1 : 0) | (locked ? 2 : 0);
}

bool CMorvekDoc::CanRepoint(int from, int to, bool withReferences)
{
    const int count = nodes_.GetCount();
    if (from == to || from < 0 || to < 0 || from >= count || to >= count)
        return false;
    if (nodes_.GetNode(from) == nullptr || nodes_.GetNode(to) == nullptr)
        return false;
    return !withReferences || !nodes_.NodeDependsOn(to, from);
}

bool CMorvekDoc::MergeNode(int from, int to, UndoTransaction* outer)
{
    if (from == originNode_ || !CanRepoint(from, to, true))
        return false;
    UndoTransaction tx = UndoTransaction::Join(outer, undo_.get(), kTextNodeRemap, current_);
    for (const auto& s : sections_)
        s->ReplaceNode(from, to, false);
    nodes_.ReplaceReference(from, to);
    nodes_.RemoveNode(from);
    (void)nodes_.SetCacheValid(false); // the slot count is of no use here
    tx.commit();
    return true;
}

bool CMorvekDoc::ReplaceNodeInSections(int from, int to, bool lockedOnly, UndoTransaction* outer)
{
    if (!CanRepoint(from, to, !lockedOnly))
        return false;
    UndoTransaction tx = UndoTransaction::Join(outer, undo_.get(), kTextNodeRemap, current_);
    for (const auto& s : sections_) {
        if (s->IsLocked() == lockedOnly)
            s->ReplaceNode(from, to, false);
    }
    if (!lockedOnly)
        nodes_.ReplaceReference(from, to);
    (void)nodes_.SetCacheValid(false); // the slot count is of no use here
    tx.commit();
    return true;
}
