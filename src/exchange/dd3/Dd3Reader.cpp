#include "exchange/dd3/Dd3Reader.h"

#include "geometry/Angle.h"
#include "platform/CFormat.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>

namespace dd3 {
namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
// A ptg given as a length is in points of this many millimetres.
constexpr double kPointLength = 0.3556;

// The tokens of a line: up to its first backslash, split at blanks and tabs.
std::vector<QStringView> TokensOf(QStringView line)
{
    if (const qsizetype comment = line.indexOf(u'\\'); comment >= 0)
        line = line.first(comment);
    std::vector<QStringView> out;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == u' ' || line[i] == u'\t'))
            ++i;
        const qsizetype start = i;
        while (i < line.size() && line[i] != u' ' && line[i] != u'\t')
            ++i;
        if (i > start)
            out.push_back(line.sliced(start, i - start));
    }
    return out;
}

double Radians(QStringView degrees)
{
    return Angle::Normalize(platform::wtof(degrees) / kDegreesPerRadian);
}

// The reader's place in the file.
enum class State { Identification, Unit, Header, Definitions, InBlock };

class Parser {
public:
    explicit Parser(Drawing& drawing) : d_(drawing) {}

    // One record; false with the reason for one that cannot be used. next
    // gives the line after it (for a text), null at the end of the file.
    bool Record(const std::vector<QStringView>& t, const std::function<std::optional<QStringView>()>& next,
                QString& reason);

private:
    die::coord Point(QStringView x, QStringView y) const
    {
        return {platform::wtof(x) * unit_, platform::wtof(y) * unit_};
    }
    // The bridges token (and the width after it when the record has one).
    bool Bridges(const std::vector<QStringView>& t, size_t at, ImportAttributes& a, QString& reason) const;
    Block& Current() { return d_.blocks[static_cast<size_t>(block_)]; }

    Drawing& d_;
    State state_ = State::Identification;
    double unit_ = 1.0; // millimetres unless the unit line says inches
    int block_ = -1;
    // The list whose last figure takes hand-placed bridges; null when no
    // figure is current.
    std::vector<Figure>* figureList_ = nullptr;
};

bool Parser::Bridges(const std::vector<QStringView>& t, size_t at, ImportAttributes& a, QString& reason) const
{
    const int bridges = platform::wtoi(t[at]);
    if (bridges < 0) {
        a.explicitBridges = true;
        return true;
    }
    if (bridges > kMaxBridges) {
        reason = QStringLiteral("more than %1 bridges").arg(kMaxBridges);
        return false;
    }
    a.bridgeCount = bridges;
    if (bridges != 0 && t.size() > at + 1)
        a.bridgeWidth = platform::wtof(t[at + 1]) * unit_;
    return true;
}

