#include "document/DxfSectionSink.h"

#include "document/GeneralLoader.h"
#include "element/Element.h"
#include "element/Text.h"
#include "exchange/dxf/DxfReader.h"
#include "section/Section.h"

#include <cmath>

namespace {

// The coordinate the node table stores as the micrometre nearest to v (it
// keeps whole micrometres, truncated towards zero: 29.9999999999 would
// become 29.999).
double Snap(double v)
{
    const double micrometres = std::round(v * 1000.0);
    double snapped = micrometres / 1000.0;
    for (int i = 0; i < 4 && std::trunc(snapped * 1000.0) != micrometres; ++i)
        snapped = std::nextafter(snapped, micrometres > 0.0 ? 1e300 : -1e300);
    return snapped;
}

die::coord Snap(const die::coord& p)
{
    return {Snap(p.x), Snap(p.y)};
}

// Bulk creation for the guard's life: the section makes its elements
// without bridges.
class WithoutBridges {
public:
    WithoutBridges(Section& section, bool on) : section_(section), on_(on)
    {
        if (on_)
            section_.SetCreateWithoutBridges(true);
    }
    ~WithoutBridges()
    {
        if (on_)
            section_.SetCreateWithoutBridges(false);
    }
    WithoutBridges(const WithoutBridges&) = delete;
    WithoutBridges& operator=(const WithoutBridges&) = delete;

private:
    Section& section_;
    bool on_;
};

} // namespace

DxfSectionSink::DxfSectionSink(Section& section, const DxfReader& reader, bool bulk)
    : section_(section), reader_(reader), bulk_(bulk)
{
    font_.height = 12;
    font_.setFace(QStringLiteral("Arial"));
}

void DxfSectionSink::AddLine(const die::coord& from, const die::coord& to, int lineType)
{
    if (!Accept({from, to}))
        return;
    const die::coord a = Snap(from), b = Snap(to);
    const WithoutBridges guard(section_, bulk_);
    Made(section_.AddLine3(a.x, a.y, b.x, b.y, true, lineType));
}

void DxfSectionSink::AddArc(const die::coord& centre, const die::coord& start, const die::coord& end, int lineType)
{
    if (!Accept({centre, start, end}))
        return;
    const die::coord c = Snap(centre), s = Snap(start), e = start == end ? s : Snap(end);
    const WithoutBridges guard(section_, bulk_);
    Made(section_.AddArc3(c.x, c.y, s.x, s.y, e.x, e.y, true, lineType));
}

void DxfSectionSink::AddEllipse(const die::coord& centre, const die::coord& majorEnd, const die::coord& minorEnd,
                                const die::coord& start, const die::coord& end, int lineType)
{
    if (!Accept({centre, majorEnd, minorEnd, start, end}))
        return;
    const die::coord c = Snap(centre), major = Snap(majorEnd), minor = Snap(minorEnd), s = Snap(start),
                     e = start == end ? s : Snap(end);
    const WithoutBridges guard(section_, bulk_);
    Made(section_.AddEllipse4(c.x, c.y, s.x, s.y, e.x, e.y, major.x, major.y, minor.x, minor.y, true, lineType));
}

void DxfSectionSink::AddText(const die::coord& at, double height, double angle, double advance, const QString& text,
                             int lineType)
{
    if (!Accept({at, die::coord(height, advance)}))
        return;
    if (lineType == kCurrentLineType)
        lineType = reader_.LastLineType() != kCurrentLineType ? reader_.LastLineType() : section_.CurrentLineType();
    (void)section_.AddText2(at.x, at.y, height, angle, advance, text, font_, 0, TextFontKind::StrokeFont, lineType);
}

void DxfSectionSink::AddSpline(const std::vector<die::coord>& points, int lineType)
{
    for (const die::coord& p : points) {
        if (!Accept({p}))
            return;
    }
    std::vector<die::coord> snapped;
    snapped.reserve(points.size());
    for (const die::coord& p : points)
        snapped.push_back(Snap(p));
    const WithoutBridges guard(section_, bulk_);
    Made(section_.AddSplineThrough(snapped, true, lineType));
}

bool DxfSectionSink::Accept(std::initializer_list<die::coord> points)
{
    for (const die::coord& p : points) {
        if (!(std::fabs(p.x) <= general_loader::kMaxMagnitude && std::fabs(p.y) <= general_loader::kMaxMagnitude)) {
            ++refused;
            return false;
        }
    }
    return true;
}

void DxfSectionSink::Made(const ElementIterator& made)
{
    if (!bulk_ && made.NotEqual(section_.end()))
        made.Get()->SetAutoBridges(0, 0.0);
}
