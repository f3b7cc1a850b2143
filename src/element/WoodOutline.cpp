#include "element/WoodOutline.h"

#include "options/Options.h"

#include <algorithm>
#include <cstdint>
#include <cmath>

namespace WoodOutline {

namespace {
constexpr double kHalfGap = kGapWidth / 2.0;
// A gap end bends 1 mm inwards and 0.65 mm towards the gap's centre.
constexpr double kBendIn = 1.0;
constexpr double kBendAlong = 0.65;
// The register slot pairs: their offsets from the notch and the room each
// needs on the half edge.
constexpr double kOuterSlots = 455.0;
constexpr double kOuterRoom = 460.0;
constexpr double kInnerSlots = 195.0;
constexpr double kInnerRoom = 200.0;
constexpr double kSmallestStep = 0.1;
// Half a rule's tick, as a share of its offset.
constexpr double kTickShare = 0.4;

die::coord Normal(const die::coord& d)
{
    return {-d.y, d.x};
}

enum class BoxKind { Top, Bottom, Left, Right };

void AddTextBox(WoodSink& sink, const WoodValues& v, const die::coord& c1, const die::coord& c2, BoxKind kind)
{
    const double h = v.textHeight;
    const double t = v.textBand;
    die::coord d = std::abs(c2.y - c1.y) <= std::abs(c2.x - c1.x) ? die::coord{c2.x - c1.x, 0.0}
                                                                   : die::coord{0.0, c2.y - c1.y};
    const double length = std::hypot(d.x, d.y);
    if (length > 0.0)
        d = d / length;
    const die::coord n = Normal(d);
    const double q = (t + h) / 2.0;
    // The side lying on the board edge stays open.
    if (kind != BoxKind::Top)
        sink.Line(c1, {c2.x, c1.y}, WoodLineType::Frame);
    if (kind != BoxKind::Left)
        sink.Line(c1, {c1.x, c2.y}, WoodLineType::Frame);
    if (kind != BoxKind::Right)
        sink.Line({c2.x, c1.y}, c2, WoodLineType::Frame);
    if (kind != BoxKind::Bottom)
        sink.Line({c1.x, c2.y}, c2, WoodLineType::Frame);
    die::coord origin = c1 + d * h - n * q;
    if (kind == BoxKind::Left)
        origin.x += t;
    sink.Text(origin, d, {h, h / 1.5}, v.text, WoodLineType::Text);
}
} // namespace

int SeriesCount(double value)
{
    if (!std::isfinite(value) || value <= 0.0)
        return 0;
    return static_cast<int>(std::min(value, static_cast<double>(kMaxSeries)));
}

WoodFrame MakeFrame(const WoodBox& board, int frontEdge, const WoodValues& v)
{
    const double l = board.minX;
    const double r = board.maxX;
    const double b = board.minY;
    const double t = board.maxY;
    WoodFrame f;
    f.centre = {(l + r) / 2.0, (b + t) / 2.0};
    const double halfWidth = (r - l) / 2.0;
    const double halfHeight = (t - b) / 2.0;
    switch (frontEdge) {
    case CentreLineEdge::Left:
        f.u = {0.0, -1.0};
        f.p0 = {l, f.centre.y};
        f.e = halfHeight;
        f.bd = halfWidth;
        f.farMargin = v.rightMargin;
        f.minusMargin = v.topMargin;
        f.plusMargin = v.bottomMargin;
        break;
    case CentreLineEdge::Top:
        f.u = {-1.0, 0.0};
        f.p0 = {f.centre.x, t};
        f.e = halfWidth;
        f.bd = halfHeight;
        f.farMargin = v.bottomMargin;
        f.minusMargin = v.rightMargin;
        f.plusMargin = v.leftMargin;
        break;
    case CentreLineEdge::Right:
        f.u = {0.0, 1.0};
        f.p0 = {r, f.centre.y};
        f.e = halfHeight;
        f.bd = halfWidth;
        f.farMargin = v.leftMargin;
        f.minusMargin = v.bottomMargin;
        f.plusMargin = v.topMargin;
        break;
    default:
        f.u = {1.0, 0.0};
        f.p0 = {f.centre.x, b};
        f.e = halfWidth;
        f.bd = halfHeight;
        f.farMargin = v.topMargin;
        f.minusMargin = v.leftMargin;
        f.plusMargin = v.rightMargin;
        break;
    }
    f.v = Normal(f.u);
    return f;
}

void AddNotch(WoodSink& sink, const WoodFrame& f, double width, double depth)
{
    const die::coord a = f.p0 - f.u * (width / 2.0);
    const die::coord b = f.p0 + f.u * (width / 2.0);
    sink.Line(a, a + f.v * depth, WoodLineType::Centre);
    sink.Line(a + f.v * depth, b + f.v * depth, WoodLineType::Centre);
    sink.Line(b + f.v * depth, b, WoodLineType::Centre);
}

void AddSlots(WoodSink& sink, const WoodFrame& f, double radius, double depth)
{
    if (!(radius > 0.0))
        return;
    const auto slot = [&](double a) {
        const die::coord m = f.p0 + f.u * (a - radius);
        const die::coord s = m + f.v * depth;
        const die::coord across = f.u * (2.0 * radius);
        sink.Line(m, s, WoodLineType::Centre);
        sink.Line(m + across, s + across, WoodLineType::Centre);
        sink.Arc(s + f.u * radius, s, s + across, WoodLineType::Centre);
    };
    for (const auto& [offset, room] : {std::pair{kOuterSlots, kOuterRoom}, std::pair{kInnerSlots, kInnerRoom}}) {
        if (radius + room < f.e) {
            slot(-offset);
            slot(offset);
        }
    }
}

std::vector<std::pair<die::coord, die::coord>> AddKnives(WoodSink& sink, const WoodFrame& f, const WoodValues& v,
                                                           const COptions* options, bool withBridges)
{
    std::vector<std::pair<die::coord, die::coord>> lines;
    const double o = v.knives ? v.knifeOffset : 0.0;
    const double s = v.knives ? v.knifeSpacing : 0.0;
    const double room = f.farMargin - v.knifeEndClearance - o;
    if (!(s > 0.0) || !(room >= 0.0))
        return lines;
    const int n = SeriesCount(std::trunc(room / s) + 1.0);
    const double across = o + f.bd - f.farMargin;
    die::coord q1 = f.centre + f.v * across + f.u * (f.e - f.plusMargin + v.knifeEndOverhang);
    die::coord q0 = f.centre + f.v * across + f.u * (f.minusMargin - f.e - v.knifeStartOverhang);
    for (int i = 0; i < n; ++i) {
        sink.Line(q1, q0, WoodLineType::Knife);
        if (withBridges)
            AddRuleBridges(sink, die::distance(q1, q0), options);
        lines.emplace_back(q1, q0);
        q1 = q1 + f.v * s;
        q0 = q0 + f.v * s;
    }
    return lines;
}

std::vector<double> GapCentres(double s, double spacing)
{
    std::vector<double> gaps;
    if (!(spacing > 0.0) || !std::isfinite(spacing) || !std::isfinite(s))
        return gaps;
    // g = X/2 + kX strictly inside (−s + 1.25, s − 1.25).
    const double first = std::floor((-s + kHalfGap - spacing / 2.0) / spacing) + 1.0;
    const double last = std::ceil((s - kHalfGap - spacing / 2.0) / spacing) - 1.0;
    const int count = SeriesCount(last - first + 1.0);
    for (int i = 0; i < count; ++i) {
        const double g = spacing / 2.0 + (first + i) * spacing;
        if (g - kHalfGap > -s && g + kHalfGap < s)
            gaps.push_back(g);
    }
    return gaps;
}

void AddBoardOutline(WoodSink& sink, const WoodFrame& f, double fillet, double spacing, bool bentEnds)
{
    struct Edge {
        die::coord m;
        die::coord d;
        double c;
    };
    const Edge edges[4] = {{f.centre + f.v * f.bd, f.u, f.e},
                           {f.centre + f.u * f.e, f.v * -1.0, f.bd},
                           {f.p0, f.u * -1.0, f.e},
                           {f.centre - f.u * f.e, f.v, f.bd}};
    for (const Edge& edge : edges) {
        const die::coord n = Normal(edge.d);
        const double s = edge.c - fillet;
        const die::coord at0 = edge.m - edge.d * s;
        const auto at = [&](double g) { return edge.m + edge.d * g; };
        const auto farBend = [&](double g) {
            const die::coord q = at(g + kHalfGap);
            sink.Line(q, q - n - edge.d * kBendAlong, WoodLineType::Frame);
        };
        die::coord from = at0;
        const std::vector<double> gaps = GapCentres(s, spacing);
        for (std::size_t i = 0; i < gaps.size(); ++i) {
            const die::coord p = at(gaps[i] - kHalfGap);
            sink.Line(from, p, WoodLineType::Frame);
            if (bentEnds) {
                sink.Line(p, p - n + edge.d * kBendAlong, WoodLineType::Frame);
                if (i > 0)
                    farBend(gaps[i - 1]);
            }
            from = at(gaps[i] + kHalfGap);
        }
        sink.Line(from, at(s), WoodLineType::Frame);
        if (bentEnds && !gaps.empty())
            farBend(gaps.back());
        if (fillet > 0.0) {
            const die::coord k = at(edge.c);
            sink.Arc(k - edge.d * fillet - n * fillet, k - edge.d * fillet, k - n * fillet, WoodLineType::Frame);
        }
    }
}

RuleSeries RuleEnds(const die::coord& s0, const die::coord& s1, const WoodSideRecord& side)
{
    RuleSeries series;
    if (!(side.step >= kSmallestStep))
        return series;
    die::coord d = s1 - s0;
    const double len = std::hypot(d.x, d.y);
    if (len > 0.0)
        d = d / len;
    series.d = d;
    series.n = Normal(d);
    series.tick = kTickShare * side.offset;
    if (!(len - side.start >= side.step))
        return series;
    // k + 1 rules, k whole steps after the first.
    const int rules = SeriesCount(std::trunc((len - side.start) / side.step) + 1.0);
    const int k = rules - 1;
    const double w = side.centred ? (len - k * side.step) / 2.0 : side.start;
    const die::coord first = s0 + d * w + series.n * side.offset;
    for (int i = 0; i < rules; ++i)
        series.ends.push_back(first + d * (i * side.step));
    return series;
}

void AddRuleBridges(WoodSink& sink, double length, const COptions* options)
{
    if (!options)
        return;
    const BridgeCount rule = options->GetAutoLengthNumBridges(length, 0);
    if (rule.count <= 0)
        return;
    const double gap = (length - rule.count * rule.bridgeLength) / rule.count;
    for (int i = 0; i < rule.count; ++i)
        sink.Bridge(i * gap + gap / 2.0 + i * rule.bridgeLength, rule.bridgeLength);
}

void AddTexts(WoodSink& sink, const WoodValues& v, double l, double r, double b, double t)
{
    const int h = v.textHeight;
    const double band = v.textBand;
    if (h > band)
        return;
    const double o = v.textOffset;
    // Whole millimetres, in a width no text height read from a file
    // overflows.
    const double w = static_cast<double>((static_cast<int64_t>(v.text.size()) + 2) * h);
    using P = WoodValues::TextPosition;
    const struct {
        P position;
        die::coord c1;
        die::coord c2;
        BoxKind kind;
    } boxes[] = {
        {P::TopLeft, {l + o, t}, {l + o + w, t - band}, BoxKind::Top},
        {P::BottomLeft, {l + o, b + band}, {l + o + w, b}, BoxKind::Bottom},
        {P::TopRight, {r - o - w, t}, {r - o, t - band}, BoxKind::Top},
        {P::BottomRight, {r - o - w, b + band}, {r - o, b}, BoxKind::Bottom},
        {P::LeftUpper, {l, t - o}, {l + band, t - o - w}, BoxKind::Left},
        {P::RightUpper, {r - band, t - o - w}, {r, t - o}, BoxKind::Right},
        {P::LeftLower, {l, b + o + w}, {l + band, b + o}, BoxKind::Left},
        {P::RightLower, {r - band, b + o}, {r, b + o + w}, BoxKind::Right},
    };
    for (const auto& box : boxes) {
        if (v.textPositions[static_cast<std::size_t>(box.position)])
            AddTextBox(sink, v, box.c1, box.c2, box.kind);
    }
}

} // namespace WoodOutline
