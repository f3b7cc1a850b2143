#include "display/StrokeFont.h"

#include <array>
#include <iterator>

namespace StrokeFont {

namespace {

// The font's characters, in the order of its glyph table.
constexpr char16_t kCharset[] = u"abcdefghijklmnopqrstuvwxyz"
                                u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                u"1234567890"
                                u"!@#$%^&*()_+-=[]{}\\|;:'\",./<>?"
                                u"\u00C4\u00D6\u00DC\u00E4\u00F6\u00FC\u00DF\u00B0";
static_assert(std::size(kCharset) - 1 == 100);

// A glyph is written as polylines of grid points "xy" (a descender's point
// "x-y"), blank-separated; a comma starts a new polyline. Each pair of neighbouring points is a stroke,
// in the order written. "36 36" is a stroke of zero length.
struct GlyphSource {
    char16_t character;
    const char* strokes;
};

// clang-format off
constexpr GlyphSource kSources[GlyphCount] = {
    {u'a', "10 01 03 14 34 31 20 10, 31 40"},
    {u'b', "06 00 30 41 43 34 04"},
    {u'c', "44 14 03 01 10 40"},
    {u'd', "46 40 10 01 03 14 44"},
    {u'e', "02 42 43 34 14 03 01 10 40"},
    {u'f', "46 26 15 10, 04 34"},
    {u'g', "40 10 01 03 14 44 4-1 3-2 1-2 0-1"},
    {u'h', "06 00, 03 14 34 43 40"},
    {u'i', "14 24 20, 25 26"},
    {u'j', "24 34 3-1 2-2 1-2 0-1, 36 36"},
    {u'k', "06 00, 34 01, 12 30"},
    {u'l', "16 26 21 30"},
    {u'm', "00 04, 03 14 23 20, 23 34 43 40"},
    {u'n', "00 04, 03 14 34 43 40"},
    {u'o', "10 01 03 14 34 43 41 30 10"},
    {u'p', "0-2 04 34 43 41 30 00"},
    {u'q', "4-2 44 14 03 01 10 40"},
    {u'r', "00 04, 03 14 34 43"},
    {u's', "44 14 03 12 32 41 30 00"},
    {u't', "15 11 20 30 41, 04 34"},
    {u'u', "04 01 10 30 41, 44 40"},
    {u'v', "04 20 44"},
    {u'w', "04 10 23 30 44"},
    {u'x', "04 40, 00 44"},
    {u'y', "04 21, 44 0-2"},
    {u'z', "04 44 00 40"},

    {u'A', "00 05 16 36 45 40, 03 43"},
    {u'B', "00 06 36 45 44 33 03, 33 42 41 30 00"},
    {u'C', "45 36 16 05 01 10 30 41"},
    {u'D', "00 06 36 45 41 30 00"},
    {u'E', "46 06 00 40, 03 33"},
    {u'F', "46 06 00, 03 33"},
    {u'G', "45 36 16 05 01 10 30 41 43 23"},
    {u'H', "06 00, 46 40, 03 43"},
    {u'I', "16 36, 26 20, 10 30"},
    {u'J', "26 46 41 30 10 01 02"},
    {u'K', "06 00, 46 02, 13 40"},
    {u'L', "06 00 40"},
    {u'M', "00 06 23 46 40"},
    {u'N', "00 06 40 46"},
    {u'O', "10 01 05 16 36 45 41 30 10"},
    {u'P', "00 06 36 45 44 33 03"},
    {u'Q', "10 01 05 16 36 45 41 30 10, 22 40"},
    {u'R', "00 06 36 45 44 33 03, 23 40"},
    {u'S', "45 36 16 05 04 13 33 42 41 30 10 01"},
    {u'T', "06 46, 26 20"},
    {u'U', "06 01 10 30 41 46"},
    {u'V', "06 20 46"},
    {u'W', "06 10 24 30 46"},
    {u'X', "06 40, 00 46"},
    {u'Y', "06 23 46, 23 20"},
    {u'Z', "06 46 00 40"},

    {u'1', "15 26 20"},
    {u'2', "05 16 36 45 44 00 40"},
    {u'3', "05 16 36 45 44 33 13, 33 42 41 30 10 01"},
    {u'4', "30 36 02 42"},
    {u'5', "46 06 03 33 42 41 30 10 01"},
    {u'6', "45 36 16 05 01 10 30 41 42 33 03"},
    {u'7', "06 46 10"},
    {u'8', "13 04 05 16 36 45 44 33 13 02 01 10 30 41 42 33"},
    {u'9', "01 10 30 41 45 36 16 05 04 13 43"},
    {u'0', "10 01 05 16 36 45 41 30 10, 01 45"},

    {u'!', "26 22, 21 20"},
    {u'@', "32 12 14 34 31 41 45 36 16 05 01 10 40"},
    {u'#', "11 15, 31 35, 02 42, 44 04"},
    {u'$', "44 35 15 04 13 33 42 31 11 02, 26 20"},
    {u'%', "00 46, 06 16 14 04 06, 32 42 40 30 32"},
    {u'^', "04 26 44"},
    {u'&', "40 04 05 16 25 24 02 01 10 20 42"},
    {u'*', "25 21, 04 42, 02 44"},
    {u'(', "36 14 12 30"},
    {u')', "16 34 32 10"},
    {u'_', "00 40"},
    {u'+', "25 21, 03 43"},
    {u'-', "03 43"},
    {u'=', "02 42, 04 44"},
    {u'[', "36 16 10 30"},
    {u']', "16 36 30 10"},
    {u'{', "36 25 24 13 22 21 30"},
    {u'}', "16 25 24 33 22 21 10"},
    {u'\\', "06 40"},
    {u'|', "26 20"},
    {u';', "24 23, 22 21 10"},
    {u':', "24 23, 21 20"},
    {u'\'', "26 24"},
    {u'"', "16 14, 36 34"},
    {u',', "22 21 10"},
    {u'.', "21 20"},
    {u'/', "00 46"},
    {u'<', "45 03 41"},
    {u'>', "05 43 01"},
    {u'?', "05 16 36 45 44 23 22, 21 20"},

    {u'\u00C4', "00 04 15 35 44 40, 02 42, 16 17, 36 37"},          // Ä
    {u'\u00D6', "10 01 04 15 35 44 41 30 10, 16 17, 36 37"},       // Ö
    {u'\u00DC', "05 01 10 30 41 45, 16 17, 36 37"},                 // Ü
    {u'\u00E4', "10 01 03 14 34 31 20 10, 31 40, 15 16, 35 36"},   // ä
    {u'\u00F6', "10 01 03 14 34 43 41 30 10, 15 16, 35 36"},       // ö
    {u'\u00FC', "04 01 10 30 41, 44 40, 15 16, 35 36"},            // ü
    {u'\u00DF', "00 05 16 36 45 44 23 42 41 30 20"},               // ß
    {u'\u00B0', "16 26 35 24 14 05 16, 00 00"},                    // °
};
// clang-format on

// Reading a source that breaks the grid or the record's limits throws, which
// stops the build: the table below is computed by the compiler.
constexpr Glyph parse(const char* s)
{
    Glyph g;
    bool open = false;
    int px = 0, py = 0;
    while (*s) {
        if (*s == ' ') {
            ++s;
            continue;
        }
        if (*s == ',') {
            open = false;
            ++s;
            continue;
        }
        const int x = s[0] - '0';
        const bool below = s[1] == '-';
        const int y = below ? '0' - s[2] : s[1] - '0';
        if (x < 0 || x > 4 || y < MinY || y > MaxY)
            throw "glyph point outside the grid";
        s += below ? 3 : 2;
        if (open) {
            if (++g.last >= MaxUsedStrokes)
                throw "too many strokes in a glyph";
            g.x1[g.last] = px;
            g.y1[g.last] = py;
            g.x2[g.last] = x;
            g.y2[g.last] = y;
        }
        px = x;
        py = y;
        open = true;
    }
    return g;
}

constexpr std::array<Glyph, GlyphCount> buildTable()
{
    std::array<Glyph, GlyphCount> table{};
    for (int i = 0; i < GlyphCount; ++i)
        table[static_cast<size_t>(i)] = parse(kSources[i].strokes);
    return table;
}

constexpr std::array<Glyph, GlyphCount> kGlyphs = buildTable();

static_assert(kGlyphs[0].last == 7 && kGlyphs[26].last == 5 && kGlyphs[52].last == 1);

} // namespace

QStringView Charset()
{
    return QStringView(kCharset, std::size(kCharset) - 1);
}

const Glyph* GlyphAt(int index)
{
    return index >= 0 && index < GlyphCount ? &kGlyphs[static_cast<size_t>(index)] : nullptr;
}

int IndexOf(QChar c)
{
    const QStringView charset = Charset();
    return charset.isEmpty() ? -1 : static_cast<int>(charset.indexOf(c));
}

QString DrawnCharacters()
{
    QString result;
    for (const GlyphSource& source : kSources)
        result += QChar(source.character);
    return result;
}

} // namespace StrokeFont
