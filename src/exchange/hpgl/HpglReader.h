#pragma once
// HP-GL plotter files (".plt") as lines: "SP" selects the pen (the line
// type of the lines after it), "PU" and "PD" lift and lower the pen (their
// parameters are not used), "PA" moves to absolute points given as pairs of
// integers, drawing a line to each while the pen is down. Every other
// command is skipped. Commands end at ";" or at a line end; the text ends at
// the file's end or at a zero byte. 40 plotter units make a millimetre.
#include "geometry/Coord.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace hpgl {

inline constexpr double kUnitsPerMm = 40.0;
// A file that would draw more lines than this is refused.
inline constexpr int64_t kMaxLines = 1000000;

struct Line {
    die::coord start; // mm
    die::coord end;   // mm
    // The pen selected before the line; none when no "SP" came before it.
    std::optional<int32_t> pen;
};

class HpglReader {
public:
    // The lines the file draws, in order; false, with the reason, for a file
    // that draws more than kMaxLines.
    [[nodiscard]] static bool Read(QByteArrayView bytes, std::vector<Line>& lines, QString* error);
};

} // namespace hpgl
