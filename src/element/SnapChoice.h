#pragma once
// Choosing a snap point among candidates: the first one offered is taken,
// a later one only when it lies strictly nearer to the pick point.
#include "element/Element.h"

class SnapChoice {
public:
    SnapChoice(double x, double y) : pick_{x, y} {}

    void Offer(int kind, const die::coord& p);
    bool Found() const { return found_; }
    // Stores the choice in the record (kind, point, marker code); returns 1
    // when there was one, else 0 and the record is untouched.
    int StoreIn(SnapRecord* out) const;

private:
    die::coord pick_;
    bool found_ = false;
    int kind_ = 0;
    die::coord point_;
    double distance_ = 0.0;
};
