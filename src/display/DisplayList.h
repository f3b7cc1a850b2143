#pragma once
// An element's geometry as simple figures (line, curve, arc, ellipse, text),
// each with its line type, ptg and the bridges of its rule; the paths the
// figures close into; and the output records (move, draw, arc data) that the
// view, the printer, the exporters and the explosion read.
//
// An element refills its list in RebuildContour:
//   Begin(line type, 0, resolution, ptg); figure calls; End();
//   AddBridge(position, width) for each bridge in ascending position.
// Closing a figure builds its path and box and marks the output stale;
// Regenerate(mode) then rebuilds the output for display mode 0 (plain),
// 1 (bridges cut out of the rules) or 2 (wave, tear and mixed line types drawn
// as their patterns), and does nothing when the mode has not changed.
//
// All coordinates are millimetres in drawing space. A line type of -1 in a
// figure call means the list's default line type.
#include "platform/ScopedOverride.h"
#include "geometry/BoundingBox.h"
#include "geometry/Coord.h"
#include "geometry/PathNode.h"

#include <QString>

#include <deque>
#include <vector>

class GlyphPathTable;
class LinetypeTable;

namespace DisplayMode {
inline constexpr int Normal = 0;
inline constexpr int WithBridges = 1;
inline constexpr int SpecialLineTypes = 2;
} // namespace DisplayMode

struct FigureKind {
    enum : int { Line = 0, Curve = 1, Arc = 2, Ellipse = 3, Text = 4 };
};

// How a figure's output records are to be read.
struct OutputKind {
    enum : int {
        None = 0,
        Polyline = 1, // move and draw records (codes 1 to 4)
        WaveArcs = 2, // moves, and half-wave arcs of four records each (code 2, then three of code 0)
        Arc = 3,      // centre, (radius, 0), then the drawn pieces as (start, end) pairs
    };
};

struct OutputCode {
    enum : int {
        Data = 0,     // arc data: centre, radius, angles, piece ends
        Move = 1,     // move to the point
        Draw = 2,     // draw to the point; in wave output: a half-wave arc ending here follows
        DrawPen0 = 3, // draw to the point with pattern pen 0 (mixed line types)
        DrawPen1 = 4, // draw to the point with pattern pen 1
        LongArc = 5,  // the arc piece ending here sweeps more than a half turn
        Spur = 6,     // a spur from this point to the next (read by the painters, never made here)
    };
};

// One bridge: a gap of the rule from position to position + width, measured
// along the figure's path from its first node.
struct DisplayBridge {
    int kind = 0; // always 0: a gap
    double position = 0.0;
    float width = 0.0f;
};

// A point of a figure's path. length is the straight distance from the
// previous node of the same figure, 0 for a node that starts a new stroke.
// An arc's path is centre, (radius, 0), start, end; the end's length is the
// arc length.
struct OutputNode {
    double x = 0.0;
    double y = 0.0;
    int code = OutputCode::Data;
    int lineType = 0;
};

struct DisplayFigure {
    int kind = FigureKind::Line;
    int lineType = 0;
    int attribute = 0;
    int outputKind = OutputKind::None;
    // Curve: samples per span between two points; ellipse: steps per full turn.
    int resolution = 0;
    float ptg = 0.0f;
    QString text;                           // text figures only
    const GlyphPathTable* glyphs = nullptr; // text figures only

    // The defining points by kind:
    //   line: start, end
    //   curve: the points the curve passes through
    //   arc: centre, start, end (counter-clockwise from the end to the start;
    //        start equal to end within 1e-6 is a full circle)
    //   ellipse: centre, unit vector of the first axis, (first radius, second
    //        radius), start vector from the centre, end vector from the centre
    //   text: origin, unit direction of the baseline, (advance, height)
    std::vector<die::coord> points;
    std::vector<DisplayBridge> bridges;
    std::vector<PathNode> path;
    std::vector<OutputNode> output;
    BoundingBox box;
    // What drawing the output can touch: the box, and for a wave or tear
    // pattern its output beside the path (the view skips figures outside
    // its window by it). Set with the output.
    BoundingBox drawnBox;
};

class DisplayList {
public:
    // The most path nodes a curve or an ellipse is sampled into; higher
    // resolutions are lowered to stay within it.
    static constexpr int MaxPathNodes = 32767;

    DisplayList() = default;

    // Links set once by the application: the line types that patterns read,
    // and the glyph paths every new text figure takes.
    // The tables every display list draws with, installed until the guard
    // goes; null before.
    static platform::ScopedOverride<LinetypeTable*> InstallLinetypeTable(LinetypeTable& table);
    static LinetypeTable* GetLinetypeTable();
    static platform::ScopedOverride<const GlyphPathTable*> InstallGlyphPathTable(const GlyphPathTable& table);
    static const GlyphPathTable* GetGlyphPathTable();

    // Frees every figure; closed, output stale, default line type 0, empty box.
    void Reset();
    // Reset, then the defaults for the figures that follow.
    void Begin(int lineType, int attribute, int resolution, double ptg);
    void SetLinetype(int lineType) { lineType_ = lineType; }
    void SetResolution(int resolution) { resolution_ = resolution; }

    // Closes the open figure, if any, and opens a new one of that kind.
    DisplayFigure& AddFigure(int kind, int lineType = -1);
    void AddLine(const die::coord& start, const die::coord& end, int lineType = -1);
    void AddArc(const die::coord& centre, const die::coord& start, const die::coord& end, int lineType = -1);
    void AddEllipse(const die::coord& centre, const die::coord& axis, const die::coord& radii,
                    const die::coord& startVector, const die::coord& endVector, int lineType = -1);
    // The direction is made a unit vector when its length is greater than 0.
    void AddText(const die::coord& origin, const die::coord& direction, const die::coord& advanceAndHeight,
                 const QString& text, int lineType = -1);
    // A curve stays open for AddPoint until the next figure call or End.
    void BeginCurve(int lineType = -1);
    // Appends a point to the last figure; without a figure nothing happens.
    void AddPoint(const die::coord& point);
    // Adds a bridge to the last figure (open or closed); without a figure
    // nothing happens. The figure's bridges stay sorted by position, and a
    // bridge that overlaps or meets another is merged with it into one gap.
    void AddBridge(double position, double width);
    // Builds the open figure's path and box; the output becomes stale.
    void CloseFigure();
    void End() { CloseFigure(); }

    // Builds the output of every figure for the display mode; nothing when the
    // output was already built for that mode.
    void Regenerate(int mode);

    const std::deque<DisplayFigure>& Figures() const { return figures_; }
    bool IsEmpty() const { return figures_.empty(); }
    bool IsClosed() const { return closed_; }
    // The mode the output was built for; -1 when it is stale.
    int GetOutputMode() const { return outputMode_; }
    const BoundingBox& GetBoundingBox() const { return box_; }

private:
    bool closed_ = true;
    int outputMode_ = -1;
    int lineType_ = 0;
    int attribute_ = 0;
    int resolution_ = 0;
    float ptg_ = 0.0f;
    std::deque<DisplayFigure> figures_;
    BoundingBox box_;
};
