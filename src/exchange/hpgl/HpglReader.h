#pragma once
// HP-GL and HP-GL/2 plot files read by the language's grammar: a command is
// two letters (either case) followed by its parameters, which end at ";", at
// the next command's letters or at the file's end; numbers are separated by
// commas or blanks and may carry a sign and decimals. Understood:
// - "SP" selects the pen (the line type of what is drawn after it);
// - "PU" and "PD" lift and lower the pen, "PA" and "PR" set absolute and
//   relative plotting (kept until changed); each of the four moves through
//   the coordinate pairs it is given, drawing a line to each while the pen
//   is down;
// - "IN" and "DF" reset the plotter's state, "IP" places P1 and P2, "SC"
//   maps user units onto them (anisotropic, isotropic with its margins, or
//   by point factors);
// - "AA"/"AR" arcs by centre and sweep, "AT"/"RT" arcs through three points,
//   "CI" circles about the pen, "EA"/"ER"/"RA"/"RR" rectangles as four lines;
// - "LB" labels up to the label terminator (ETX, or the one "DT" sets), with
//   the size "SI"/"SR" and the direction "DI"/"DR" give.
// "PE" (encoded polylines) refuses the file. Printer wrappers are stepped
// over: "ESC ." device control, PCL escape sequences (the HP-GL/2 switch
// "ESC %1B" included; text between "ESC E" or "ESC %0A" and the next switch
// back is PCL, not HP-GL) and PJL lines. Any other command is skipped and
// counted by name. The text ends at the file's end or at a zero byte where a
// command may start. 40 plotter units make a millimetre.
#include "exchange/Importer.h"
#include "geometry/Coord.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace hpgl {

inline constexpr double kUnitsPerMm = 40.0;
// A file that would draw more figures (lines, arcs and labels together)
// than this is refused.
inline constexpr int64_t kMaxLines = 1000000;
// The largest coordinate, in plotter units, a figure may reach (HP-GL/2's
// parameter range); parameters beyond it are clamped, figures beyond it left
// out, both counted.
inline constexpr double kMaxUnits = 1073741823.0;
// The pens a file may select; "SP" with any other number is counted and
// leaves the pen as it was.
inline constexpr int32_t kMaxPen = 32767;

struct Line {
    die::coord start; // mm
    die::coord end;   // mm
    // The pen selected before the line; none when no "SP" came before it.
    std::optional<int32_t> pen;
};

struct Arc {
    die::coord centre; // mm
    die::coord start;  // mm; equal to end for a whole circle
    die::coord end;
    bool counterClockwise = true;
    std::optional<int32_t> pen;
};

struct Label {
    die::coord position; // mm, the start of the baseline
    double angle = 0.0;  // radians in [0, 2π)
    die::coord size;     // mm: advance per character (x), height (y)
    QString text;
    std::optional<int32_t> pen;
};

struct Drawing {
    std::vector<Line> lines;
    std::vector<Arc> arcs;
    std::vector<Label> labels;
    // Commands this reader does not understand, by their two letters in
    // upper case, with how often each came.
    std::map<QString, int64_t> skipped;
    // Parameters clamped to the plotter's range, pens refused and figures
    // left out because they reach beyond it.
    int64_t outOfRange = 0;
};

class HpglReader {
public:
    // The figures the file draws, in order of each kind; false, with the
    // reason, for a file that draws more than kMaxLines figures or uses
    // encoded polylines.
    [[nodiscard]] static bool Read(QByteArrayView bytes, Drawing& drawing, QString* error);
    // The straight lines alone (rectangles included), as Read gives them.
    [[nodiscard]] static bool Read(QByteArrayView bytes, std::vector<Line>& lines, QString* error);
    // Hands every figure to the importer: lines, then arcs, then labels,
    // each with its pen as line type, or defaultLineType where no pen was
    // selected.
    static void Emit(const Drawing& drawing, Import::Importer& importer, int32_t defaultLineType);
    // "3 RO, 1 BZ": the skipped commands as the import report lists them
    // (empty when none).
    [[nodiscard]] static QString SkippedText(const Drawing& drawing);
};

} // namespace hpgl