bool Parser::Record(const std::vector<QStringView>& t, const std::function<std::optional<QStringView>()>& next,
                    QString& reason)
{
    const QStringView key = t[0];
    switch (state_) {
    case State::Identification: state_ = State::Unit; return true;
    case State::Unit:
        if (key == u"I")
            unit_ = 25.4;
        else if (key == u"M")
            unit_ = 1.0;
        state_ = State::Header;
        return true;
    case State::Header:
        if (key == u"SIZE")
            state_ = State::Definitions;
        return true;
    case State::Definitions:
        if ((key == u"DESIGN" || key == u"LAYOUT" || key == u"BLOCK") && t.size() >= 5) {
            Block b;
            b.key = t[1].toString();
            b.headerTexts[0] = t[4].toString();
            b.headerTexts[1] = t[2].toString();
            b.headerTexts[2] = t[3].toString();
            d_.blocks.push_back(std::move(b));
            block_ = static_cast<int>(d_.blocks.size()) - 1;
            d_.byKey[d_.blocks.back().key] = block_;
            if (d_.first < 0)
                d_.first = block_;
            state_ = State::InBlock;
        } else if (key == u"INCLUDE" && t.size() >= 8) {
            d_.outside.push_back({t[1].toString(), t[2].toString(), Point(t[3], t[4]), Radians(t[5]), t[6] == u"-1",
                                  t[7] == u"-1", -1});
        }
        return true;
    case State::InBlock: break;
    }

    if (key == u"END") {
        block_ = -1;
        figureList_ = nullptr;
        state_ = State::Definitions;
    } else if (key == u"INCLUDE" && t.size() >= 8) {
        Current().inclusions.push_back({t[1].toString(), t[2].toString(), Point(t[3], t[4]), Radians(t[5]),
                                        t[6] == u"-1", t[7] == u"-1", -1});
    } else if (key == u"LINE" && t.size() >= 10) {
        Figure f;
        f.name = t[1].toString();
        f.p1 = Point(t[2], t[3]);
        f.p2 = Point(t[4], t[5]);
        f.attributes.lineType = platform::wtoi(t[6]);
        f.attributes.ptg = Dd3Reader::ParseLength(t[8], unit_);
        if (!Bridges(t, 9, f.attributes, reason))
            return false;
        Current().lines.push_back(std::move(f));
        figureList_ = &Current().lines;
    } else if ((key == u"ARC" && t.size() >= 13) || (key == u"CORNER" && t.size() >= 12)) {
        const bool arc = key == u"ARC";
        Figure f;
        f.name = t[1].toString();
        f.p1 = Point(t[2], t[3]);
        f.p2 = Point(t[4], t[5]);
        f.p3 = Point(t[6], t[7]);
        f.clockwise = platform::wtof(t[8]) < 0.0;
        f.attributes.lineType = platform::wtoi(t[9]);
        f.attributes.ptg = Dd3Reader::ParseLength(t[11], unit_);
        if (arc && !Bridges(t, 12, f.attributes, reason))
            return false;
        std::vector<Figure>& list = arc ? Current().arcs : Current().corners;
        list.push_back(std::move(f));
        figureList_ = &list;
    } else if (key == u"CIRCLE" && t.size() >= 10) {
        Figure f;
        f.name = t[1].toString();
        f.p3 = Point(t[2], t[3]);
        const double radius = platform::wtof(t[4]) * unit_;
        const double angle = platform::wtof(t[5]) / kDegreesPerRadian;
        f.clockwise = radius < 0.0;
        f.p1 = {f.p3.x + std::fabs(radius) * std::cos(angle), f.p3.y + std::fabs(radius) * std::sin(angle)};
        f.p2 = f.p1;
        f.attributes.lineType = platform::wtoi(t[6]);
        f.attributes.ptg = Dd3Reader::ParseLength(t[8], unit_);
        if (!Bridges(t, 9, f.attributes, reason))
            return false;
        Current().circles.push_back(std::move(f));
        figureList_ = &Current().circles;
    } else if (key == u"BRIDGE" && t.size() >= 4) {
        if (figureList_ == nullptr)
            return true;
        ImportAttributes& a = figureList_->back().attributes;
        static constexpr QStringView kKinds[] = {u"C", u"L", u"R", u"D"};
        for (int kind = 0; kind < 4; ++kind) {
            if (t[1] != kKinds[kind] || !a.explicitBridges)
                continue;
            if (static_cast<int>(a.bridges.size()) >= kMaxBridges) {
                reason = QStringLiteral("more than %1 bridges").arg(kMaxBridges);
                return false;
            }
            a.bridges.push_back({kind, platform::wtof(t[3]) * unit_, platform::wtof(t[2])});
        }
    } else if (key == u"TEXT" && t.size() >= 7) {
        const std::optional<QStringView> text = next();
        if (!text) {
            reason = QStringLiteral("a text record without its text");
            return false;
        }
        TextRecord r;
        r.name = t[1].toString();
        r.position = Point(t[2], t[3]);
        r.size = platform::wtof(t[4]) * 25.4 / 72.0; // points, whatever the unit
        r.angle = Radians(t[5]);
        r.justification = std::clamp(platform::wtoi(t[6]), 1, 10);
        r.text = text->toString();
        Current().texts.push_back(std::move(r));
        figureList_ = nullptr;
    }
    return true;
}

} // namespace

