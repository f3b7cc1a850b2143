#pragma once
// What a DXF import makes in a section: rules, arcs, ellipses, splines and
// texts through the section's coordinate-based creations, each point snapped
// to the micrometre the node table keeps, merged with the nodes there are.
// The file gives no bridges, so its rules get none.
//
// In bulk (the import's way) the elements are made without bridges from the
// start; one at a time, each is made as an interactive creation makes it,
// bridges by rule, and then set to none. Both give the same elements and
// nodes; the second is kept as the reference the first is checked against.
#include "exchange/dxf/DxfSink.h"
#include "platform/DrawingObjects.h"

class DxfReader;
class ElementIterator;
class Section;

class DxfSectionSink : public DxfSink {
public:
    DxfSectionSink(Section& section, const DxfReader& reader, bool bulk = true);

    // What the section refuses (a line of no length) adds nothing; a figure
    // with a value no drawing can hold is counted in `refused`.
    void AddLine(const die::coord& from, const die::coord& to, int lineType) override;
    void AddArc(const die::coord& centre, const die::coord& start, const die::coord& end, int lineType) override;
    void AddEllipse(const die::coord& centre, const die::coord& majorEnd, const die::coord& minorEnd,
                    const die::coord& start, const die::coord& end, int lineType) override;
    void AddText(const die::coord& at, double height, double angle, double advance, const QString& text,
                 int lineType) override;
    void AddSpline(const std::vector<die::coord>& points, int lineType) override;

    int refused = 0;

private:
    bool Accept(std::initializer_list<die::coord> points);
    // The element made (or the end) after its creation: in the one-at-a-time
    // way its bridges by rule go.
    void Made(const ElementIterator& made);

    Section& section_;
    const DxfReader& reader_;
    bool bulk_;
    platform::LogFont font_;
};
