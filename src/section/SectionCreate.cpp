// Creation: every element comes into a section through one of these. The
// coordinate-based forms share one sequence: refuse what makes no element,
// find or add the nodes, build the element, then Place (bridges, the line
// type the caller gives, ptg, the section, the undo item). The node-index
// forms build the element on the given nodes and hand it to AddBuilt.
//
// Ellipses and splines (SectionCreateCurves.cpp), texts and dimensions
// (SectionCreateAnnotations.cpp) follow the same pattern (CanBeNodes,
// nodes_->AddPoint for each point, the class's setters, Place with
// NewBridges::None for texts and dimensions); a new element class adds its
// forms likewise, its node-index form through AddBuilt.
#include "section/Section.h"

#include "element/Arc.h"
#include "element/Element.h"
#include "element/Line.h"
#include "element/Micrometres.h"
#include "element/NodeTable.h"
#include "geometry/GeomBasics.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/Prompt.h"
#include "section/UndoManager.h"
#include "support/Log.h"

#include <cmath>

namespace {
// The ptg of every new element when no options are given.
constexpr double kDefaultPtg = 2.0;
// The message for an element that cannot be copied into a section.
constexpr int kTextCannotCopy = 199;
} // namespace

int Section::CurrentLineType() const
{
    return options_ ? options_->GetLineType() : 1;
}

int Section::CurrentArcLineType() const
{
    return options_ ? options_->GetTextLineType() : 1;
}

bool Section::CanBeNodes(std::initializer_list<die::coord> points)
{
    for (const die::coord& p : points) {
        if (!nodeunits::ToMicrometres(p.x) || !nodeunits::ToMicrometres(p.y))
            return false;
    }
    return true;
}

ElementIterator Section::Place(std::unique_ptr<CElement> element, int lineType, NewBridges bridges)
{
    Dress(*element, lineType, createWithoutBridges_ ? NewBridges::None : bridges);
    element->SetNotInstanced(avoidLayout_ && *avoidLayout_);
    return ElementIterator(this, AddBuilt(std::move(element)));
}

void Section::Dress(CElement& element, int lineType, NewBridges bridges) const
{
    if (bridges == NewBridges::ByRule) {
        element.SetBridgeMode(BridgeMode::ByRule);
        element.RefreshBridges();
    } else {
        element.SetAutoBridges(0, 0.0);
    }
    element.SetLineType(lineType);
    element.SetPtg(options_ ? options_->GetDefaultPtg() : kDefaultPtg);
}

int Section::Insert(std::unique_ptr<CElement> element, bool alwaysRecord)
{
    Q_ASSERT(element);
    const int slot = GetFirstNullElement();
    CElement* made = element.get();
    (void)ExchangeSlot(slot, std::move(element)); // the slot was empty
    Record(nullptr, made, slot, UndoItem::Added, alwaysRecord);
    return slot;
}

int Section::AddBuilt(std::unique_ptr<CElement> element)
{
    return Insert(std::move(element), false);
}

ElementIterator Section::AddLine3(double x1, double y1, double x2, double y2, bool merge, int lineType)
{
    Log::TheLog().Write("Section::AddLine3( double ..)", Log::Section);
    if ((x1 == x2 && y1 == y2) || !CanBeNodes({{x1, y1}, {x2, y2}}))
        return end();
    const int start = nodes_->AddPoint(x1, y1, merge);
    const int finish = nodes_->AddPoint(x2, y2, merge);
    if (start < 0 || finish < 0 || start == finish)
        return end();
    auto line = std::make_unique<CLine>(nodes_, options_, context_);
    line->SetStartNode(start);
    line->SetEndNode(finish);
    return Place(std::move(line), lineType, NewBridges::ByRule);
}

ElementIterator Section::AddArc3(double cx, double cy, double sx, double sy, double ex, double ey, bool merge,
                                 int lineType)
{
    Log::TheLog().Trace(Log::Section);
    die::coord end(sx, sy);
    const bool closed = ex == sx && ey == sy;
    if (!closed) {
        // The end goes onto the circle through the start, in its own
        // direction from the centre.
        const double r = std::hypot(sx - cx, sy - cy);
        const double direction = Geom::VectorAngle(ey - cy, ex - cx);
        end = {cx + r * std::cos(direction), cy + r * std::sin(direction)};
    }
    if (!CanBeNodes({{cx, cy}, {sx, sy}, end}))
        return this->end();
    const int centre = nodes_->AddPoint(cx, cy, merge);
    const int start = nodes_->AddPoint(sx, sy, merge);
    const int finish = closed ? start : nodes_->AddPoint(end.x, end.y, merge);
    if (centre < 0 || start < 0 || finish < 0)
        return this->end();
    auto arc = std::make_unique<CArc>(nodes_, options_, context_);
    arc->SetCenterNode(centre);
    arc->SetStartNode(start);
    arc->SetEndNode(finish);
    arc->Recalculate();
    return Place(std::move(arc), lineType, NewBridges::ByRule);
}

int Section::AddLine0(int startNode, int endNode)
{
    Log::TheLog().Trace(Log::Section);
    auto line = std::make_unique<CLine>(nodes_, options_, context_);
    line->SetStartNode(startNode);
    line->SetEndNode(endNode);
    return AddBuilt(std::move(line));
}

int Section::AddArc0(int startNode, int endNode, int centreNode)
{
    Log::TheLog().Write("Section::AddArc0( long ..)", Log::Section);
    auto arc = std::make_unique<CArc>(nodes_, options_, context_);
    arc->SetStartNode(startNode);
    arc->SetEndNode(endNode);
    arc->SetCenterNode(centreNode);
    return AddBuilt(std::move(arc));
}

int Section::CopyElement(const CElement& source)
{
    Log::TheLog().Trace(Log::Section);
    std::unique_ptr<CElement> copy = CreateElement(source);
    if (!copy) {
        (void)platform::ask(Translate(kTextCannotCopy), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning); // only Ok to press
        return -1;
    }
    return Insert(std::move(copy), true);
}
