#pragma once
// Breaking an element up into the plain elements it is drawn with: each
// figure of its display list becomes a line, spline, arc, ellipse or text of
// the same section, with the figure's line type and ptg and its bridges as
// bridges by hand tagged 555 (at most BridgeList::MaxCount).
// The exploded element is deleted at the end, also when no figure made an
// element.
//
// The elements are made through an ExplosionTarget; the section module's
// SectionExplosion makes them in a section.
#include "element/Element.h"

#include <QString>

#include <vector>

struct DisplayFigure;

// A text figure as a text element takes it: a figure drawn right to left
// (negative advance) becomes a mirrored text starting at its other end.
struct ExplodedText {
    die::coord origin;
    double height = 0.0;
    double angleDegrees = 0.0;
    QString text;
    double advance = 0.0;
    int mirrored = 0;

    static ExplodedText FromFigure(const DisplayFigure& figure);
};

// Makes the new elements; each returns the element made, or null when none
// was (a zero-length line, coinciding points, a kind the target cannot make).
class ExplosionTarget {
public:
    virtual ~ExplosionTarget() = default;
    virtual CElement* AddLine(const die::coord& start, const die::coord& end) = 0;
    virtual CElement* AddArc(const die::coord& centre, const die::coord& start, const die::coord& end) = 0;
    // All points of the curve in order.
    virtual CElement* AddSpline(const std::vector<die::coord>& points) = 0;
    virtual CElement* AddEllipse(const die::coord& centre, const die::coord& startVector,
                                 const die::coord& endVector, const die::coord& radii, double angleDegrees) = 0;
    // A text in the stroke font with a zero font record.
    virtual CElement* AddText(const ExplodedText& text) = 0;
    // Removes the exploded element.
    virtual void Remove(CElement& element) = 0;
};