double Dd3Reader::ParseLength(QStringView token, double unit)
{
    if (token.startsWith(u'P'))
        return platform::wtof(token.sliced(1));
    return platform::wtof(token) * unit / kPointLength;
}

bool Dd3Reader::Parse(QByteArrayView bytes, Drawing& drawing, QString* error)
{
    drawing = Drawing();
    const platform::TextLines lines(platform::decodeText(bytes, platform::TextEncoding::Windows1252),
                                    platform::TextEncoding::Windows1252);
    Parser parser(drawing);
    int lineNumber = 0;
    QString reason;
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        ++lineNumber;
        const std::vector<QStringView> tokens = TokensOf(*it);
        if (tokens.empty())
            continue;
        if (tokens[0] == u"EOF")
            break;
        const auto next = [&]() -> std::optional<QStringView> {
            if (++it == lines.end())
                return std::nullopt;
            ++lineNumber;
            return *it;
        };
        if (!parser.Record(tokens, next, reason)) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(reason);
            return false;
        }
        if (it == lines.end())
            break;
    }
    if (drawing.first < 0) {
        if (error)
            *error = QStringLiteral("the file defines no block");
        return false;
    }
    for (Block& b : drawing.blocks) {
        for (Inclusion& i : b.inclusions) {
            const auto found = drawing.byKey.find(i.key);
            i.target = found == drawing.byKey.end() ? -1 : found->second;
        }
    }
    return true;
}

namespace {

// What the first block expands to, found before anything is handed over.
struct Expansion {
    int64_t figures = 0; // saturates past kMaxFigures
    int depth = 0;       // blocks nested, the first one counted
};

int64_t OwnFigures(const Block& b)
{
    return static_cast<int64_t>(b.lines.size() + b.arcs.size() + b.circles.size() + b.corners.size()
                                + b.texts.size());
}

// Walks the inclusions from the first block without recursion; false, with
// the reason, for a cycle.
bool Expand(const Drawing& d, Expansion& out, QString& reason)
{
    enum : char { Unseen, OnPath, Done };
    std::vector<char> mark(d.blocks.size(), Unseen);
    std::vector<Expansion> memo(d.blocks.size());
    struct Step {
        int block;
        size_t next;
    };
    std::vector<Step> path{{d.first, 0}};
    mark[static_cast<size_t>(d.first)] = OnPath;
    while (!path.empty()) {
        Step& s = path.back();
        const Block& b = d.blocks[static_cast<size_t>(s.block)];
        if (s.next < b.inclusions.size()) {
            const int target = b.inclusions[s.next++].target;
            if (target < 0)
                continue;
            if (mark[static_cast<size_t>(target)] == OnPath) {
                reason = QStringLiteral("block \"%1\" includes itself").arg(d.blocks[static_cast<size_t>(target)].key);
                return false;
            }
            if (mark[static_cast<size_t>(target)] == Unseen) {
                mark[static_cast<size_t>(target)] = OnPath;
                path.push_back({target, 0});
            }
            continue;
        }
        Expansion e{OwnFigures(b), 1};
        for (const Inclusion& i : b.inclusions) {
            if (i.target < 0)
                continue;
            const Expansion& inner = memo[static_cast<size_t>(i.target)];
            e.figures = std::min(e.figures + inner.figures, kMaxFigures + 1);
            e.depth = std::max(e.depth, inner.depth + 1);
        }
        memo[static_cast<size_t>(s.block)] = e;
        mark[static_cast<size_t>(s.block)] = Done;
        path.pop_back();
    }
    out = memo[static_cast<size_t>(d.first)];
    return true;
}

// Hands one block over, placed by the inclusions on the stack (innermost
// last).
class Emitter {
public:
    Emitter(const Drawing& d, Import::Importer& importer) : d_(d), importer_(importer) {}

