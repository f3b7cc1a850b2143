// Split into equal parts: an element replaced by pieces of itself. The
// pieces are new elements (recorded as added) and the element goes out of
// its slot (recorded as removed), all in the transaction passed in, else
// in one of the operation's own.
//
// The checks that can refuse come before the first change, so a refusal
// leaves no step; a spline whose nodes cannot be placed stays whole and
// the nodes made so far are rolled back with the step. The pieces keep the element's rule (line type, ptg, the
// not-instanced flag); hand-placed bridges go to the piece they lie on,
// measured from that piece's start.
#include "section/Section.h"

#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "element/Spline.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "section/UndoTransaction.h"
#include "support/Log.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <utility>
#include <vector>

namespace {

constexpr int kTextSplit = 383;
// The shortest part a split makes: shorter parts could fall onto one node
// (the node table merges points within 0.003 mm in x and y) and be lost.
constexpr double kShortestPart = 0.01;

// What the parts of a split take from the element.
struct PartValues {
    int lineType = 0;
    double ptg = 0.0;
    int notInstanced = 0;
    int bridgeMode = BridgeMode::ByRule;
    std::vector<Bridge> bridges; // by hand
    int countPerPart = 0;        // by count
    double width = 0.0;          // by count
};

PartValues NoteValues(CElement& element, int n)
{
    element.RefreshBridges();
    PartValues v{element.GetLineType(), element.GetPtg(), element.GetNotInstanced(), element.GetBridgeMode(),
                 {}, 0, 0.0};
    if (v.bridgeMode == BridgeMode::ByHand) {
        v.bridges.assign(element.GetBridges().begin(), element.GetBridges().end());
    } else if (v.bridgeMode == BridgeMode::ByCount) {
        v.countPerPart = (element.GetAutoCount() + n - 1) / n;
        v.width = element.GetAutoWidth();
    }
    return v;
}

// The rule of the element on a new part; shift is the length along the
// element from its start to the part's start.
void DressPart(CElement& part, const PartValues& v, double shift, bool withBridges)
{
    part.SetPtg(v.ptg);
    part.SetNotInstanced(v.notInstanced);
    if (!withBridges)
        return;
    const bool byCount = v.bridgeMode == BridgeMode::ByCount;
    part.SetAutoBridges(byCount ? v.countPerPart : 0, byCount ? v.width : 0.0);
    part.SetBridgeMode(v.bridgeMode);
    part.SetBridges(v.bridgeMode == BridgeMode::ByHand ? v.bridges : std::vector<Bridge>{});
    part.ValidateCustomBridges(shift);
    part.RefreshBridges();
}

// The position of node k of the list at or after position from; −1 when
// it is not there.
int FindFrom(const std::deque<int>& list, int node, int from)
{
    for (int k = std::max(from, 0); k < static_cast<int>(list.size()); ++k)
        if (list[static_cast<std::size_t>(k)] == node)
            return k;
    return -1;
}

// Splits the spline into n parts of equal length along its curve. The
// nodes are worked out on a copy, so the spline goes into the undo step as
// it was. Each part spans at least two node intervals: a part that would
// span one gets the curve's point in the middle of that interval as a node.
void SplitSpline(Section& section, CSpline& spline, int slot, int n, const PartValues& values, UndoTransaction* tx)
{
    const double partLength = spline.GetFullLength() / n;
    if (!(partLength >= kShortestPart))
        return;
    UndoTransaction editStep = UndoTransaction::Join(tx, section.GetUndoManager(), kTextSplit, &section);
    auto work = std::make_unique<CSpline>(spline);
    std::vector<int> ends;
    for (int i = 1; i < n; ++i) {
        const int node = work->InsertNodeAtLength(i * partLength);
        if (node < 0)
            return; // the nodes made so far are rolled back
        ends.push_back(node);
    }
    if (work->GetNodes().empty())
        return;
    ends.push_back(work->GetNodes().back());
    // A part end that fell onto a node of the spline is now in its list
    // twice in a row: the curve goes through it once.
    std::deque<int> once = work->GetNodes();
    if (const auto last = std::unique(once.begin(), once.end()); last != once.end()) {
        once.erase(last, once.end());
        auto clean = std::make_unique<CSpline>(spline.GetNodeTable(), spline.GetOptions(), spline.GetContext());
        clean->SetSamplesPerSegment(work->GetSamplesPerSegment());
        for (int node : once)
            clean->AddNode(node);
        work = std::move(clean);
    }

    const int perSegment = work->GetSamplesPerSegment();
    std::vector<std::pair<int, int>> middles; // node, list position to insert after
    int from = 0;
    for (int end : ends) {
        const int k = FindFrom(work->GetNodes(), end, from + 1);
        if (k < 0)
            return;
        if (k - from < 2) {
            const std::size_t sample = static_cast<std::size_t>((k - 1) * perSegment + perSegment / 2);
            if (sample < work->GetSamples().size()) {
                const die::coord p = work->GetSamples()[sample];
                const int node = section.GetNodeTable()->AddPoint(p.x, p.y, true);
                const std::deque<int>& list = work->GetNodes();
                // An interval too short for a node of its own between its ends
                // gets none (the part then keeps the spline whole, below).
                if (node >= 0 && node != list[static_cast<std::size_t>(k - 1)]
                    && node != list[static_cast<std::size_t>(k)])
                    middles.emplace_back(node, k - 1);
            }
        }
        from = k;
    }
    for (std::size_t j = 0; j < middles.size(); ++j)
        work->InsertNode(middles[j].first, middles[j].second + static_cast<int>(j));

    // The parts, each from the previous part's end to its own.
    std::vector<std::deque<int>> parts;
    const std::deque<int>& list = work->GetNodes();
    from = 0;
    for (int end : ends) {
        const int k = FindFrom(list, end, from + 1);
        if (k - from < 2)
            return; // a part of one interval: the spline stays whole
        parts.emplace_back(list.begin() + from, list.begin() + k + 1);
        from = k;
    }
    for (const std::deque<int>& nodes : parts) {
        const ElementIterator part = section.AddSpline2(nodes, values.lineType);
        if (part != section.end())
            DressPart(*part.Get(), values, 0.0, false); // the parts' bridges follow the rule
    }
    section.DeleteElement(slot);
    editStep.commit();
}

} // namespace

