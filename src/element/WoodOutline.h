#pragma once
// The figures of a die board, measured on its board rectangle: the
// front-edge frame, the centre notch, the register slots, the knife lines,
// the outline with its gaps and corner arcs and the text boxes. They go to a
// WoodSink: the board's display list (CWood::RebuildContour) or a dialog's
// preview context (CWood::Draw), so both show the same geometry.
#include "element/Wood.h"
#include "geometry/Coord.h"

#include <vector>

class COptions;

namespace WoodLineType {
inline constexpr int Frame = 122;  // "wood_frame": outline and text boxes
inline constexpr int Knife = 123;  // "wood_knife"
inline constexpr int Scrap = 124;  // "wood_scrap": equalizing rules
inline constexpr int Centre = 125; // "wood_center": notch and register slots
inline constexpr int Text = 128;   // "wood_text"
} // namespace WoodLineType

class WoodSink {
public:
    virtual ~WoodSink() = default;
    virtual void Line(const die::coord& from, const die::coord& to, int lineType) = 0;
    // Counter-clockwise from the end to the start about the centre.
    virtual void Arc(const die::coord& centre, const die::coord& start, const die::coord& end, int lineType) = 0;
    // A bridge of the last line.
    virtual void Bridge(double, double) {}
    virtual void Text(const die::coord&, const die::coord&, const die::coord&, const QString&, int) {}
};

// The board seen from its front edge: u runs along the front edge, v from it
// into the board (u turned by +90 degrees); p0 is the front edge's midpoint,
// e half its length, bd half the board's extent along v.
struct WoodFrame {
    die::coord u;
    die::coord v;
    die::coord p0;
    die::coord centre;
    double e = 0.0;
    double bd = 0.0;
    double farMargin = 0.0;
    double minusMargin = 0.0; // at the −u end
    double plusMargin = 0.0;  // at the +u end
};

namespace WoodOutline {

// The width of a gap of the outline.
inline constexpr double kGapWidth = 2.5;
// The most figures one series (gaps of an edge, knife lines, rules of a
// side) is given, so that no value read from a file makes a rebuild endless.
inline constexpr int kMaxSeries = 10000;

// A count from a computed value: 0 unless finite and positive, at most
// kMaxSeries; truncated.
int SeriesCount(double value);

WoodFrame MakeFrame(const WoodBox& board, int frontEdge, const WoodValues& values);

// Three sides of the notch rectangle, open to the front edge.
void AddNotch(WoodSink& sink, const WoodFrame& f, double width, double depth);
// The pairs of U-shaped slots at ±455 and ±195 that fit on the front edge;
// none for a radius of 0 or less.
void AddSlots(WoodSink& sink, const WoodFrame& f, double radius, double depth);
// The knife lines beyond the far side of the layout (each from its +u end
// to its −u end), with bridges by rule when withBridges. Returns the lines'
// ends.
std::vector<std::pair<die::coord, die::coord>> AddKnives(WoodSink& sink, const WoodFrame& f, const WoodValues& v,
                                                           const COptions* options, bool withBridges);
// The gap centres of a straight part running ±s about its midpoint, for
// the spacing: none for a spacing of 0 or less.
std::vector<double> GapCentres(double s, double spacing);
// The outline edge by edge with its gaps (their ends bent inwards when
// bentEnds) and, for a fillet above 0, the corner arcs.
void AddBoardOutline(WoodSink& sink, const WoodFrame& f, double fillet, double spacing, bool bentEnds);
// The outer ends of the equalizing rules of one side from s0 to s1, the
// side's direction d and its outward normal n: none when the step is under
// 0.1 or the side is shorter than start plus one step.
struct RuleSeries {
    die::coord d;
    die::coord n;
    double tick = 0.0; // half the tick at a rule's outer end
    std::vector<die::coord> ends;
};
RuleSeries RuleEnds(const die::coord& s0, const die::coord& s1, const WoodSideRecord& side);
// Bridges by rule over a rule of that length, after it.
void AddRuleBridges(WoodSink& sink, double length, const COptions* options);
// The text boxes of the set positions along the edges L, R, B, T; none at
// all when the text height exceeds the band.
void AddTexts(WoodSink& sink, const WoodValues& v, double left, double right, double bottom, double top);

} // namespace WoodOutline
