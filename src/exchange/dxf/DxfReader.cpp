#include "exchange/dxf/DxfReader.h"

#include "platform/CFormat.h"
#include "platform/TextFile.h"

namespace {

enum class State {
    Outside,      // between sections
    SectionStart, // right after SECTION: its name comes next
    OtherSection, // any section but BLOCKS: skipped
    Blocks,       // the BLOCKS section, between blocks
    BlockHeader,
    Line,
    Text,
    Polyline,
    Vertex,
    Circle,
    Arc,
    Skipped, // an entity the reader does not keep
    Insert,
    Point,
};

bool IsBlank(QStringView text)
{
    for (QChar c : text) {
        if (!platform::isCSpace(c))
            return false;
    }
    return true;
}

QStringView Trimmed(QStringView text)
{
    qsizetype from = 0, to = text.size();
    while (from < to && platform::isCSpace(text[from]))
        ++from;
    while (to > from && platform::isCSpace(text[to - 1]))
        --to;
    return text.sliced(from, to - from);
}

// A group code: an optionally signed decimal integer between blanks.
bool ParseCode(QStringView line, int& code)
{
    const QStringView t = Trimmed(line);
    qsizetype at = 0;
    const bool negative = !t.isEmpty() && t[0] == u'-';
    if (negative || (!t.isEmpty() && t[0] == u'+'))
        ++at;
    if (at == t.size() || t.size() - at > 9)
        return false;
    int value = 0;
    for (; at < t.size(); ++at) {
        const char16_t c = t[at].unicode();
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
    }
    code = negative ? -value : value;
    return true;
}

bool RestIsBlank(platform::TextLines::const_iterator it, platform::TextLines::const_iterator end)
{
    for (; it != end; ++it) {
        if (!IsBlank(*it))
            return false;
    }
    return true;
}

} // namespace

// The state machine over the pairs, with the records it is filling.
struct DxfReader::Parser {
    explicit Parser(DxfReader& r) : reader(r) {}

    DxfReader& reader;
    State state = State::Outside;
    qsizetype line = 0;          // the line of the value being handled (1-based)
    bool inPolyline = false;     // a VERTEX belongs to the polyline just opened
    QString lastLayer;           // shared by the entities of one layer: no copy each

    DxfBlock& block() { return reader.blocks_.back(); }

    bool Fail(const QString& reason)
    {
        return reader.Fail(QStringLiteral("line %1: %2").arg(line).arg(reason));
    }

    bool Number(QStringView value, double& out)
    {
        const qsizetype n = platform::readLeadingDouble(value, out);
        if (n == 0 || !IsBlank(value.sliced(n)))
            return Fail(QStringLiteral("a number was expected, not \"%1\"").arg(value.left(40)));
        return true;
    }

    bool Integer(QStringView value, int& out)
    {
        double v = 0.0;
        if (!Number(value, v))
            return false;
        if (!(v >= -1e9 && v <= 1e9))
            return Fail(QStringLiteral("the number %1 is out of range").arg(value.left(40)));
        out = static_cast<int>(v);
        return true;
    }

    QString Layer(QStringView value)
    {
        if (value != lastLayer)
            lastLayer = value.toString();
        return lastLayer;
    }

    // Counts one more entity of the current block against the limit.
    bool Room()
    {
        const DxfBlock& b = block();
        const size_t held = b.lines.size() + b.texts.size() + b.polylines.size() + b.circles.size()
                            + b.arcs.size() + b.inserts.size() + b.points.size();
        if (held >= static_cast<size_t>(kMaxBlockEntities))
            return Fail(QStringLiteral("block \"%1\" holds more than %2 entities").arg(b.name).arg(kMaxBlockEntities));
        return true;
    }

