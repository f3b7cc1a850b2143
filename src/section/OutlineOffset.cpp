#include "section/OutlineOffset.h"

#include "element/Arc.h"
#include "element/ElementNodes.h"
#include "element/ElementTypes.h"
#include "geometry/Angle.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "section/Section.h"

#include <cmath>
#include <vector>

namespace {

// An offset arc of this radius (mm) or less is drawn as a straight line.
constexpr double kVanishingRadius = 0.001;
// Merged chords whose ends lie this close (mm) went all the way round.
constexpr double kFullTurn = 0.003;


} // namespace

OutlineOffset::OutlineOffset(Section& section, OutlineBuilder& builder, int lineType, UndoTransaction& tx)
    : section_(section), builder_(builder), lineType_(lineType), tx_(tx)
{
}

bool OutlineOffset::BuildOutline(int side, double distance, bool resolveCrossings, double filletRadius)
{
    builder_.Contours().Clear();
    if (!builder_.FindContour(1, 2))
        return false;
    builder_.ApplyContour();
    return BuildApplied(side == builder_.ContourKind(), distance, resolveCrossings, filletRadius);
}

bool OutlineOffset::BuildAroundPoint(double x, double y, double distance, bool resolveCrossings,
                                     double filletRadius)
{
    builder_.Contours().Clear();
    if (!builder_.PickContourAt(x, y))
        return false;
    builder_.ApplyContour();
    // The picked contour runs counter-clockwise: its inside is on the left.
    return BuildApplied(distance >= 0.0, std::abs(distance), resolveCrossings, filletRadius);
}

bool OutlineOffset::BuildApplied(bool moveLeft, double distance, bool resolveCrossings, double filletRadius)
{
    MergeArcChords();
    if (builder_.Count() == 0)
        return false;
    OffsetSegments(moveLeft, distance);
    MakeElements();
    TrimCorners();
    UniteNeighbours();
    TrimCorners();
    if (resolveCrossings)
        ResolveCrossings();
    if (filletRadius > 0.0)
        FilletCorners(filletRadius);
    return builder_.Count() > 0;
}

bool OutlineOffset::IsArcSegment(int s) const
{
    const CElement* source = builder_.GetSegment(s).owner;
    return source && source->GetTypeId() == ElementTypeId::Arc;
}

const CInstance* OutlineOffset::Placement(int s) const
{
    return builder_.UsesPlacements() ? &builder_.GetSegment(s).placement : nullptr;
}

die::coord OutlineOffset::Centre(int s) const
{
    const auto& arc = static_cast<const CArc&>(*builder_.GetSegment(s).owner);
    CNodePoint* centre = ElementNodes::NodeOf(section_.GetNodeTable(), arc.GetCenterNode());
    return centre ? ElementNodes::PositionIn(*centre, Placement(s)) : die::coord{};
}

double OutlineOffset::Radius(int s) const
{
    const auto& arc = static_cast<const CArc&>(*builder_.GetSegment(s).owner);
    return die::distance(section_.Point(arc.GetCenterNode()), section_.Point(arc.GetStartNode()));
}

CElement* OutlineOffset::Made(int s) const
{
    return section_.GetElement(builder_.GetSegment(s).newElement);
}

void OutlineOffset::Adopt(CElement* element) const
{
    if (element && builder_.UsesPlacements())
        element->SetNotInstanced(1);
}

void OutlineOffset::MergeArcChords()
{
    // The chords merged into the one before them go all at once at the end;
    // until then each run of them simply lies between i and the next j.
    const int count = builder_.Count();
    std::vector<char> merged(static_cast<std::size_t>(count), 0);
    for (int i = 0, j = 1; j < count; i = j, j = i + 1) {
        if (!IsArcSegment(i) || !IsArcSegment(j))
            continue;
        const die::coord centre = Centre(i);
        double length = die::distance(Seg(i).from, Seg(i).to);
        // The following chords of the same arc under the same placement.
        while (j < count && Seg(j).sourceSlot == Seg(i).sourceSlot && IsArcSegment(j)
               && die::distance(Centre(j), centre) < kFullTurn) {
            length += die::distance(Seg(j).from, Seg(j).to);
            Seg(i).to = Seg(j).to;
            merged[static_cast<std::size_t>(j)] = 1;
            ++j;
        }
        Segment& s = Seg(i);
        // A whole circle keeps the way its chords were walked (a reversed
        // chord runs counter-clockwise); its two ends tell nothing.
        if (die::distance(s.from, s.to) < kFullTurn)
            continue;
        const double r = Radius(i);
        const double sweep = Angle::Normalize(Geom::VectorAngle(s.from.y - centre.y, s.from.x - centre.x)
                                              - Geom::VectorAngle(s.to.y - centre.y, s.to.x - centre.x));
        s.directionFlag = std::abs((Geom::kTwoPi - sweep) * r - length) < std::abs(sweep * r - length);
    }
    builder_.RemoveSegmentsAndLinks(merged);
}

void OutlineOffset::OffsetSegments(bool moveLeft, double distance)
{
    for (int i = 0; i < builder_.Count(); ++i) {
        Segment& s = Seg(i);
        if (IsArcSegment(i)) {
            const die::coord c = Centre(i);
            const double m = die::distance(s.from, c);
            // Going clockwise round the centre, the left side is outside.
            const bool outward = moveLeft != s.directionFlag;
            const double n = outward ? m + distance : m - distance;
            s.collapsed = n <= kVanishingRadius;
            const auto onRay = [&](const die::coord& p) {
                const double a = Geom::VectorAngle(p.y - c.y, p.x - c.x);
                return c + die::coord{std::cos(a), std::sin(a)} * n;
            };
            s.from = onRay(s.from);
            s.to = onRay(s.to);
            continue;
        }
        // Along the unit normal, so that sides along the axes move exactly.
        const die::coord along = s.to - s.from;
        const double length = die::distance(s.from, s.to);
        if (length == 0.0)
            continue;
        const die::coord left{-along.y / length, along.x / length};
        const die::coord shift = left * (moveLeft ? distance : -distance);
        s.from = s.from + shift;
        s.to = s.to + shift;
    }
}

void OutlineOffset::MakeElements()
{
    for (int i = 0; i < builder_.Count(); ++i) {
        Segment& s = Seg(i);
        ElementIterator made = section_.end();
        if (s.collapsed || !IsArcSegment(i)) {
            made = section_.AddLine3(s.from.x, s.from.y, s.to.x, s.to.y, false, lineType_);
        } else {
            const die::coord c = Centre(i);
            // Arcs run clockwise from their start.
            const die::coord& first = s.directionFlag ? s.to : s.from;
            const die::coord& last = s.directionFlag ? s.from : s.to;
            made = section_.AddArc3(c.x, c.y, first.x, first.y, last.x, last.y, false, lineType_);
        }
        s.newElement = made.GetIndex();
        Adopt(made.AtEnd() ? nullptr : made.Get());
    }
    for (int i = builder_.Count() - 1; i >= 0; --i) {
        if (Seg(i).newElement < 0)
            builder_.RemoveSegment(i);
    }
}
