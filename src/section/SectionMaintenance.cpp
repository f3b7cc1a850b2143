// Keeping a section's elements in step with their nodes and settings:
// recomputing, laying bridges out again, rebuilding an element from its
// property page, node replacement and removing the die board.
#include "section/Section.h"

#include "element/Arc.h"
#include "element/Element.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "section/ElementNodeFields.h"
#include "section/UndoItem.h"
#include "section/UndoManager.h"
#include "support/Log.h"

namespace {

// The node at (x, y), merging; −1 when it cannot be a node.
int NodeAt(NodeTable* nodes, double x, double y)
{
    return nodes->AddPoint(x, y, true);
}

// Sets a line's ends from start x, y, end x, y; false for equal ends.
bool RebuildLine(CLine& line, NodeTable* nodes, const std::vector<double>& w)
{
    if (w.size() < 4 || (w[0] == w[2] && w[1] == w[3]))
        return false;
    const int start = NodeAt(nodes, w[0], w[1]);
    const int end = NodeAt(nodes, w[2], w[3]);
    if (start < 0 || end < 0 || start == end)
        return false;
    line.SetStartNode(start);
    line.SetEndNode(end);
    return true;
}

// Sets an arc's nodes from start x, y, end x, y, centre x, y.
bool RebuildArc(CArc& arc, NodeTable* nodes, const std::vector<double>& w)
{
    if (w.size() < 6)
        return false;
    const int start = NodeAt(nodes, w[0], w[1]);
    const int end = NodeAt(nodes, w[2], w[3]);
    const int centre = NodeAt(nodes, w[4], w[5]);
    if (start < 0 || end < 0 || centre < 0)
        return false;
    arc.SetStartNode(start);
    arc.SetEndNode(end);
    arc.SetCenterNode(centre);
    return true;
}

// Rebuilds the copy from the values by its class. Kept: a class that is
// not rebuilt from values (the die board, holders, hole patterns,
// separation rules, stripper boards); the ellipse, text, dimension, spline,
// cuir hole and Bobst assembly join here with their classes.
Section::Refresh::Outcome Rebuild(CElement& copy, NodeTable* nodes, const std::vector<double>& w)
{
    bool made = false;
    if (auto* line = dynamic_cast<CLine*>(&copy))
        made = RebuildLine(*line, nodes, w);
    else if (auto* arc = dynamic_cast<CArc*>(&copy))
        made = RebuildArc(*arc, nodes, w);
    else
        return Section::Refresh::Kept;
    return made ? Section::Refresh::Replaced : Section::Refresh::Refused;
}

} // namespace

void Section::UpdateElements()
{
    Log::TheLog().Trace(Log::Section);
    for (CElement* e : *this)
        e->Recalculate();
}

void Section::RefreshAllBridges()
{
    for (CElement* e : *this) {
        Log::TheLog().Write("Section::~RefreshAllBridges( ) : 1", Log::Section);
        e->RefreshBridges();
    }
    Log::TheLog().Write("Section::~RefreshAllBridges( )", Log::Section);
}

Section::Refresh Section::RefreshElement(int slot, const CElement& edited, const std::vector<double>& values)
{
    Log::TheLog().Trace(Log::Section);
    Refresh result;
    CElement* current = GetElement(slot);
    Q_ASSERT(current);
    if (!current) {
        result.outcome = Refresh::Refused;
        return result;
    }
    std::unique_ptr<CElement> copy = CreateElement(*current);
    if (copy) {
        copy->AssignMainValues(edited);
        result.outcome = Rebuild(*copy, nodes_, values);
    }
    if (result.outcome == Refresh::Refused)
        return result;
    if (result.outcome == Refresh::Replaced) {
        result.old = ExchangeSlot(slot, std::move(copy));
        current = GetElement(slot);
    }
    current->RefreshBridges();
    current->Recalculate();
    return result;
}

void Section::ReplaceNode(int from, int to, bool skipSelected)
{
    Log::TheLog().Trace(Log::Section);
    const bool recording = undo_ && undo_->HasOpenStep();
    for (int i = 0; i < GetSlotsInUse(); ++i) {
        CElement* e = GetElement(i);
        if (!e || e->IsDieBoard() || (skipSelected && e->IsSelected()))
            continue;
        if (!recording) {
            (void)ElementNodeFields::Replace(*e, from, to); // changed in place either way
            continue;
        }
        if (!e->UsesNode(from, false))
            continue;
        std::unique_ptr<CElement> copy = CreateElement(*e);
        if (!copy || !ElementNodeFields::Replace(*copy, from, to))
            continue; // the element keeps its object
        CElement* now = copy.get();
        Record(ExchangeSlot(i, std::move(copy)), now, i, UndoItem::Replaced, true);
    }
}

bool Section::DelWood()
{
    Log::TheLog().Trace(Log::Section);
    for (CElement* e : *this) {
        if (e->IsDieBoard()) {
            DeleteElement(e);
            return true;
        }
    }
    return false;
}
