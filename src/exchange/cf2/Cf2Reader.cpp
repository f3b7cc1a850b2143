#include "exchange/cf2/Cf2Reader.h"

#include "element/Bridge.h"
#include "geometry/Angle.h"
#include "geometry/GeomBasics.h"
#include "platform/CFormat.h"
#include "platform/TextFile.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace cf2 {
namespace {

enum class Record { Placement, Sub, End, Line, Arc, Text, Millimetres, Inches, Other };

struct Keyword {
    QLatin1StringView text;
    Record record;
};
constexpr std::array<Keyword, 8> kKeywords = {{
    {QLatin1StringView("C,"), Record::Placement},
    {QLatin1StringView("SUB,"), Record::Sub},
    {QLatin1StringView("END,"), Record::End},
    {QLatin1StringView("L,"), Record::Line},
    {QLatin1StringView("A,"), Record::Arc},
    {QLatin1StringView("T,"), Record::Text},
    {QLatin1StringView("UM"), Record::Millimetres},
    {QLatin1StringView("UI"), Record::Inches},
}};

// Fields past this many carry nothing a record uses.
constexpr int kMaxFields = 30;

Record RecordOf(QStringView line)
{
    for (const Keyword& k : kKeywords) {
        if (line.startsWith(k.text))
            return k.record;
    }
    return Record::Other;
}

bool IsFieldEnd(QChar c)
{
    return c == u',' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\t';
}

// A record's fields as numbers (field 0 is the keyword), 0 where a field is
// empty or not a number, and the text of field 1, which names sub-blocks.
struct Fields {
    std::array<double, kMaxFields> value{};
    QStringView name;

