#include "exchange/oldn/OldnReader.h"

#include "element/Bridge.h"
#include "platform/CFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace oldn {
namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

// Fields past this many carry nothing a record uses.
constexpr int kMaxFields = 30;

enum class Record { Ignored, Open, Placement, Line, Arc, Text, Close, None };

Record RecordOf(QStringView line)
{
    if (line.size() < 2 || line[1] != u']')
        return Record::None;
    switch (line[0].unicode()) {
    case u'D':
    case u'U':
    case u'F':
    case u'E':
        return Record::Ignored;
    case u'S': return Record::Open;
    case u'I': return Record::Placement;
    case u'L': return Record::Line;
    case u'A': return Record::Arc;
    case u'T': return Record::Text;
    case u'*': return Record::Close;
    default: return Record::None;
    }
}

bool IsFieldEnd(QChar c)
{
    return c == u']' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

// A record's fields as numbers, 0 where a field is empty, missing or not a
// number (field 0 is the key's letter).
struct Fields {
    std::array<double, kMaxFields> value{};

    explicit Fields(QStringView line)
    {
        qsizetype start = 0;
        for (int k = 0; k < kMaxFields && start <= line.size(); ++k) {
            qsizetype end = start;
            while (end < line.size() && !IsFieldEnd(line[end]))
                ++end;
            value[static_cast<size_t>(k)] = platform::wtof(line.sliced(start, end - start));
            start = end + 1;
        }
    }
    double operator[](int k) const { return value[static_cast<size_t>(k)]; }
};

// The whole part of a field within [low, high]; false for a value outside.
bool WholeIn(double v, double low, double high, std::int32_t& out)
{
    if (!(v >= low && v <= high))
        return false;
    out = static_cast<std::int32_t>(std::trunc(v));
    return true;
}

constexpr double kInt32Low = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32High = std::numeric_limits<std::int32_t>::max();

// A text line as the layout allows it: tab, escape, printable ASCII, the
// degree sign and the German umlauts and sharp s (the line holds bytes as
// Latin-1 characters).
bool IsTextCharacter(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u'\t' || u == 27 || (u >= 32 && u <= 126))
        return true;
    switch (u) {
    case 0xB0:
    case 0xC4:
    case 0xD6:
    case 0xDC:
    case 0xDF:
    case 0xE4:
    case 0xF6:
    case 0xFC:
        return true;
    default:
        return false;
    }
}

struct Placement {
    double x = 0.0;
    double y = 0.0;
    double angle = 0.0; // degrees
    double scaleX = 1.0;
    double scaleY = 1.0;
};

// One combination of placements: sums and products over the levels.
struct Transform {
    double x = 0.0;
    double y = 0.0;
    double cosine = 1.0;
    double sine = 0.0;
    double scaleX = 1.0;
    double scaleY = 1.0;

    die::coord Place(double u, double v) const
    {
        const double su = u * scaleX;
        const double sv = v * scaleY;
        return {su * cosine - sv * sine + x, su * sine + sv * cosine + y};
    }
    // -1, 0 or 1: the sign of the product of the scales.
    int Handedness() const
    {
        const auto sign = [](double s) { return s > 0.0 ? 1 : (s < 0.0 ? -1 : 0); };
        return sign(scaleX) * sign(scaleY);
    }
};

class Levels {
public:
    Levels() { Reset(); }

    void Reset()
    {
        for (Level& level : levels_) {
            level.placements[0] = Placement();
            level.count = 1;
        }
        open_ = 0;
    }

    [[nodiscard]] bool Open()
    {
        if (open_ == 0)
            Reset();
        if (open_ >= kMaxLevel)
            return false;
        ++open_;
        next_ = 0;
        return true;
    }

    void Close()
    {
        Level& level = levels_[static_cast<size_t>(open_)];
        level.placements[0] = Placement();
        level.count = 1;
        if (open_ > 0)
            --open_;
    }

