#include "section/SectionExplosion.h"

#include "element/Text.h"
#include "section/Section.h"

#include <cmath>
#include <numbers>

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

CElement* SectionExplosion::AddSpline(const std::vector<die::coord>& points)
{
    if (points.size() < 3)
        return nullptr;
    const ElementIterator it = section_.AddSpline1(points[0].x, points[0].y, points[1].x, points[1].y, points[2].x,
                                                   points[2].y, true, kLineTypeFromFigure);
    if (!it.NotEqual(section_.end()))
        return nullptr;
    for (std::size_t i = 3; i < points.size(); ++i)
        (void)section_.ContinueSpline(points[i].x, points[i].y, it, kLineTypeFromFigure); // a repeated point adds nothing
    return it.Get();
}

CElement* SectionExplosion::AddEllipse(const die::coord& centre, const die::coord& startVector,
                                       const die::coord& endVector, const die::coord& radii, double angleDegrees)
{
    if (radii.x == 0.0 || radii.y == 0.0)
        return nullptr;
    const double theta = angleDegrees * std::numbers::pi / 180.0;
    const double phi = theta + std::numbers::pi / 2.0;
    const die::coord major(centre.x + radii.x * std::cos(theta), centre.y + radii.x * std::sin(theta));
    const die::coord minor(centre.x + radii.y * std::cos(phi), centre.y + radii.y * std::sin(phi));
    const die::coord start(centre.x + startVector.x, centre.y + startVector.y);
    const die::coord end(centre.x + endVector.x, centre.y + endVector.y);
    return Made(section_, section_.AddEllipse4(centre.x, centre.y, start.x, start.y, end.x, end.y, major.x, major.y,
                                               minor.x, minor.y, true, kLineTypeFromFigure));
}

CElement* SectionExplosion::AddText(const ExplodedText& text)
{
    return Made(section_, section_.AddText2(text.origin.x, text.origin.y, text.height, text.angleDegrees,
                                            text.advance, text.text, platform::LogFont{}, text.mirrored,
                                            TextFontKind::StrokeFont, kLineTypeFromFigure));
}

void SectionExplosion::Remove(CElement& element)
{
    section_.DeleteElement(&element);
}