    bool BeginEntity(QStringView keyword)
    {
        const bool polylineGoesOn = keyword == u"VERTEX" && inPolyline;
        inPolyline = false;
        if (keyword == u"ENDBLK") {
            state = State::Blocks;
            return true;
        }
        if (keyword == u"ENDSEC") { // a block left open ends with its section
            state = State::Outside;
            return true;
        }
        if (keyword == u"VERTEX") {
            if (!polylineGoesOn) { // outside a polyline's sequence it belongs to nothing
                state = State::Skipped;
                return true;
            }
            dxf::Polyline& p = block().polylines.back();
            if (p.vertices.size() >= static_cast<size_t>(kMaxPolylineVertices))
                return Fail(QStringLiteral("a polyline has more than %1 vertices").arg(kMaxPolylineVertices));
            p.vertices.emplace_back();
            inPolyline = true;
            state = State::Vertex;
            return true;
        }
        struct Kind {
            const char16_t* keyword;
            State state;
        };
        static constexpr Kind kinds[] = {
            {u"LINE", State::Line},     {u"TEXT", State::Text}, {u"POLYLINE", State::Polyline},
            {u"ARC", State::Arc},       {u"CIRCLE", State::Circle}, {u"POINT", State::Point},
            {u"INSERT", State::Insert},
        };
        for (const Kind& k : kinds) {
            if (keyword != QStringView(k.keyword))
                continue;
            if (!Room())
                return false;
            DxfBlock& b = block();
            switch (k.state) {
            case State::Line: b.lines.emplace_back(); break;
            case State::Text: b.texts.emplace_back(); break;
            case State::Polyline: b.polylines.emplace_back(); inPolyline = true; break;
            case State::Arc: b.arcs.emplace_back(); break;
            case State::Circle: b.circles.emplace_back(); break;
            case State::Point: b.points.emplace_back(); break;
            default: b.inserts.emplace_back(); break;
            }
            state = k.state;
            return true;
        }
        state = State::Skipped; // SEQEND, ATTDEF, ATTRIB and every kind not kept
        return true;
    }

    // One coordinate of a point: codes 10 and 20 (or 11 and 21 with
    // `second`).
    bool Coordinate(int code, QStringView value, die::coord& p, int xCode)
    {
        if (code == xCode)
            return Number(value, p.x);
        if (code == xCode + 10)
            return Number(value, p.y);
        return true;
    }

    bool Pair(int code, QStringView value)
    {
        switch (state) {
        case State::Outside:
            if (code == 0 && value == u"SECTION")
                state = State::SectionStart;
            return true;
        case State::SectionStart:
            if (code == 0 && value == u"ENDSEC")
                state = State::Outside;
            else
                state = code == 2 && value == u"BLOCKS" ? State::Blocks : State::OtherSection;
            return true;
        case State::OtherSection:
            if (code == 0 && value == u"ENDSEC")
                state = State::Outside;
            return true;
        case State::Blocks:
            if (code == 0 && value == u"BLOCK") {
                if (reader.blocks_.size() >= static_cast<size_t>(kMaxBlocks))
                    return Fail(QStringLiteral("more than %1 blocks").arg(kMaxBlocks));
                reader.blocks_.emplace_back();
                state = State::BlockHeader;
            } else if (code == 0 && value == u"ENDSEC") {
                state = State::Outside;
            }
            return true;
        default:
            break;
        }
        if (code == 0)
            return BeginEntity(value);
        DxfBlock& b = block();
        switch (state) {
        case State::BlockHeader:
            if (code == 8)
                b.layer = Layer(value);
            else if (code == 2)
                b.name = value.toString();
            return Coordinate(code, value, b.base, 10);
        case State::Line: {
            dxf::Line& l = b.lines.back();
            if (code == 8)
                l.layer = Layer(value);
            return Coordinate(code, value, l.start, 10) && Coordinate(code, value, l.end, 11);
        }
        case State::Text: {
            dxf::Text& t = b.texts.back();
            if (code == 1)
                t.text = value.toString();
            else if (code == 8)
                t.layer = Layer(value);
            else if (code == 40)
                return Number(value, t.height);
            else if (code == 50)
                return Number(value, t.angle);
            else if (code == 71) {
                int flags = 0;
                if (!Integer(value, flags))
                    return false;
                t.mirrored = flags == 2;
            }
            return Coordinate(code, value, t.at, 10);
        }
        case State::Polyline: {
            dxf::Polyline& p = b.polylines.back();
            if (code == 8)
                p.layer = Layer(value);
            else if (code == 70)
                return Integer(value, p.flags);
            return true;
        }
        case State::Vertex: {
            dxf::Vertex& v = b.polylines.back().vertices.back();
            if (code == 42)
                return Number(value, v.bulge);
            return Coordinate(code, value, v.at, 10);
        }
        case State::Circle: {
            dxf::Circle& c = b.circles.back();
            if (code == 8)
                c.layer = Layer(value);
            else if (code == 40)
                return Number(value, c.radius);
            return Coordinate(code, value, c.centre, 10);
        }
        case State::Arc: {
            dxf::Arc& a = b.arcs.back();
            if (code == 8)
                a.layer = Layer(value);
            else if (code == 40)
                return Number(value, a.radius);
            else if (code == 50)
                return Number(value, a.startAngle);
            else if (code == 51)
                return Number(value, a.endAngle);
            return Coordinate(code, value, a.centre, 10);
        }
        case State::Insert: {
            dxf::Insert& i = b.inserts.back();
            if (code == 2)
                i.name = value.toString();
            else if (code == 41)
                return Number(value, i.scaleX);
            else if (code == 42)
                return Number(value, i.scaleY);
            else if (code == 50)
                return Number(value, i.angle);
            return Coordinate(code, value, i.at, 10);
        }
        case State::Point: {
            dxf::Point& p = b.points.back();
            if (code == 8)
                p.layer = Layer(value);
            return Coordinate(code, value, p.at, 10);
        }
        default:
            return true; // a skipped entity
        }
    }
};

