// The path of a text figure: each character's glyph path from the figure's
// glyph table, one advance further along the baseline per character.
#include "display/FigurePaths.h"
#include "display/GlyphPathTable.h"

#include <cmath>

namespace FigurePaths {

void BuildTextPath(DisplayFigure& f)
{
    if (f.points.size() < 3 || !f.glyphs)
        return;
    const die::coord origin = f.points[0];
    const die::coord direction = f.points[1];
    const double advance = f.points[2].x;
    const double height = f.points[2].y;
    if (advance == 0.0 || !(height > 0.0))
        return;
    for (qsizetype i = 0; i < f.text.size(); ++i) {
        const GlyphPath glyph = f.glyphs->Lookup(f.text[i].unicode());
        const GlyphPoint* point = glyph.first;
        for (std::int32_t k = 0; k < glyph.count && point; ++k, point = point->next) {
            const double x = (point->x + static_cast<double>(i)) * advance;
            const double y = point->y * height;
            const die::coord p(origin.x + x * direction.x - y * direction.y, origin.y + x * direction.y + y * direction.x);
            const bool startsStroke = point->draw == 0 || f.path.empty();
            const double length = startsStroke ? 0.0 : std::hypot(p.x - f.path.back().x, p.y - f.path.back().y);
            f.path.push_back({p.x, p.y, length});
        }
    }
}

} // namespace FigurePaths