    explicit Fields(QStringView line)
    {
        qsizetype start = 0;
        for (int k = 0; k < kMaxFields && start <= line.size(); ++k) {
            qsizetype end = start;
            while (end < line.size() && !IsFieldEnd(line[end]))
                ++end;
            const QStringView field = line.sliced(start, end - start);
            value[static_cast<size_t>(k)] = platform::wtof(field);
            if (k == 1)
                name = field;
            start = end + 1;
        }
    }
    double operator[](int k) const { return value[static_cast<size_t>(k)]; }
};

// The whole part of a field within [low, high]; false for a value outside.
bool WholeIn(double v, double low, double high, int32_t& out)
{
    if (!(v >= low && v <= high))
        return false;
    out = static_cast<int32_t>(std::trunc(v));
    return true;
}

constexpr double kInt32Low = std::numeric_limits<int32_t>::min();
constexpr double kInt32High = std::numeric_limits<int32_t>::max();

// The attributes fields 1 to 3 give, and the bridges from the two fields
// at bridgeField; false, with the reason, for a value out of range.
bool AttributesOf(const Fields& f, int bridgeField, ImportAttributes& a, QString& reason)
{
    a.ptg = f[1];
    if (!WholeIn(f[2], kInt32Low, kInt32High, a.lineType) || !WholeIn(f[3], kInt32Low, kInt32High, a.spare)) {
        reason = QStringLiteral("the line type or field 3 is out of range");
        return false;
    }
    if (bridgeField < 0)
        return true;
    if (!WholeIn(f[bridgeField], 0, BridgeList::MaxCount, a.bridgeCount)) {
        reason = QStringLiteral("a bridge count must lie between 0 and %1").arg(BridgeList::MaxCount);
        return false;
    }
    a.bridgeWidth = f[bridgeField + 1];
    return true;
}

// The last sub-block of that name (the main block has none); −1 when none.
int FindBlock(const std::vector<Block>& blocks, QStringView name)
{
    for (size_t i = blocks.size(); i-- > 1;) {
        if (blocks[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

bool Cf2Reader::Parse(QByteArrayView bytes, Drawing& drawing, QString* error)
{
    drawing = Drawing();
    drawing.blocks.push_back({QString(), {Placement()}});
    const platform::TextLines lines(platform::decodeText(bytes, platform::TextEncoding::Windows1252),
                                    platform::TextEncoding::Windows1252);
    double unit = 1.0; // millimetres until a unit record says otherwise
    int subBlock = -1;
    int lineNumber = 0;
    QString reason;
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        ++lineNumber;
        const QStringView line = *it;
        const Record record = RecordOf(line);
        if (record == Record::Other || record == Record::End)
            continue;
        const Fields f(line);
        switch (record) {
        case Record::Placement: {
            if (f.name.isEmpty()) {
                reason = QStringLiteral("a placement names no sub-block");
                break;
            }
            int block = FindBlock(drawing.blocks, f.name);
            if (block < 0) {
                if (static_cast<int>(drawing.blocks.size()) >= kMaxBlocks) {
                    reason = QStringLiteral("more than %1 sub-blocks").arg(kMaxBlocks - 1);
                    break;
                }
                drawing.blocks.push_back({f.name.toString(), {}});
                block = static_cast<int>(drawing.blocks.size()) - 1;
            }
            std::vector<Placement>& placements = drawing.blocks[static_cast<size_t>(block)].placements;
            if (static_cast<int>(placements.size()) >= kMaxPlacements) {
                reason = QStringLiteral("sub-block \"%1\" is placed more than %2 times")
                             .arg(f.name.toString())
                             .arg(kMaxPlacements);
                break;
            }
            placements.push_back({f[2], f[3], Angle::Normalize(f[4] * std::numbers::pi / 180.0), f[5], f[6]});
            break;
        }
        case Record::Sub:
            drawing.subBlockNames.push_back(f.name.toString());
            subBlock = static_cast<int>(drawing.subBlockNames.size()) - 1;
            break;
        case Record::Line:
        case Record::Arc:
        case Record::Text: {
            Figure figure;
            figure.subBlock = subBlock;
            figure.unit = unit;
            if (record == Record::Line) {
                figure.kind = FigureKind::Line;
                if (!AttributesOf(f, 8, figure.attributes, reason))
                    break;
                figure.a = f[4], figure.b = f[5], figure.c = f[6], figure.d = f[7];
            } else if (record == Record::Arc) {
                figure.kind = FigureKind::Arc;
                if (!AttributesOf(f, 11, figure.attributes, reason))
                    break;
                figure.a = f[4], figure.b = f[5], figure.c = f[6], figure.d = f[7];
                figure.e = f[8], figure.f = f[9], figure.g = f[10];
            } else {
                figure.kind = FigureKind::Text;
                if (!AttributesOf(f, -1, figure.attributes, reason))
                    break;
                if (++it == lines.end()) {
                    reason = QStringLiteral("a text record without its text");
                    break;
                }
                ++lineNumber;
                const double radians = f[6] * std::numbers::pi / 180.0;
                figure.a = f[4], figure.b = f[5], figure.c = std::cos(radians), figure.d = std::sin(radians);
                figure.e = f[8], figure.f = f[7];
                figure.text = (*it).toString();
            }
            drawing.figures.push_back(std::move(figure));
            break;
        }
        case Record::Millimetres: unit = 1.0; break;
        case Record::Inches: unit = 25.4; break;
        case Record::End:
        case Record::Other: break;
        }
        if (!reason.isEmpty()) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(reason);
            return false;
        }
    }
    return true;
}

int Cf2Reader::BlockOf(const Drawing& drawing, const Figure& figure)
{
    if (figure.subBlock < 0)
        return 0;
    const int block = FindBlock(drawing.blocks, drawing.subBlockNames[static_cast<size_t>(figure.subBlock)]);
    return block < 0 ? 0 : block;
}

bool Cf2Reader::Emit(const Drawing& drawing, Import::Importer& importer, QString* error)
{
    int64_t total = 0;
    for (const Figure& figure : drawing.figures)
        total += static_cast<int64_t>(drawing.blocks[static_cast<size_t>(BlockOf(drawing, figure))].placements.size());
    if (total > kMaxFigures) {
        if (error)
            *error = QStringLiteral("the placements make %1 figures, more than %2").arg(total).arg(kMaxFigures);
        return false;
    }
    for (const Figure& figure : drawing.figures)
        PlaceSub(figure, drawing.blocks[static_cast<size_t>(BlockOf(drawing, figure))], importer);
    return true;
}

bool Cf2Reader::Read(QByteArrayView bytes, Import::Importer& importer, QString* error)
{
    Drawing drawing;
    return Parse(bytes, drawing, error) && Emit(drawing, importer, error);
}

void Cf2Reader::PlaceSub(const Figure& figure, const Block& block, Import::Importer& importer)
{
    const double u = figure.unit;
    for (const Placement& p : block.placements) {
        const double cosA = std::cos(p.angle);
        const double sinA = std::sin(p.angle);
        const auto vector = [&](double x, double y) {
            const double sx = x * p.scaleX;
            const double sy = y * p.scaleY;
            return die::coord(u * (sx * cosA - sy * sinA), u * (sx * sinA + sy * cosA));
        };
        const auto point = [&](double x, double y) {
            const die::coord v = vector(x, y);
            return die::coord(v.x + u * p.x, v.y + u * p.y);
        };
        // A placement scaled by −1 along one axis mirrors what it places.
        const bool mirrored = (p.scaleX < 0.0) != (p.scaleY < 0.0);
        switch (figure.kind) {
        case FigureKind::Line:
            importer.AddLine(point(figure.a, figure.b), point(figure.c, figure.d), figure.attributes);
            break;
        case FigureKind::Arc: {
            const die::coord start = point(figure.a, figure.b);
            const die::coord end = point(figure.c, figure.d);
            const die::coord centre = point(figure.e, figure.f);
            // Mirrored, the arc turns the other way: counter-clockwise from
            // its end to its start.
            const bool counterClockwise = figure.g > 0.0 && p.scaleX != 0.0 && p.scaleY != 0.0;
            if (counterClockwise != mirrored)
                importer.AddArc(centre, start, end, 1, figure.attributes);
            else
                importer.AddArc(centre, end, start, 1, figure.attributes);
            break;
        }
        case FigureKind::Text: {
            const die::coord direction = vector(figure.c, figure.d);
            const double angle =
                direction.x == 0.0 && direction.y == 0.0 ? 0.0 : Geom::VectorAngle(direction.y, direction.x);
            // The lengths follow the placement's scales; turning them with
            // the placement would make them negative.
            const die::coord size(std::fabs(u * p.scaleX * figure.e), std::fabs(u * p.scaleY * figure.f));
            importer.AddText(point(figure.a, figure.b), angle, size, figure.text, figure.attributes,
                             mirrored ? 1 : 0);
            break;
        }
        }
    }
}

} // namespace cf2