ElementIterator Section::AddSpline2(const std::deque<int>& nodes, int lineType)
{
    Log::TheLog().Trace(Log::Section);
    auto spline = std::make_unique<CSpline>(nodes_, options_, context_);
    for (int node : nodes)
        spline->AddNode(node);
    return Place(std::move(spline), lineType, NewBridges::ByRule);
}

void Section::SplitElement(CElement* element, int n, UndoTransaction* tx)
{
    Log::TheLog().Write("Section::SplitElement( CElement* ... )", Log::Section);
    const int slot = GetIdx(element);
    if (slot < 0 || n < 1)
        return;
    if (auto* line = dynamic_cast<CLine*>(element)) {
        const die::coord s = Point(line->GetStartNode());
        const double length = line->GetFullLength();
        const double step = length / n;
        if (!(step >= kShortestPart))
            return;
        const double direction = line->GetDirection();
        const die::coord unit(std::cos(direction), std::sin(direction));
        const PartValues values = NoteValues(*line, n);
        UndoTransaction editStep = UndoTransaction::Join(tx, undo_, kTextSplit, this);
        DeleteElement(slot); // the line may be gone from here on
        for (int i = 0; i < n; ++i) {
            const die::coord a = s + unit * (i * step);
            const die::coord b = s + unit * ((i + 1) * step);
            const ElementIterator part = AddLine3(a.x, a.y, b.x, b.y, true, values.lineType);
            if (part != end())
                DressPart(*part.Get(), values, i * step, true);
        }
        editStep.commit();
        return;
    }
    if (auto* arc = dynamic_cast<CArc*>(element)) {
        CArc::Circle circle;
        if (!arc->GetCircle(circle))
            return;
        const double sweep = arc->GetSweepAngle();
        const double r = circle.radius;
        const double step = sweep / n;
        if (!(2.0 * r * std::sin(std::min(step, Geom::kPi) / 2.0) >= kShortestPart))
            return;
        const double startAngle = arc->GetStartAngle();
        const PartValues values = NoteValues(*arc, n);
        UndoTransaction editStep = UndoTransaction::Join(tx, undo_, kTextSplit, this);
        DeleteElement(slot);
        const die::coord& c = circle.centre;
        double theta = startAngle;
        for (int i = 0; i < n; ++i) {
            double next = theta - step;
            while (next < 0.0)
                next += Geom::kTwoPi;
            const die::coord a = c + die::coord(std::cos(theta), std::sin(theta)) * r;
            const die::coord b = c + die::coord(std::cos(next), std::sin(next)) * r;
            const ElementIterator part = AddArc3(c.x, c.y, a.x, a.y, b.x, b.y, true, values.lineType);
            if (part != end())
                DressPart(*part.Get(), values, i * step * r, true);
            theta = next;
        }
        editStep.commit();
        return;
    }
    if (auto* spline = dynamic_cast<CSpline*>(element))
        SplitSpline(*this, *spline, slot, n, NoteValues(*spline, n), tx);
    // Any other kind stays as it is.
}
