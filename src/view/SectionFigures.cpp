#include "view/SectionFigures.h"

#include "element/Element.h"
#include "section/Section.h"

void SectionFigures::Build(const Section& section)
{
    figures_.clear();
    nodes_.clear();
    for (const CElement* element : section) {
        const bool selected = element->IsSelected();
        const bool instanced = !element->GetNotInstanced();
        for (const DisplayFigure& figure : element->GetDisplayList().Figures()) {
            SectionFigure f;
            f.drawnBox = figure.drawnBox;
            f.first = static_cast<std::uint32_t>(nodes_.size());
            f.count = static_cast<std::uint32_t>(figure.output.size());
            f.kind = figure.kind;
            f.outputKind = figure.outputKind;
            f.lineType = figure.lineType;
            f.selected = selected;
            f.instanced = instanced;
            figures_.push_back(f);
            nodes_.insert(nodes_.end(), figure.output.begin(), figure.output.end());
        }
    }
}
