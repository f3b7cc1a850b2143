#include "section/SectionExplosion.h"

#include "section/Section.h"

namespace {
// The explosion sets each new element's line type from its figure, so the
// creators are given none of their own.
constexpr int kLineTypeFromFigure = 0;

CElement* Made(const Section& section, const ElementIterator& it)
{
    return it.NotEqual(section.end()) ? it.Get() : nullptr;
}
} // namespace

CElement* SectionExplosion::AddLine(const die::coord& start, const die::coord& end)
{
    return Made(section_, section_.AddLine3(start.x, start.y, end.x, end.y, true, kLineTypeFromFigure));
}

CElement* SectionExplosion::AddArc(const die::coord& centre, const die::coord& start, const die::coord& end)
{
    return Made(section_,
                section_.AddArc3(centre.x, centre.y, start.x, start.y, end.x, end.y, true, kLineTypeFromFigure));
}

void SectionExplosion::Remove(CElement& element)
{
    section_.DeleteElement(&element);
}
