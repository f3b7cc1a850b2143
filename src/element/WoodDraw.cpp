// The die board drawn straight onto a dialog's preview context: the reduced
// form of its outline (plain gaps, no slots, texts or bridges), the knife
// dimensions and the hatched layout area.
#include "element/Wood.h"

#include "display/DrawContext.h"
#include "element/BoardLayout.h"
#include "element/FittedPreview.h"
#include "element/WoodOutline.h"
#include "geometry/GeomConstants.h"
#include "options/Options.h"

#include <cmath>

namespace {

class ContextSink : public WoodSink {
public:
    explicit ContextSink(DrawContext& dc) : dc_(dc) {}
    void Line(const die::coord& from, const die::coord& to, int) override { dc_.Line(from, to); }
    void Arc(const die::coord& centre, const die::coord& start, const die::coord& end, int) override
    {
        const double r = die::distance(centre, start);
        // The context's arc runs counter-clockwise from its start (the
        // preview devices draw clockwise under the mirrored Y axis).
        dc_.Arc(centre - die::coord{r, r}, centre + die::coord{r, r}, end, start);
    }

private:
    DrawContext& dc_;
};

constexpr double kArrowShare = 0.2; // arrow strokes: a fifth of the segment
constexpr double kArrowSpread = Geom::kPi / 6.0;
constexpr double kLetterWidth = 10.0;
constexpr double kLetterHeight = 8.0;
constexpr double kAngleTolerance = 0.001;
constexpr double kLetterLift = 1.0;

die::coord Unit(double angle)
{
    return {std::cos(angle), std::sin(angle)};
}

} // namespace

void CWood::DrawDimension(DrawContext& dc, const die::coord& from, const die::coord& to, int number)
{
    const platform::ColorRef colour =
        number == highlighted_ && options ? static_cast<platform::ColorRef>(options->GetPropSelColour())
                                          : previewColour_;
    const platform::Pen old = dc.device->selectPen({platform::PenStyle::Solid, 1, colour});
    const auto stroke = [&](const die::coord& a, const die::coord& b) {
        dc.device->moveTo(dc.ToDevice(a));
        dc.device->lineTo(dc.ToDevice(b));
    };
    const die::coord along = to - from;
    const double a = std::atan2(along.y, along.x);
    const double l = std::hypot(along.x, along.y) * kArrowShare;
    stroke(from, to);
    stroke(from, from + Unit(a + kArrowSpread) * l);
    stroke(from, from + Unit(a - kArrowSpread) * l);
    stroke(to, to + Unit(a + Geom::kPi + kArrowSpread) * l);
    stroke(to, to + Unit(a + Geom::kPi - kArrowSpread) * l);
    double reading = std::fmod(a + Geom::kPi + 2.0 * Geom::kTwoPi, Geom::kTwoPi);
    if (reading > Geom::kHalfPi - kAngleTolerance && reading < 3.0 * Geom::kHalfPi + kAngleTolerance)
        reading = a;
    const die::coord at = (from + to) / 2.0 + Unit(reading + Geom::kHalfPi) * kLetterLift;
    dc.DrawStrokeText(at.x, at.y, kLetterWidth, kLetterHeight, reading * 180.0 / Geom::kPi,
                      QString(QChar(u'A' + number - 1)));
    (void)dc.device->selectPen(old);
}

void CWood::DrawEqualizingRules(DrawContext& dc, const die::coord& s0, const die::coord& s1,
                                const WoodSideRecord& side, double extent)
{
    constexpr double kPreviewMinDistance = 0.001;
    const WoodOutline::RuleSeries series = WoodOutline::RuleEnds(s0, s1, side);
    for (const die::coord& p : series.ends) {
        if (extent == 0.0) {
            dc.Line(p, p - series.n * side.offset);
        } else {
            const die::coord q = p - series.n * GetProbeLength();
            dc.Line(p, NearestEnd(p, q, extent + 10.0, true, kPreviewMinDistance));
        }
        dc.Line(side.oneSidedTick ? p : p - series.d * series.tick, p + series.d * series.tick);
    }
}