    void Place(const Block& b)
    {
        bool mx = false;
        bool my = false;
        for (const Inclusion* i : stack_) {
            mx ^= i->mirrorX;
            my ^= i->mirrorY;
        }
        for (const Figure& f : b.lines)
            importer_.AddLine(T(f.p1), T(f.p2), f.attributes);
        for (const std::vector<Figure>* list : {&b.circles, &b.arcs, &b.corners}) {
            for (const Figure& f : *list)
                importer_.AddArc(T(f.p3), T(f.p1), T(f.p2), (f.clockwise != mx) == my ? 1 : 0, f.attributes);
        }
        for (const TextRecord& t : b.texts)
            Text(t, mx != my);
        for (const Inclusion& i : b.inclusions) {
            if (i.target < 0)
                continue; // no block of that key
            stack_.push_back(&i);
            Place(d_.blocks[static_cast<size_t>(i.target)]);
            stack_.pop_back();
        }
    }

private:
    die::coord T(die::coord p) const
    {
        for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
            const Inclusion& i = **it;
            if (i.mirrorX)
                p.x = -p.x;
            if (i.mirrorY)
                p.y = -p.y;
            const double c = std::cos(i.angle);
            const double s = std::sin(i.angle);
            p = {p.x * c - p.y * s + i.offset.x, p.x * s + p.y * c + i.offset.y};
        }
        return p;
    }

    void Text(const TextRecord& t, bool mirrored)
    {
        double angle = t.angle;
        for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
            if ((*it)->mirrorX)
                angle = std::numbers::pi - angle;
            if ((*it)->mirrorY)
                angle = -angle;
            angle = Angle::Normalize(angle + (*it)->angle);
        }
        int j = t.justification;
        if (mirrored && (j <= 3 || (j >= 7 && j <= 9)))
            j = j <= 3 ? j + 6 : j - 6;
        const double s = t.size;
        const double w = static_cast<double>(t.text.size()) * s;
        // Columns: left, centre, right; rows: base, middle, top.
        const double dx = j >= 4 && j <= 6 ? -w / 2 : (j >= 7 && j <= 9 ? -w : 0.0);
        const double dy = j == 10 ? 0.0 : -s * ((j - 1) % 3) / 2.0;
        const die::coord at = T(t.position);
        const double c = std::cos(angle);
        const double sn = std::sin(angle);
        importer_.AddText({at.x + dx * c - dy * sn, at.y + dx * sn + dy * c}, angle, {s, s}, t.text,
                          ImportAttributes(), mirrored ? 1 : 0);
    }

    const Drawing& d_;
    Import::Importer& importer_;
    std::vector<const Inclusion*> stack_;
};

} // namespace

bool Dd3Reader::Emit(const Drawing& drawing, Import::Importer& importer, QString* error)
{
    if (drawing.first < 0)
        return true; // nothing defined, nothing to hand over
    Expansion e;
    QString reason;
    if (!Expand(drawing, e, reason)) {
    } else if (e.depth > kMaxDepth) {
        reason = QStringLiteral("blocks are nested more than %1 deep").arg(kMaxDepth);
    } else if (e.figures > kMaxFigures) {
        reason = QStringLiteral("the inclusions make more than %1 figures").arg(kMaxFigures);
    } else {
        Emitter(drawing, importer).Place(drawing.blocks[static_cast<size_t>(drawing.first)]);
        return true;
    }
    if (error)
        *error = reason;
    return false;
}

bool Dd3Reader::Read(QByteArrayView bytes, Import::Importer& importer, QString* error)
{
    Drawing drawing;
    return Parse(bytes, drawing, error) && Emit(drawing, importer, error);
}

} // namespace dd3
