// Keeping a section's elements in step with their nodes and settings:
// recomputing, laying bridges out again, rebuilding an element from its
// property page, node replacement and removing the die board.
#include "section/Section.h"

#include "element/Arc.h"
#include "element/Element.h"
#include "element/ElementTypes.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "section/ElementNodeFields.h"
#include "section/UndoItem.h"
#include "section/UndoManager.h"
#include "support/Log.h"

#include <cmath>

namespace {

// The node at (x, y), merging; −1 when it cannot be a node. A point given
// as not-a-number keeps the node the element has.
int NodeAt(NodeTable* nodes, double x, double y, int kept)
{
    if (std::isnan(x) && std::isnan(y))
        return kept;
    return nodes->AddPoint(x, y, true);
}

// Sets a line's ends from start x, y, end x, y; false for equal ends.
bool RebuildLine(CLine& line, NodeTable* nodes, const std::vector<double>& w)
{
    if (w.size() < 4 || (w[0] == w[2] && w[1] == w[3]))
        return false;
    const int start = NodeAt(nodes, w[0], w[1], line.GetStartNode());
    const int end = NodeAt(nodes, w[2], w[3], line.GetEndNode());
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
    const int start = NodeAt(nodes, w[0], w[1], arc.GetStartNode());
    const int end = NodeAt(nodes, w[2], w[3], arc.GetEndNode());
    const int centre = NodeAt(nodes, w[4], w[5], arc.GetCenterNode());
    if (start < 0 || end < 0 || centre < 0)
        return false;
    arc.SetStartNode(start);
    arc.SetEndNode(end);
    arc.SetCenterNode(centre);
    return true;
}

// Sets an ellipse's nodes from start x, y, end x, y, centre x, y, the two
// semi-axes and the direction of the first (radians); semi-axes and angle
// given as not-a-number keep both radius nodes. A semi-axis of 0 or the
// radius points on the centre are refused.
bool RebuildEllipse(CEllipse& ellipse, NodeTable* nodes, const std::vector<double>& w)
{
    if (w.size() < 9)
        return false;
    const int start = NodeAt(nodes, w[0], w[1], ellipse.GetStartNode());
    const int end = NodeAt(nodes, w[2], w[3], ellipse.GetEndNode());
    const int centre = NodeAt(nodes, w[4], w[5], ellipse.GetCentreNode());
    if (start < 0 || end < 0 || centre < 0)
        return false;
    int major = ellipse.GetMajorNode();
    int minor = ellipse.GetMinorNode();
    if (!std::isnan(w[6]) || !std::isnan(w[7]) || !std::isnan(w[8])) {
        const double r1 = w[6], r2 = w[7], a = w[8];
        if (!(r1 > 0.0) || !(r2 > 0.0) || !std::isfinite(a))
            return false;
        const die::coord c = nodes->GetNode(centre) ? die::coord{nodes->GetNode(centre)->GetX(), nodes->GetNode(centre)->GetY()}
                                                     : die::coord{w[4], w[5]};
        major = nodes->AddPoint(c.x + r1 * std::cos(a), c.y + r1 * std::sin(a), true);
        minor = nodes->AddPoint(c.x - r2 * std::sin(a), c.y + r2 * std::cos(a), true);
    }
    if (major < 0 || minor < 0 || major == centre || minor == centre)
        return false;
    ellipse.SetStartNode(start);
    ellipse.SetEndNode(end);
    ellipse.SetCentreNode(centre);
    ellipse.SetMajorNode(major);
    ellipse.SetMinorNode(minor);
    return true;
}

bool SameCommonValues(const CElement& a, const CElement& b)
{
    if (!a.HasSameAttributes(b) || a.GetBridgeMode() != b.GetBridgeMode() || a.IsSelected() != b.IsSelected()
        || a.GetAutoCount() != b.GetAutoCount() || a.GetAutoWidth() != b.GetAutoWidth()
        || a.GetBridges().Count() != b.GetBridges().Count())
        return false;
    for (int i = 0; i < a.GetBridges().Count(); ++i)
        if (a.GetBridges()[i].position != b.GetBridges()[i].position
            || a.GetBridges()[i].width != b.GetBridges()[i].width)
            return false;
    return true;
}

// Rebuilds the copy from the values by its class. Kept: a class that is
// not rebuilt from values (no values given, or the die board, holders,
// hole patterns, separation rules, stripper boards, splines); the text,
// dimension, cuir hole and Bobst assembly join here with their classes.
Section::Refresh::Outcome Rebuild(CElement& copy, NodeTable* nodes, const std::vector<double>& w)
{
    bool made = false;
    if (w.empty())
        return Section::Refresh::Kept;
    if (auto* line = dynamic_cast<CLine*>(&copy))
        made = RebuildLine(*line, nodes, w);
    else if (auto* arc = dynamic_cast<CArc*>(&copy))
        made = RebuildArc(*arc, nodes, w);
    else if (auto* ellipse = dynamic_cast<CEllipse*>(&copy))
        made = RebuildEllipse(*ellipse, nodes, w);
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
        // The common values alone still change the element.
        if (result.outcome == Refresh::Kept && !SameCommonValues(*copy, *current))
            result.outcome = Refresh::Replaced;
    }
    if (result.outcome == Refresh::Refused)
        return result;
    if (result.outcome == Refresh::Replaced) {
        CElement* now = copy.get();
        if (undo_ && undo_->HasOpenStep()) {
            Record(ExchangeSlot(slot, std::move(copy)), now, slot, UndoItem::Replaced);
        } else {
            result.old = ExchangeSlot(slot, std::move(copy));
        }
        current = now;
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
