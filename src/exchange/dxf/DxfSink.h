#pragma once
// What a DXF block becomes when it is inserted: rules and texts in drawing
// millimetres, each with the line type its layer gives. The document passes
// an implementation that adds them to a section; tests and the fuzz target
// record or count them.
#include "geometry/Coord.h"

#include <QString>

#include <vector>

class DxfSink {
public:
    // The line type of a text that takes the system's current one.
    static constexpr int kCurrentLineType = -1;

    virtual ~DxfSink() = default;
    // A straight rule from a to b.
    virtual void AddLine(const die::coord& a, const die::coord& b, int lineType) = 0;
    // An arc about centre running clockwise from start to end; the whole
    // circle when end equals start.
    virtual void AddArc(const die::coord& centre, const die::coord& start, const die::coord& end, int lineType) = 0;
    // An elliptic arc about centre with its semi-axis ends at major and
    // minor, clockwise from start to end (both on it); the whole ellipse
    // when end equals start. A circle under unequal scales becomes one.
    virtual void AddEllipse(const die::coord& centre, const die::coord& major, const die::coord& minor,
                            const die::coord& start, const die::coord& end, int lineType) = 0;
    // A text at `at` of that height, running in the angle's direction
    // (degrees), each character `advance` wide.
    virtual void AddText(const die::coord& at, double height, double angle, double advance, const QString& text,
                         int lineType) = 0;
    // A spline through the points in order (a closed one ends where it
    // began). A sink without splines takes the chords between them.
    virtual void AddSpline(const std::vector<die::coord>& points, int lineType)
    {
        for (size_t i = 1; i < points.size(); ++i)
            AddLine(points[i - 1], points[i], lineType);
    }
};
