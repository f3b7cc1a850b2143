// The die board's display list: equalizing rules probed through the
// section's crossing set, the notch, the register slots, the knife lines,
// the outline and the text boxes, each group on its own line type.
#include "element/Wood.h"

#include "display/DisplayList.h"
#include "element/BoardLayout.h"
#include "element/NodeTable.h"
#include "element/WoodOutline.h"
#include "geometry/Instance.h"

#include <algorithm>
#include <cmath>

namespace {

// The rule's outer end lies this far beyond the layout side; the probe runs
// this far back across it.
constexpr double kProbeLength = 5000.0;
constexpr double kNoEndYet = 2000.0;
// Crossings closer than this to the outer end are the end itself.
constexpr double kMinDistance = 0.1;

class ListSink : public WoodSink {
public:
    explicit ListSink(DisplayList& list) : list_(list) {}
    void Line(const die::coord& from, const die::coord& to, int lineType) override
    {
        list_.AddLine(from, to, lineType);
    }
    void Arc(const die::coord& centre, const die::coord& start, const die::coord& end, int lineType) override
    {
        list_.AddArc(centre, start, end, lineType);
    }
    void Bridge(double position, double width) override { list_.AddBridge(position, width); }
    void Text(const die::coord& origin, const die::coord& direction, const die::coord& size, const QString& text,
              int lineType) override
    {
        list_.AddText(origin, direction, size, text, lineType);
    }

private:
    DisplayList& list_;
};

// A point where an equalizing rule meets the layout, with its distance
// from the rule's outer end.
struct RuleCrossing {
    die::coord at;
    double distance = 0.0;
};

// Every instance placement of the layout, or none (null) for a layout
// without instances.
std::vector<const CInstance*> Placements(const BoardLayout& layout)
{
    std::vector<const CInstance*> list;
    for (int i = 0; i < layout.InstanceCount(); ++i)
        list.push_back(&layout.Instance(i));
    if (list.empty())
        list.push_back(nullptr);
    return list;
}

} // namespace

void CWood::AddEqualizingRules(WoodSink& sink, const die::coord& s0, const die::coord& s1,
                               const WoodSideRecord& side, double extent)
{
    const WoodOutline::RuleSeries series = WoodOutline::RuleEnds(s0, s1, side);
    const die::coord& d = series.d;
    const die::coord& n = series.n;
    const die::coord across = n * (extent + 2.0 * side.offset);
    const auto rule = [&](const die::coord& from, const die::coord& to) {
        sink.Line(from, to, WoodLineType::Scrap);
        WoodOutline::AddRuleBridges(sink, die::distance(from, to), options);
    };
    for (const die::coord& p : series.ends) {
        const die::coord q = p - n * kProbeLength;
        if (values_.symmetric) {
            // Through the whole board, stopping wherever it is inside a
            // piece of the layout.
            const die::coord far = p - across;
            const std::vector<die::coord> crossings = CrossingsBefore(p, q, far, n);
            if (!crossings.empty()) {
                const std::size_t count = crossings.size();
                rule(p, crossings.front());
                rule(crossings.back(), far);
                if (count % 2 == 0) {
                    for (std::size_t j = 1; j + 2 < count; j += 2)
                        rule(crossings[j], crossings[j + 1]);
                }
            }
        } else {
            rule(p, NearestEnd(p, q, extent + 10.0, false, kMinDistance));
        }
        const die::coord tickFrom = side.oneSidedTick ? p : p - d * series.tick;
        const die::coord tickTo = p + d * series.tick;
        sink.Line(tickFrom, tickTo, WoodLineType::Scrap);
        if (values_.symmetric)
            sink.Line(tickFrom - across, tickTo - across, WoodLineType::Scrap);
    }
}

std::vector<die::coord> CWood::CrossingsBefore(const die::coord& p, const die::coord& q, const die::coord& far,
                                               const die::coord& n) const
{
    std::vector<RuleCrossing> crossings;
    if (layout_) {
        for (const CInstance* placement : Placements(*layout_)) {
            layout_->CollectCrossings(placement, p, q);
            for (int j = 0; j < layout_->CrossingCount(); ++j) {
                const die::coord c = layout_->Crossing(j);
                const double distance = die::distance(c, p);
                if (distance > kMinDistance && die::dot(c - far, n) > 0.0)
                    crossings.push_back({c, distance});
            }
        }
    }
    std::stable_sort(crossings.begin(), crossings.end(),
                     [](const RuleCrossing& a, const RuleCrossing& b) { return a.distance < b.distance; });
    std::vector<die::coord> points;
    points.reserve(crossings.size());
    for (const RuleCrossing& c : crossings)
        points.push_back(c.at);
    return points;
}

die::coord CWood::NearestEnd(const die::coord& p, const die::coord& q, double limit, bool second,
                             double minDistance) const
{
    die::coord end = p;
    if (!layout_)
        return end;
    double best = kNoEndYet;
    for (const CInstance* placement : Placements(*layout_)) {
        layout_->CollectCrossings(placement, p, q);
        const int j = layout_->FindNearestCrossing(p, limit, second);
        if (j == -1)
            continue;
        const die::coord c = layout_->Crossing(j);
        const double distance = die::distance(c, p);
        if (distance < best && distance > minDistance) {
            end = c;
            best = distance;
        }
    }
    return end;
}

void CWood::RebuildContour()
{
    if (!displayDirty)
        return;
    displayList->Begin(0, 0, 0, ptg);
    ListSink sink(*displayList);
    const WoodBox box = LayoutBox();
    const WoodValues& v = values_;
    const BoardLayout::Probing probing(layout_);
    if (!IsFinite(BoardBox(box))) {
        displayList->End();
        displayDirty = false;
        return;
    }
    const double height = box.maxY - box.minY;
    const double width = box.maxX - box.minX;
    const die::coord topLeft{box.minX, box.maxY};
    const die::coord topRight{box.maxX, box.maxY};
    const die::coord bottomRight{box.maxX, box.minY};
    const die::coord bottomLeft{box.minX, box.minY};
    if (v.sides[WoodValues::SideTop].on)
        AddEqualizingRules(sink, topLeft, topRight, v.sides[WoodValues::SideTop], height);
    if (v.sides[WoodValues::SideRight].on && !v.symmetric)
        AddEqualizingRules(sink, topRight, bottomRight, v.sides[WoodValues::SideRight], width);
    if (v.sides[WoodValues::SideBottom].on && !v.symmetric)
        AddEqualizingRules(sink, bottomRight, bottomLeft, v.sides[WoodValues::SideBottom], height);
    if (v.sides[WoodValues::SideLeft].on)
        AddEqualizingRules(sink, bottomLeft, topLeft, v.sides[WoodValues::SideLeft], width);

    const WoodBox board = BoardBox(box);
    const WoodFrame frame = WoodOutline::MakeFrame(board, FrontEdge(), v);
    const double fillet = UsableFillet(board);
    WoodOutline::AddNotch(sink, frame, v.notchWidth, v.notchDepth);
    WoodOutline::AddSlots(sink, frame, slotRadius_, slotDepth_);
    (void)WoodOutline::AddKnives(sink, frame, v, options, true);
    WoodOutline::AddBoardOutline(sink, frame, fillet, v.gapSpacing, true);
    // The fillet is at most half the shorter side, so the straight parts
    // start on the board rectangle.
    WoodOutline::AddTexts(sink, v, board.minX, board.maxX, board.minY, board.maxY);
    displayList->End();
    displayDirty = false;
}
