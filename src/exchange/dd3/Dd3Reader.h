#pragma once
// The DDES3 die file (".dd3"): text, one record per line, tokens separated
// by blanks; a backslash starts a comment. The first line identifies the
// file, the second gives the unit ("I" inches, "M" millimetres), "SIZE"
// opens the definitions: named blocks ("DESIGN", "LAYOUT", "BLOCK" ...
// "END") holding lines, arcs, corners, circles, hand-placed bridges of the
// figure before them, texts (the text is the next line) and inclusions of
// other blocks at an offset and angle, mirrored or not. "EOF" ends the file.
//
// The whole file is read first; then the first block defined is handed to
// the importer with every block it includes, directly or through others,
// placed where the inclusions put it.
#include "element/Bridge.h"
#include "exchange/Importer.h"

#include <QByteArrayView>
#include <QString>

#include <map>
#include <vector>

namespace dd3 {

// Limits of a file: blocks nested in each other, figures handed to the
// importer (every inclusion counted), bridges of one figure.
inline constexpr int kMaxDepth = 64;
inline constexpr int64_t kMaxFigures = 1000000;
inline constexpr int kMaxBridges = BridgeList::MaxCount;

// Lines, arcs, corners and circles: point 1 the start, point 2 the end,
// point 3 the centre (arcs, corners, circles), in mm.
struct Figure {
    QString name;
    die::coord p1;
    die::coord p2;
    die::coord p3;
    bool clockwise = false;
    ImportAttributes attributes;
};

struct TextRecord {
    QString name;
    die::coord position; // mm
    double angle = 0.0;  // radians in [0, 2π)
    double size = 0.0;   // mm
    int justification = 1; // 1 to 10
    QString text;
};

struct Inclusion {
    QString key;
    QString spare; // token 2, kept
    die::coord offset; // mm
    double angle = 0.0; // radians in [0, 2π)
    bool mirrorX = false;
    bool mirrorY = false;
    int target = -1; // index into Drawing::blocks; −1 when no block has the key
};

struct Block {
    QString key;
    QString headerTexts[3]; // tokens 4, 2 and 3 of the header
    std::vector<Inclusion> inclusions;
    std::vector<Figure> lines;
    std::vector<Figure> arcs;
    std::vector<Figure> circles;
    std::vector<Figure> corners;
    std::vector<TextRecord> texts;
};

struct Drawing {
    std::vector<Block> blocks;     // in file order
    std::map<QString, int> byKey;  // a later block of the same key takes it over
    int first = -1;                // the first block defined
    std::vector<Inclusion> outside; // inclusions outside any block, not used
};

class Dd3Reader {
public:
    // Reads the whole file and resolves the inclusions; false, with the
    // line and the reason, for a record that cannot be used (a text record
    // without its text, too many bridges) or a file without any block.
    [[nodiscard]] static bool Parse(QByteArrayView bytes, Drawing& drawing, QString* error);
    // Hands the first block and what it includes to the importer; false,
    // handing nothing, for an inclusion cycle, blocks nested deeper than
    // kMaxDepth or more than kMaxFigures figures.
    [[nodiscard]] static bool Emit(const Drawing& drawing, Import::Importer& importer, QString* error);
    // Parse, then Emit.
    [[nodiscard]] static bool Read(QByteArrayView bytes, Import::Importer& importer, QString* error);
    // A rule thickness in points: "P<n>" is n points, any other number a
    // length in file units (points of 0.3556 mm).
    static double ParseLength(QStringView token, double unit);
};

} // namespace dd3
