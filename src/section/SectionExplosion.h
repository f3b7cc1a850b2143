#pragma once
// The elements an explosion asks for, made in a section: every new element
// merges its nodes with the section's; the exploded element is deleted from
// it.
#include "element/ElementExplosion.h"

class Section;

class SectionExplosion : public ExplosionTarget {
public:
    explicit SectionExplosion(Section& section) : section_(section) {}

    CElement* AddLine(const die::coord& start, const die::coord& end) override;
    CElement* AddArc(const die::coord& centre, const die::coord& start, const die::coord& end) override;
    CElement* AddSpline(const std::vector<die::coord>& points) override;
    // An elliptical arc stays an arc: its start and end are the figure's
    // vectors from the centre.
    CElement* AddEllipse(const die::coord& centre, const die::coord& startVector, const die::coord& endVector,
                         const die::coord& radii, double angleDegrees) override;
    CElement* AddText(const ExplodedText& text) override;
    void Remove(CElement& element) override;

private:
    Section& section_;
};
