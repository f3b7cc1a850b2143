#include "exchange/dxf/DxfReader.h"

#include "exchange/dxf/DxfBytes.h"
#include "exchange/dxf/DxfEntities.h"

#include "geometry/GeomConstants.h"
#include "platform/CFormat.h"
#include "platform/NarrowNumber.h"

#include <QFile>
#include <QStringList>

#include <cmath>

namespace {

enum class State {
    Outside,      // between sections
    SectionStart, // right after SECTION: its name comes next
    OtherSection, // any section but HEADER, BLOCKS and ENTITIES: skipped
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
    Header,             // the HEADER section: its variables
    EntityInModelSpace, // the ENTITIES section, before its first entity
    LwPolyline,
    Ellipse,
    Spline,
    MText,
};

using dxf::IsBlank;

// Whether every line after the walker's position is blank.
bool RestIsBlank(dxf::LineWalker walker)
{
    while (!walker.AtEnd()) {
        if (!IsBlank(walker.Next()))
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
    const dxf::Bytes* bytes = nullptr; // the file, which decodes the strings kept
    QByteArray lastLayerBytes;   // the last layer name as the file gives it...
    QString lastLayer;           // ...and decoded, shared by the entities of one layer
    DxfBlock* target = nullptr;  // the block (or model space) taking the entities
    QString variable;            // the header variable whose values follow
    // The entity being filled (for a POLYLINE, until its sequence ends):
    // its kind, whether its extrusion points down, whether a value was out
    // of range; its finish applies the first and drops it for the second.
    State open = State::Outside;
    bool openFlipped = false;
    bool openBad = false;
    int mtextAttachment = 1;     // MTEXT 71: 1-3 top, 4-6 middle, 7-9 bottom
    die::coord mtextDirection;   // MTEXT 11, 21; (0, 0) when absent
    QString mtextChunks;         // MTEXT 3: the text before the last chunk

    DxfBlock& block() { return *target; }

    bool Fail(const QString& reason)
    {
        return reader.Fail(QStringLiteral("line %1: %2").arg(line).arg(reason));
    }

    QString Text(QByteArrayView value) const { return bytes->Decode(value); }
    // A value as an error message quotes it: its first 40 characters.
    QString Shown(QByteArrayView value) const { return Text(value).left(40); }

    // A group code line other than the plain one: read in full, or the end
    // of the pairs (blank lines to the end; ok stays), or a failure (ok false).
    bool CodeLine(dxf::LineWalker& lines, int& code, bool& ok)
    {
        const QByteArrayView codeLine = lines.Next();
        if (dxf::ParseCode(codeLine, code))
            return true;
        if (!(IsBlank(codeLine) && RestIsBlank(lines)))
            ok = Fail(QStringLiteral("a group code was expected, not \"%1\"").arg(Shown(codeLine)));
        return false;
    }

    bool Number(QByteArrayView value, double& out)
    {
        const qsizetype n = platform::readLeadingDouble(value, out);
        if (n != value.size() && (n == 0 || !IsBlank(value.sliced(n))))
            return Fail(QStringLiteral("a number was expected, not \"%1\"").arg(Shown(value)));
        if (!(std::fabs(out) <= kMaxMagnitude)) [[unlikely]] {
            // Kept as 0 for the parse; the entity goes when it is finished.
            out = 0.0;
            openBad = true;
        }
        return true;
    }

    bool Integer(QByteArrayView value, int& out)
    {
        double v = 0.0;
        const qsizetype n = platform::readLeadingDouble(value, v);
        if (n == 0 || !IsBlank(value.sliced(n)))
            return Fail(QStringLiteral("a number was expected, not \"%1\"").arg(Shown(value)));
        if (!(v >= -1e9 && v <= 1e9))
            return Fail(QStringLiteral("the number %1 is out of range").arg(Shown(value)));
        out = static_cast<int>(v);
        return true;
    }

    QString Layer(QByteArrayView value)
    {
        if (lastLayer.isNull() || value != QByteArrayView(lastLayerBytes)) {
            lastLayerBytes = value.toByteArray();
            lastLayer = Text(value);
        }
        return lastLayer;
    }

    // Counts one more entity of the current block against the limit.
    bool Room()
    {
        const DxfBlock& b = block();
        const size_t held = b.lines.size() + b.texts.size() + b.polylines.size() + b.circles.size()
                            + b.arcs.size() + b.inserts.size() + b.points.size() + b.ellipses.size()
                            + b.splines.size();
        if (held >= static_cast<size_t>(kMaxBlockEntities))
            return Fail(QStringLiteral("block \"%1\" holds more than %2 entities").arg(b.name).arg(kMaxBlockEntities));
        return true;
    }

    // Finishes the entity being filled: drops it when a value was out of
    // range, mirrors it into the plane when its extrusion points down (the
    // x axis of its own system then runs to the left), and cleans an MTEXT.
    void FinishEntity()
    {
        const State kind = open;
        open = State::Outside;
        if (kind == State::Outside || target == nullptr)
            return;
        DxfBlock& b = block();
        if (openBad) {
            ++reader.outOfRange_;
            switch (kind) {
            case State::Line: b.lines.pop_back(); break;
            case State::Text: case State::MText: b.texts.pop_back(); break;
            case State::Polyline: case State::LwPolyline: b.polylines.pop_back(); break;
            case State::Circle: b.circles.pop_back(); break;
            case State::Arc: b.arcs.pop_back(); break;
            case State::Insert: b.inserts.pop_back(); break;
            case State::Point: b.points.pop_back(); break;
            case State::Ellipse: b.ellipses.pop_back(); break;
            case State::Spline: b.splines.pop_back(); break;
            default: break;
            }
            return;
        }
        if (kind == State::MText) {
            dxf::Text& t = b.texts.back();
            t.text = dxf::PlainMText(mtextChunks + t.text);
            if (mtextDirection != die::coord())
                t.angle = Geom::RadToDeg(std::atan2(mtextDirection.y, mtextDirection.x));
            // The insertion point is the attachment point; the text element
            // stands on its base line.
            const double drop = mtextAttachment <= 3 ? 1.0 : mtextAttachment <= 6 ? 0.5 : 0.0;
            const double a = Geom::DegToRad(t.angle);
            t.at = t.at + die::coord(std::sin(a), -std::cos(a)) * (t.height * drop);
        } else if (kind == State::Text) {
            dxf::Text& t = b.texts.back();
            t.text = dxf::PlainText(t.text);
        } else if (kind == State::Polyline && (b.polylines.back().flags & (16 | 64)) != 0) {
            b.polylines.pop_back(); // a polygon or polyface mesh: a 3D entity
            reader.Skip(QStringLiteral("POLYLINE (mesh)"));
            return;
        } else if (kind == State::Spline) {
            dxf::Spline& sp = b.splines.back();
            if (!dxf::IsUsable(sp)) {
                b.splines.pop_back();
                reader.Skip(QStringLiteral("SPLINE (damaged)"));
                return;
            }
        }
        if (!openFlipped)
            return;
        switch (kind) {
        case State::Arc: {
            dxf::Arc& a = b.arcs.back();
            a.centre.x = -a.centre.x;
            const double start = a.startAngle;
            a.startAngle = 180.0 - a.endAngle;
            a.endAngle = 180.0 - start;
            break;
        }
        case State::Circle: b.circles.back().centre.x = -b.circles.back().centre.x; break;
        case State::Polyline: case State::LwPolyline:
            for (dxf::Vertex& v : b.polylines.back().vertices) {
                v.at.x = -v.at.x;
                v.bulge = -v.bulge;
            }
            break;
        case State::Text: {
            dxf::Text& t = b.texts.back();
            t.at.x = -t.at.x;
            t.angle = 180.0 - t.angle;
            t.mirrored = !t.mirrored;
            break;
        }
        case State::Insert: {
            dxf::Insert& i = b.inserts.back();
            i.at.x = -i.at.x;
            i.angle = -i.angle;
            i.scaleX = -i.scaleX;
            i.columnSpacing = -i.columnSpacing;
            break;
        }
        case State::Ellipse: b.ellipses.back().flipped = true; break;
        default: break;
        }
    }

    void Open(State kind)
    {
        open = kind;
        openFlipped = false;
        openBad = false;
    }

    bool BeginEntity(QByteArrayView keyword)
    {
        const bool polylineGoesOn = keyword == QByteArrayView("VERTEX") && inPolyline;
        if (!polylineGoesOn)
            FinishEntity();
        inPolyline = false;
        const bool modelSpace = target == &reader.modelSpace_;
        if (keyword == QByteArrayView("ENDBLK") && !modelSpace) {
            state = State::Blocks;
            target = nullptr;
            return true;
        }
        if (keyword == QByteArrayView("ENDSEC")) { // a block left open ends with its section
            state = State::Outside;
            target = nullptr;
            return true;
        }
        if (keyword == QByteArrayView("VERTEX")) {
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
            QByteArrayView keyword;
            State state;
        };
        static constexpr Kind kinds[] = {
            {"LINE", State::Line},       {"TEXT", State::Text},         {"POLYLINE", State::Polyline},
            {"ARC", State::Arc},         {"CIRCLE", State::Circle},     {"POINT", State::Point},
            {"INSERT", State::Insert},   {"LWPOLYLINE", State::LwPolyline}, {"ELLIPSE", State::Ellipse},
            {"SPLINE", State::Spline},   {"MTEXT", State::MText},
        };
        for (const Kind& k : kinds) {
            if (keyword != k.keyword)
                continue;
            if (!Room())
                return false;
            DxfBlock& b = block();
            switch (k.state) {
            case State::Line: b.lines.emplace_back(); break;
            case State::Text: case State::MText: b.texts.emplace_back(); break;
            case State::Polyline: b.polylines.emplace_back(); inPolyline = true; break;
            case State::LwPolyline: b.polylines.emplace_back(); break;
            case State::Arc: b.arcs.emplace_back(); break;
            case State::Circle: b.circles.emplace_back(); break;
            case State::Point: b.points.emplace_back(); break;
            case State::Ellipse: b.ellipses.emplace_back(); break;
            case State::Spline: b.splines.emplace_back(); break;
            default: b.inserts.emplace_back(); break;
            }
            Open(k.state);
            mtextAttachment = 1;
            mtextDirection = die::coord();
            mtextChunks.clear();
            state = k.state;
            return true;
        }
        // SEQEND, ATTRIB and the end of a sequence belong to what they end;
        // every other kind not kept is counted for the import's report.
        if (keyword != QByteArrayView("SEQEND") && keyword != QByteArrayView("ATTRIB") && keyword != QByteArrayView("ENDBLK"))
            reader.Skip(Text(keyword).left(40));
        state = State::Skipped;
        return true;
    }

    // One coordinate of a point: codes xCode and xCode + 10.
    bool Coordinate(int code, QByteArrayView value, die::coord& p, int xCode)
    {
        if (code == xCode)
            return Number(value, p.x);
        if (code == xCode + 10)
            return Number(value, p.y);
        return true;
    }

    // The extrusion's z (230): the entity lies mirrored when it points down.
    bool Extrusion(int code, QByteArrayView value)
    {
        if (code != 230)
            return true;
        double z = 1.0;
        if (!Number(value, z))
            return false;
        openFlipped = z < 0.0;
        return true;
    }

    template <class T>
    bool Append(std::vector<T>& list, QByteArrayView value, double T::*field)
    {
        if (list.size() >= static_cast<size_t>(kMaxPolylineVertices))
            return Fail(QStringLiteral("a spline has more than %1 points").arg(kMaxPolylineVertices));
        list.emplace_back();
        return Number(value, list.back().*field);
    }

    bool SectionName(int code, QByteArrayView value)
    {
        if (code == 0 && value == QByteArrayView("ENDSEC")) {
            state = State::Outside;
        } else if (code == 2 && value == QByteArrayView("BLOCKS")) {
            state = State::Blocks;
        } else if (code == 2 && value == QByteArrayView("ENTITIES")) {
            state = State::EntityInModelSpace;
            target = &reader.modelSpace_;
        } else if (code == 2 && value == QByteArrayView("HEADER")) {
            state = State::Header;
        } else {
            state = State::OtherSection;
        }
        return true;
    }

    bool HeaderPair(int code, QByteArrayView value)
    {
        if (code == 0 && value == QByteArrayView("ENDSEC")) {
            state = State::Outside;
        } else if (code == 9) {
            variable = Text(value).trimmed();
        } else if (code == 70 && variable == QLatin1String("$INSUNITS")) {
            return Integer(value, reader.units_);
        }
        return true;
    }

    bool Pair(int code, QByteArrayView value)
    {
        switch (state) {
        case State::Outside:
            if (code == 0 && value == QByteArrayView("SECTION"))
                state = State::SectionStart;
            return true;
        case State::SectionStart:
            return SectionName(code, value);
        case State::Header:
            return HeaderPair(code, value);
        case State::OtherSection:
            if (code == 0 && value == QByteArrayView("ENDSEC"))
                state = State::Outside;
            return true;
        case State::Blocks:
            if (code == 0 && value == QByteArrayView("BLOCK")) {
                if (reader.blocks_.size() >= static_cast<size_t>(kMaxBlocks))
                    return Fail(QStringLiteral("more than %1 blocks").arg(kMaxBlocks));
                reader.blocks_.emplace_back();
                target = &reader.blocks_.back();
                state = State::BlockHeader;
            } else if (code == 0 && value == QByteArrayView("ENDSEC")) {
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
                b.name = Text(value);
            return Coordinate(code, value, b.base, 10);
        case State::Line: {
            dxf::Line& l = b.lines.back();
            if (code == 8)
                l.layer = Layer(value);
            return Coordinate(code, value, l.start, 10) && Coordinate(code, value, l.end, 11);
        }
        case State::Text: case State::MText: {
            dxf::Text& t = b.texts.back();
            const bool mtext = state == State::MText;
            if (code == 1)
                t.text = Text(value);
            else if (code == 3 && mtext)
                mtextChunks += Text(value);
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
                if (mtext)
                    mtextAttachment = flags;
                else
                    t.mirrored = flags == 2;
            } else if (mtext && (code == 11 || code == 21)) {
                return Coordinate(code, value, mtextDirection, 11);
            }
            return Coordinate(code, value, t.at, 10) && Extrusion(code, value);
        }
        case State::Polyline: {
            dxf::Polyline& p = b.polylines.back();
            if (code == 8)
                p.layer = Layer(value);
            else if (code == 70)
                return Integer(value, p.flags);
            return Extrusion(code, value);
        }
        case State::LwPolyline: {
            dxf::Polyline& p = b.polylines.back();
            if (code == 8)
                p.layer = Layer(value);
            else if (code == 70)
                return Integer(value, p.flags);
            else if (code == 10) {
                if (p.vertices.size() >= static_cast<size_t>(kMaxPolylineVertices))
                    return Fail(QStringLiteral("a polyline has more than %1 vertices").arg(kMaxPolylineVertices));
                p.vertices.emplace_back();
                return Number(value, p.vertices.back().at.x);
            } else if (!p.vertices.empty() && code == 20) {
                return Number(value, p.vertices.back().at.y);
            } else if (!p.vertices.empty() && code == 42) {
                return Number(value, p.vertices.back().bulge);
            }
            return Extrusion(code, value);
        }
        case State::Vertex: {
            dxf::Vertex& v = b.polylines.back().vertices.back();
            if (code == 42)
                return Number(value, v.bulge);
            if (code == 70) {
                int flags = 0;
                if (!Integer(value, flags))
                    return false;
                if ((flags & 16) != 0) {
                    // A spline-fit polyline's frame: the curve is the fit vertices.
                    b.polylines.back().vertices.pop_back();
                    state = State::Skipped;
                }
                return true;
            }
            return Coordinate(code, value, v.at, 10);
        }
        case State::Circle: {
            dxf::Circle& c = b.circles.back();
            if (code == 8)
                c.layer = Layer(value);
            else if (code == 40)
                return Number(value, c.radius);
            return Coordinate(code, value, c.centre, 10) && Extrusion(code, value);
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
            return Coordinate(code, value, a.centre, 10) && Extrusion(code, value);
        }
        case State::Ellipse: {
            dxf::Ellipse& e = b.ellipses.back();
            if (code == 8)
                e.layer = Layer(value);
            else if (code == 40)
                return Number(value, e.ratio);
            else if (code == 41)
                return Number(value, e.startParameter);
            else if (code == 42)
                return Number(value, e.endParameter);
            return Coordinate(code, value, e.centre, 10) && Coordinate(code, value, e.major, 11)
                   && Extrusion(code, value);
        }
        case State::Spline: {
            dxf::Spline& sp = b.splines.back();
            if (code == 8)
                sp.layer = Layer(value);
            else if (code == 70)
                return Integer(value, sp.flags);
            else if (code == 71)
                return Integer(value, sp.degree);
            else if (code == 40) {
                if (sp.knots.size() >= static_cast<size_t>(kMaxPolylineVertices))
                    return Fail(QStringLiteral("a spline has more than %1 knots").arg(kMaxPolylineVertices));
                sp.knots.emplace_back();
                return Number(value, sp.knots.back());
            } else if (code == 41) {
                if (sp.weights.size() >= static_cast<size_t>(kMaxPolylineVertices))
                    return Fail(QStringLiteral("a spline has more than %1 weights").arg(kMaxPolylineVertices));
                sp.weights.emplace_back();
                return Number(value, sp.weights.back());
            } else if (code == 10) {
                return Append(sp.controls, value, &die::coord::x);
            } else if (code == 20 && !sp.controls.empty()) {
                return Number(value, sp.controls.back().y);
            } else if (code == 11) {
                return Append(sp.fits, value, &die::coord::x);
            } else if (code == 21 && !sp.fits.empty()) {
                return Number(value, sp.fits.back().y);
            }
            return true;
        }
        case State::Insert: {
            dxf::Insert& i = b.inserts.back();
            if (code == 2)
                i.name = Text(value);
            else if (code == 41)
                return Number(value, i.scaleX);
            else if (code == 42)
                return Number(value, i.scaleY);
            else if (code == 50)
                return Number(value, i.angle);
            else if (code == 70)
                return Integer(value, i.columns);
            else if (code == 71)
                return Integer(value, i.rows);
            else if (code == 44)
                return Number(value, i.columnSpacing);
            else if (code == 45)
                return Number(value, i.rowSpacing);
            return Coordinate(code, value, i.at, 10) && Extrusion(code, value);
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        blocks_.clear();
        byName_.clear();
        return Fail(QStringLiteral("%1 cannot be opened").arg(path));
    }
    // Read whole rather than mapped: a file cut short by someone else while
    // it is read must not take the program down.
    return Read(file.readAll());
}

bool DxfReader::Read(QByteArrayView raw)
{
    blocks_.clear();
    byName_.clear();
    error_.clear();
    modelSpace_ = DxfBlock();
    units_ = 0;
    skipped_.clear();
    outOfRange_ = 0;
    binary_ = false;
    const dxf::Bytes bytes(raw);
    dxf::LineWalker lines(bytes.Body());
    if (bytes.Body().startsWith("AutoCAD Binary DXF")) {
        binary_ = true;
        return Fail(QStringLiteral("binary DXF files cannot be read; save the drawing as ASCII DXF"));
    }
    Parser parser(*this);
    parser.bytes = &bytes;
    bool ok = true;
    while (ok && !lines.AtEnd()) {
        ++parser.line;
        int code = 0;
        if (!lines.NextPlainCode(code) && !parser.CodeLine(lines, code, ok))
            break;
        if (lines.AtEnd()) {
            ok = parser.Fail(QStringLiteral("the file ends after a group code"));
            break;
        }
        ++parser.line;
        ok = parser.Pair(code, lines.Next());
    }
    if (ok && parser.target == &modelSpace_)
        ok = Fail(QStringLiteral("the file ends inside its ENTITIES section"));
    else if (ok && (parser.target != nullptr || parser.state == State::Blocks))
        ok = Fail(QStringLiteral("the file ends inside its BLOCKS section"));
    if (!ok) {
        blocks_.clear();
        modelSpace_ = DxfBlock();
        return false;
    }
    IndexBlocks();
    return true;
}

void DxfReader::Skip(const QString& kind)
{
    for (auto& [name, count] : skipped_) {
        if (name == kind) {
            ++count;
            return;
        }
    }
    if (skipped_.size() < kMaxSkippedKinds)
        skipped_.emplace_back(kind, 1);
}

QString DxfReader::SkippedReport() const
{
    QStringList parts;
    for (const auto& [name, count] : skipped_)
        parts << QStringLiteral("%1 %2").arg(count).arg(name);
    if (outOfRange_ > 0)
        parts << QStringLiteral("%1 with values out of range").arg(outOfRange_);
    return parts.isEmpty() ? QString() : parts.join(QStringLiteral(", ")) + QStringLiteral(" skipped");
}

bool DxfReader::HasFigures() const
{
    if (!modelSpace_.IsEmpty())
        return true;
    for (const DxfBlock& b : blocks_) {
        if (!b.IsEmpty())
            return true;
    }
    return false;
}

double DxfReader::UnitScale() const
{
    return UnitScale(units_);
}

double DxfReader::UnitScale(int units)
{
    switch (units) {
    case 0: case 4: return 1.0;       // unitless, millimetres
    case 1: return 25.4;              // inches
    case 2: return 304.8;             // feet
    case 5: return 10.0;              // centimetres
    case 6: return 1000.0;            // metres
    case 8: return 25.4e-6;           // microinches
    case 9: return 0.0254;            // mils
    case 10: return 914.4;            // yards
    case 13: return 0.001;            // microns
    case 14: return 100.0;            // decimetres
    default: return 0.0;              // not a length a die is drawn in
    }
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
