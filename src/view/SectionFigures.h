#pragma once
// The figures of one section as the painter draws them, side by side in one
// array: elements in table order, each display list's figures in order, with
// the element's selection and instancing, the figure's drawn box and a copy
// of its output records. A full repaint of a big die reads these two arrays
// instead of visiting every element and its list, and skips what lies
// outside the window without touching the element.
//
// The copy is what the elements showed when it was built: the painter
// builds it again whenever the change stamp moves (display/DisplayStamp.h).
#include "display/DisplayList.h"
#include "geometry/BoundingBox.h"

#include <cstdint>
#include <span>
#include <vector>

class Section;

struct SectionFigure {
    BoundingBox drawnBox;
    std::uint32_t first = 0; // the figure's first output record in SectionFigures::nodes
    std::uint32_t count = 0;
    int kind = FigureKind::Line;
    int outputKind = OutputKind::None;
    int lineType = 0;
    bool selected = false;
    bool instanced = true; // drawn in every replica as well
};

class SectionFigures {
public:
    void Build(const Section& section);
    const std::vector<SectionFigure>& Figures() const { return figures_; }
    std::span<const OutputNode> Output(const SectionFigure& figure) const
    {
        return {nodes_.data() + figure.first, figure.count};
    }

private:
    std::vector<SectionFigure> figures_;
    std::vector<OutputNode> nodes_;
};