bool DxfReader::Fail(QString reason)
{
    error_ = std::move(reason);
    return false;
}

bool DxfReader::ReadFile(const QString& path)
{
    // Decoded as it is read: the file's bytes are never held whole.
    platform::TextLines lines;
    if (!lines.read(path, platform::TextEncoding::Windows1252)) {
        blocks_.clear();
        byName_.clear();
        return Fail(QStringLiteral("%1 cannot be opened").arg(path));
    }
    return ParseSections(lines);
}

bool DxfReader::Read(QByteArrayView bytes)
{
    platform::TextEncoding found = platform::TextEncoding::Windows1252;
    QString text = platform::decodeText(bytes, platform::TextEncoding::Windows1252, &found);
    const platform::TextLines lines(std::move(text), found);
    return ParseSections(lines);
}

bool DxfReader::ParseSections(const platform::TextLines& lines)
{
    blocks_.clear();
    byName_.clear();
    error_.clear();
    Parser parser(*this);
    bool ok = true;
    for (auto it = lines.begin(); ok && it != lines.end();) {
        const QStringView codeLine = *it;
        ++parser.line;
        int code = 0;
        if (!ParseCode(codeLine, code)) {
            if (IsBlank(codeLine) && RestIsBlank(it, lines.end()))
                break; // blank lines after the last pair
            ok = parser.Fail(QStringLiteral("a group code was expected, not \"%1\"").arg(codeLine.left(40)));
            break;
        }
        if (++it == lines.end()) {
            ok = parser.Fail(QStringLiteral("the file ends after a group code"));
            break;
        }
        ++parser.line;
        ok = parser.Pair(code, *it);
        ++it;
    }
    if (ok && parser.state >= State::Blocks)
        ok = Fail(QStringLiteral("the file ends inside its BLOCKS section"));
    if (!ok) {
        blocks_.clear();
        return false;
    }
    IndexBlocks();
    return true;
}

void DxfReader::IndexBlocks()
{
    byName_.clear();
    for (int i = 0; i < static_cast<int>(blocks_.size()); ++i)
        byName_[blocks_[static_cast<size_t>(i)].name].append(i);
}

int DxfReader::LineTypeForLayer(const QString& layer)
{
    return layer == QLatin1String("4") || layer == QLatin1String("INK") || layer == QLatin1String("ANNOTATION")
                   || layer == QLatin1String("7")
               ? 3
               : 2;
}