    [[nodiscard]] bool Add(const Placement& placement)
    {
        if (next_ >= kMaxPlacements)
            return false;
        Level& level = levels_[static_cast<size_t>(open_)];
        // Places skipped since the level was last reset stand in place.
        for (int k = level.count; k < next_; ++k)
            level.placements[static_cast<size_t>(k)] = Placement();
        level.placements[static_cast<size_t>(next_)] = placement;
        level.count = next_ + 1;
        ++next_;
        return true;
    }

    // How many combinations a figure stands in, counted up to `limit` + 1.
    std::int64_t Combinations(std::int64_t limit) const
    {
        std::int64_t n = 1;
        for (const Level& level : levels_) {
            n *= level.count;
            if (n > limit)
                return limit + 1;
        }
        return n;
    }

    // Calls f(transform) for every combination, level 0 outermost.
    template <typename F>
    void ForEach(F&& f) const
    {
        std::array<int, kMaxLevel + 1> index{};
        for (;;) {
            double x = 0.0, y = 0.0, angle = 0.0, sx = 1.0, sy = 1.0;
            for (size_t k = 0; k < levels_.size(); ++k) {
                const Placement& p = levels_[k].placements[static_cast<size_t>(index[k])];
                x += p.x;
                y += p.y;
                angle += p.angle;
                sx *= p.scaleX;
                sy *= p.scaleY;
            }
            const double t = angle / kDegreesPerRadian;
            f(Transform{x, y, std::cos(t), std::sin(t), sx, sy});
            // The innermost level turns fastest.
            size_t k = levels_.size();
            while (k-- > 0) {
                if (++index[k] < levels_[k].count)
                    break;
                index[k] = 0;
            }
            if (k == static_cast<size_t>(-1))
                return;
        }
    }

private:
    struct Level {
        std::array<Placement, kMaxPlacements> placements{};
        int count = 1;
    };
    std::array<Level, kMaxLevel + 1> levels_{};
    int open_ = 0;
    int next_ = 0; // where the next placement goes in the open level
};

// The lines of the file as Latin-1 text, each cut at its first NUL (the
// record ends there); only line feeds end a line.
std::vector<QStringView> LinesOf(const QString& text)
{
    std::vector<QStringView> lines;
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf(u'\n', start);
        if (end < 0)
            end = all.size();
        QStringView line = all.sliced(start, end - start);
        if (const qsizetype nul = line.indexOf(QChar(0)); nul >= 0)
            line = line.first(nul);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The text of a text record's line: up to the first CR or LF, without the
// closing ']'; false when a character is not one the layout allows.
bool TextOf(QStringView line, QString& text)
{
    qsizetype end = 0;
    while (end < line.size() && line[end] != u'\r' && line[end] != u'\n')
        ++end;
    QStringView body = line.first(end);
    for (QChar c : body) {
        if (!IsTextCharacter(c))
            return false;
    }
    if (body.endsWith(u']'))
        body.chop(1);
    text = body.toString();
    return true;
}

} // namespace

