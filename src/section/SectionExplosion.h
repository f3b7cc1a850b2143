#pragma once
// The elements an explosion asks for, made in a section: lines and arcs merge
// their nodes with the section's; the exploded element is deleted from it.
#include "element/ElementExplosion.h"

class Section;

class SectionExplosion : public ExplosionTarget {
public:
    explicit SectionExplosion(Section& section) : section_(section) {}

    CElement* AddLine(const die::coord& start, const die::coord& end) override;
    CElement* AddArc(const die::coord& centre, const die::coord& start, const die::coord& end) override;
    // The section does not make splines, ellipses and texts from coordinates
    // yet; these figures make nothing until it does.
    CElement* AddSpline(const std::vector<die::coord>&) override { return nullptr; }
    CElement* AddEllipse(const die::coord&, const die::coord&, const die::coord&, const die::coord&,
                         double) override
    {
        return nullptr;
    }
    CElement* AddText(const ExplodedText&) override { return nullptr; }
    void Remove(CElement& element) override;

private:
    Section& section_;
};
