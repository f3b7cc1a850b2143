#include "display/GlyphPathTable.h"

#include "geometry/GeomBasics.h"
#include "display/StrokeFont.h"

void GlyphPathTable::BeginGlyph(char16_t code)
{
    current_ = &glyphs_[code];
    *current_ = GlyphPath{};
}

void GlyphPathTable::Append(const die::coord& p, std::uint8_t draw)
{
    GlyphPoint& point = points_.emplace_back();
    point.x = p.x;
    point.y = p.y;
    point.draw = draw;
    if (points_.size() > 1)
        points_[points_.size() - 2].next = &point;
    if (!current_->first)
        current_->first = &point;
    ++current_->count;
}

void GlyphPathTable::AddStroke(const die::coord& from, const die::coord& to)
{
    if (!current_ || !Geom::PointsDiffer(from, to))
        return;
    // Only a stroke of the same glyph is continued, so that every glyph
    // starts with a point of its own.
    const bool continues = current_->count > 0
                           && !Geom::PointsDiffer(from, {points_.back().x, points_.back().y});
    if (!continues)
        Append(from, 0);
    Append(to, 1);
}

GlyphPath GlyphPathTable::Lookup(char16_t code) const
{
    const auto it = glyphs_.find(code);
    return it == glyphs_.end() ? GlyphPath{} : it->second;
}

void BuildGlyphPaths(GlyphPathTable& table)
{
    const double k = 0.16666666666666666; // one sixth: the cell becomes the unit square
    const QStringView charset = StrokeFont::Charset();
    for (int i = 0; i < charset.size() && i < StrokeFont::GlyphCount; ++i) {
        table.BeginGlyph(charset[i].unicode());
        const StrokeFont::Glyph& g = *StrokeFont::GlyphAt(i);
        for (int j = 0; j <= g.last; ++j)
            table.AddStroke({g.x1[j] * k, g.y1[j] * k}, {g.x2[j] * k, g.y2[j] * k});
    }
}