namespace {

// Far beyond the limit, and far from overflowing when a level's count of
// placements multiplies it.
constexpr std::int64_t kCountCap = std::int64_t(1) << 50;

// One pass over the records. Without `drawing` it only counts into `placed`
// the figures the file places (up to kCountCap); with it, it places them.
// The reason of a refusal, with the line it stopped at in `i`.
void Pass(const std::vector<QStringView>& lines, Drawing* drawing, std::int64_t& placed, bool& anyRecord,
          QString& reason, size_t& i)
{
    Levels levels;
    anyRecord = false;
    placed = 0;
    i = 0;
    for (; i < lines.size() && reason.isEmpty(); ++i) {
        const QStringView line = lines[i];
        const Record record = RecordOf(line);
        if (record == Record::None)
            continue;
        anyRecord = true;
        if (record == Record::Ignored)
            continue;
        const Fields f(line);
        switch (record) {
        case Record::Open:
            if (!levels.Open())
                reason = QStringLiteral("blocks are nested deeper than %1 levels").arg(kMaxLevel);
            break;
        case Record::Close:
            levels.Close();
            break;
        case Record::Placement:
            if (!levels.Add({f[2], f[3], f[4], f[5], f[6]}))
                reason = QStringLiteral("a block has more than %1 placements").arg(kMaxPlacements);
            break;
        case Record::Line:
        case Record::Arc:
        case Record::Text: {
            Figure figure;
            if (record == Record::Text) {
                figure.kind = FigureKind::Text;
                if (!WholeIn(f[7], kInt32Low, kInt32High, figure.lineType)) {
                    reason = QStringLiteral("the line type is out of range");
                    break;
                }
                if (i + 1 >= lines.size()) {
                    reason = QStringLiteral("a text record without its text");
                    break;
                }
                ++i;
                if (!TextOf(lines[i], figure.text))
                    break; // a character the layout does not allow: the text is left out
                figure.advance = f[2];
                figure.height = f[3];
            } else {
                figure.kind = record == Record::Line ? FigureKind::Line : FigureKind::Arc;
                if (!WholeIn(f[6], kInt32Low, kInt32High, figure.lineType)) {
                    reason = QStringLiteral("the line type is out of range");
                    break;
                }
                if (!WholeIn(f[8], 0, BridgeList::MaxCount, figure.bridgeCount)) {
                    reason = QStringLiteral("a bridge count must lie between 0 and %1").arg(BridgeList::MaxCount);
                    break;
                }
                figure.ptg = f[7];
                figure.bridgeWidth = f[9];
            }
            if (!drawing) {
                placed = std::min(kCountCap, placed + levels.Combinations(kCountCap));
                break;
            }
            const std::int64_t copies = levels.Combinations(kMaxFigures - placed);
            if (copies > kMaxFigures - placed) {
                reason = QStringLiteral("more than %1 figures once every placement is counted").arg(kMaxFigures);
                break;
            }
            placed += copies;
            levels.ForEach([&](const Transform& t) {
                Figure placedFigure = figure;
                if (record == Record::Line) {
                    placedFigure.start = t.Place(f[2], f[3]);
                    placedFigure.end = t.Place(f[4], f[5]);
                } else if (record == Record::Arc) {
                    // A positive radius runs counter-clockwise from the
                    // first point to the second; a mirroring placement
                    // turns the sense round.
                    placedFigure.centre = t.Place(f[12], f[13]);
                    const bool clockwiseFromFirst = f[14] * t.Handedness() < 0.0;
                    const die::coord first = t.Place(f[2], f[3]);
                    const die::coord second = t.Place(f[4], f[5]);
                    placedFigure.start = clockwiseFromFirst ? first : second;
                    placedFigure.end = clockwiseFromFirst ? second : first;
                } else {
                    placedFigure.start = t.Place(f[8], f[9]);
                }
                drawing->figures.push_back(std::move(placedFigure));
            });
            break;
        }
        case Record::Ignored:
        case Record::None:
            break;
        }
    }
}

} // namespace

bool OldnReader::Read(QByteArrayView bytes, Drawing& drawing, QString* error)
{
    drawing = Drawing();
    const QString text = QString::fromLatin1(bytes.data(), bytes.size());
    const std::vector<QStringView> lines = LinesOf(text);
    bool anyRecord = false;
    std::int64_t placed = 0;
    QString reason;
    size_t i = 0;
    // Counted first: a file that would place more than a drawing may take
    // is refused before a figure is made, with the number it would make.
    Pass(lines, nullptr, placed, anyRecord, reason, i);
    if (reason.isEmpty() && placed > kMaxFigures) {
        const QString number = placed >= kCountCap ? QStringLiteral("more than %1").arg(kCountCap)
                                                   : QString::number(placed);
        reason = QStringLiteral("more than %1 figures once every placement is counted: the file would place %2")
                     .arg(kMaxFigures)
                     .arg(number);
        if (error)
            *error = reason;
        return false;
    }
    if (reason.isEmpty()) {
        drawing.figures.reserve(static_cast<size_t>(placed));
        Pass(lines, &drawing, placed, anyRecord, reason, i);
    }
    if (reason.isEmpty() && !anyRecord)
        reason = QStringLiteral("the file holds no record of the older text layout");
    if (!reason.isEmpty()) {
        if (error) {
            *error = anyRecord ? QStringLiteral("line %1: %2").arg(i).arg(reason) : reason;
        }
        drawing = Drawing();
        return false;
    }
    return true;
}

} // namespace oldn
