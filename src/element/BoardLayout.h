#pragma once
// What a die board needs of the section whose layout it frames: the
// section's elements and instance placements, and the crossing set that
// probes the layout with a straight segment. The section implements it
// (section/SectionBoardLayout.h) and hands it to the board when the board
// enters one of its slots.
#include "geometry/Coord.h"

#include <functional>

class CElement;
class CInstance;

class BoardLayout {
public:
    // Probing for the length of a scope.
    class Probing {
    public:
        explicit Probing(BoardLayout* layout) : layout_(layout)
        {
            if (layout_)
                layout_->BeginProbing();
        }
        ~Probing()
        {
            if (layout_)
                layout_->EndProbing();
        }
        Probing(const Probing&) = delete;
        Probing& operator=(const Probing&) = delete;

    private:
        BoardLayout* layout_;
    };

public:
    virtual ~BoardLayout() = default;

    // Every element of the section in slot order, die boards included.
    virtual void ForEachElement(const std::function<void(CElement&)>& fn) const = 0;
    virtual int InstanceCount() const = 0;
    virtual const CInstance& Instance(int i) const = 0;

    // Between these the layout does not change: the crossing set may keep
    // what it gathered for each placement.
    virtual void BeginProbing() {}
    virtual void EndProbing() {}
    // Replaces the crossing set by the points where the segment p–q crosses
    // the section's lines, arcs and elliptical arcs of line type 1, node
    // positions taken under the placement (null: none).
    virtual void CollectCrossings(const CInstance* placement, const die::coord& p, const die::coord& q) = 0;
    // The index of the collected point nearest to `at` and closer than the
    // limit, or −1; with second, the second nearest within the limit when
    // there is one (else the nearest).
    virtual int FindNearestCrossing(const die::coord& at, double limit, bool second) const = 0;
    virtual int CrossingCount() const = 0;
    virtual die::coord Crossing(int i) const = 0;
};
