#pragma once
// The CF2 die file: text, one record per line, fields separated by commas.
// The main block's "C," records place the named sub-blocks (offset, angle in
// degrees, scales); the figures after a "SUB," record belong to that
// sub-block and are drawn once per placement. Figures: "L," lines, "A,"
// arcs, "T," texts (the text is the whole next line); "UM" and "UI" set
// millimetres or inches for the figures after them. Other records ("$BOF",
// "V2", "MAIN,", "LL,", "UR,", "SCALE,", "END"...) are ignored.
//
// The whole file is read into plain records first, so a sub-block's
// placements count wherever they stand in the file; only then are the
// figures handed to the importer, in file order, each once per placement.
#include "exchange/Importer.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

namespace cf2 {

// Limits of a file: sub-blocks (the main block counted), placements of one
// sub-block, and figures handed to the importer (every placement counted).
inline constexpr int kMaxBlocks = 100;
inline constexpr int kMaxPlacements = 300;
inline constexpr int64_t kMaxFigures = 1000000;

struct Placement {
    double x = 0.0;
    double y = 0.0;
    double angle = 0.0; // radians in [0, 2π)
    double scaleX = 1.0;
    double scaleY = 1.0;
};

struct Block {
    QString name; // empty for the main block
    std::vector<Placement> placements;
};

enum class FigureKind { Line, Arc, Text };

// One figure as the file gives it, in file units. Lines: (a, b) to (c, d).
// Arcs: start (a, b), end (c, d), centre (e, f), direction g (positive:
// counter-clockwise). Texts: position (a, b), direction (c, d), width e and
// height f.
struct Figure {
    FigureKind kind = FigureKind::Line;
    int subBlock = -1;  // index into Drawing::subBlockNames, −1 the main block
    double unit = 1.0;  // mm per file unit where the figure stands
    double a = 0.0, b = 0.0, c = 0.0, d = 0.0, e = 0.0, f = 0.0, g = 0.0;
    ImportAttributes attributes;
    QString text;
};

struct Drawing {
    std::vector<Block> blocks; // blocks[0] the main block, its one placement the identity
    std::vector<QString> subBlockNames; // the names "SUB," records give, in file order
    std::vector<Figure> figures;
};

class Cf2Reader {
public:
    // Reads the whole file into records; false, with the line and the
    // reason, for a record that cannot be used (a number out of range, a
    // text record without its text, too many sub-blocks or placements).
    [[nodiscard]] static bool Parse(QByteArrayView bytes, Drawing& drawing, QString* error);
    // Hands every figure of a read file to the importer, once per placement
    // of its sub-block; false, handing nothing, when that would be more than
    // kMaxFigures figures.
    [[nodiscard]] static bool Emit(const Drawing& drawing, Import::Importer& importer, QString* error);
    // Parse, then Emit.
    [[nodiscard]] static bool Read(QByteArrayView bytes, Import::Importer& importer, QString* error);
private:
    // The block a figure's sub-block name resolves to: the last block of
    // that name, 0 (the main block) when none.
    static int BlockOf(const Drawing& drawing, const Figure& figure);
    static void PlaceSub(const Figure& figure, const Block& block, Import::Importer& importer);
};

} // namespace cf2