void CWood::Draw(DrawContext& dc)
{
    if (!dc.device)
        return;
    const WoodValues& v = values_;
    const WoodBox box = LayoutBox();
    const BoardLayout::Probing probing(layout_);
    if (!IsFinite(BoardBox(box)))
        return;
    const die::coord topLeft{box.minX, box.maxY};
    const die::coord topRight{box.maxX, box.maxY};
    const die::coord bottomRight{box.maxX, box.minY};
    const die::coord bottomLeft{box.minX, box.minY};
    const auto extent = [&](double value) { return preview ? 0.0 : value; };
    const double height = box.maxY - box.minY;
    const double width = box.maxX - box.minX;
    if (v.sides[WoodValues::SideTop].on)
        DrawEqualizingRules(dc, topLeft, topRight, v.sides[WoodValues::SideTop], extent(height));
    if (v.sides[WoodValues::SideRight].on)
        DrawEqualizingRules(dc, topRight, bottomRight, v.sides[WoodValues::SideRight], extent(width));
    if (v.sides[WoodValues::SideBottom].on)
        DrawEqualizingRules(dc, bottomRight, bottomLeft, v.sides[WoodValues::SideBottom], extent(height));
    if (v.sides[WoodValues::SideLeft].on)
        DrawEqualizingRules(dc, bottomLeft, topLeft, v.sides[WoodValues::SideLeft], extent(width));

    ContextSink sink(dc);
    const WoodBox board = BoardBox(box);
    const WoodFrame frame = WoodOutline::MakeFrame(board, FrontEdge(), v);
    double notchWidth = v.notchWidth;
    double notchDepth = v.notchDepth;
    if (options)
        options->GetClSize(notchWidth, notchDepth);
    WoodOutline::AddNotch(sink, frame, notchWidth, notchDepth);
    const auto knives = WoodOutline::AddKnives(sink, frame, v, options, false);
    if (dimensionPreview_ && !knives.empty()) {
        const auto& [q1, q0] = knives.front();
        const die::coord middle = (q0 + q1) / 2.0;
        DrawDimension(dc, q0, q0 + frame.u * v.knifeStartOverhang, 1);
        DrawDimension(dc, q1, q1 - frame.u * v.knifeEndOverhang, 2);
        DrawDimension(dc, middle, middle - frame.v * v.knifeOffset, 3);
        const die::coord lastMiddle = (knives.back().first + knives.back().second) / 2.0;
        DrawDimension(dc, lastMiddle, lastMiddle - frame.v * v.knifeSpacing, 4);
        const die::coord farEdge = middle + frame.v * (frame.bd - die::dot(middle - frame.centre, frame.v));
        DrawDimension(dc, farEdge, farEdge - frame.v * v.knifeEndClearance, 5);
    }
    WoodOutline::AddBoardOutline(sink, frame, UsableFillet(board), v.gapSpacing, false);
    if (preview) {
        const platform::Pen oldPen = dc.device->selectPen({platform::PenStyle::Solid, 1, previewColour_});
        const platform::Brush oldBrush =
            dc.device->selectBrush(platform::Brush::hatched(platform::HatchStyle::BackwardDiagonal, previewColour_));
        const platform::DevicePoint a = dc.ToDevice(topLeft);
        const platform::DevicePoint b = dc.ToDevice(bottomRight);
        dc.device->rectangle(a.x, a.y, b.x, b.y);
        (void)dc.device->selectBrush(oldBrush);
        (void)dc.device->selectPen(oldPen);
    }
}

double CWood::DrawFitted(DrawContext& dc, const DeviceRect& rect)
{
    const WoodBox board = BoardBox(LayoutBox());
    const double width = std::abs(board.maxX - board.minX);
    const double height = std::abs(board.maxY - board.minY);
    // A board without extent has nothing to fit.
    if (!dc.device || !(width > 0.0) || !(height > 0.0) || !std::isfinite(width) || !std::isfinite(height))
        return 0.0;
    FitPreview(dc, rect, {(board.minX + board.maxX) / 2.0, (board.minY + board.maxY) / 2.0}, width, height);
    Draw(dc);
    return dc.scale;
}
