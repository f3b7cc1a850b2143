#pragma once
// The DXF reader: reads a drawing in the DXF text form (lines in pairs, a
// group code and its value), keeps what its ENTITIES section (model space)
// and its BLOCKS section hold and the header's $INSUNITS, and inserts
// blocks into a DxfSink at an offset and an angle, expanding the
// insertions they contain. Every other section is skipped. Entities with
// their extrusion pointing down (0, 0, −1) are mirrored into the plane as
// they are read; kinds it does not draw are counted.
//
// Keywords count only as the value of group code 0 (a section's name as that
// of the code 2 right after its SECTION); keywords and names are compared
// exactly. A damaged file is refused with the line where reading stopped:
// a group code that is not an integer, a number field that is not a number,
// a file that ends after a group code or inside the BLOCKS section, a
// polyline or block above the limits below.
#include "exchange/dxf/DxfBlock.h"
#include "exchange/dxf/DxfSink.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <set>
#include <vector>

class DxfReader {
public:
    // Limits of what a file may hold; a file beyond them is refused.
    static constexpr int kMaxBlocks = 100'000;
    static constexpr int kMaxPolylineVertices = 1'000'000;
    static constexpr int kMaxBlockEntities = 16'000'000;
    // Limits of an import: how deep blocks may nest, and how many elements
    // and nested insertions all the blocks it inserts may expand to.
    static constexpr int kMaxInsertDepth = 32;
    static constexpr qint64 kMaxExpansion = 5'000'000;

    // Reads the file at path (8-bit text, or UTF-8 when it is valid UTF-8).
    // False, with the reason in Error(), when it cannot be read or is
    // damaged; the block list is then empty.
    [[nodiscard]] bool ReadFile(const QString& path);
    // The same for the file's bytes: they are parsed in place, numbers read
    // from them and only the strings kept (texts, names) decoded.
    [[nodiscard]] bool Read(QByteArrayView bytes);

    const std::vector<DxfBlock>& Blocks() const { return blocks_; }
    // The ENTITIES section: the drawing's model space, at its own coordinates.
    const DxfBlock& ModelSpace() const { return modelSpace_; }
    const QString& Error() const { return error_; }
    // Whether the refusal was of a binary DXF file.
    bool IsBinary() const { return binary_; }
    // Whether model space or any block holds an entity the import draws.
    bool HasFigures() const;

    // The header's $INSUNITS (0 when absent) and the millimetres one unit
    // of the file is: 25.4 for inches, 304.8 for feet, 10 for centimetres,
    // 1000 for metres...; 0 for a code that is no length (the import then
    // reads millimetres and says so).
    int Units() const { return units_; }
    double UnitScale() const;
    static double UnitScale(int units);
    // Drawing millimetres per file unit for the insertions; 1 until set.
    void SetUnitScale(double scale) { unitScale_ = scale; }

    // The entity kinds the reader does not draw, counted by kind in the
    // order first met, and the entities dropped for a value beyond
    // kMaxMagnitude; the report reads "12 HATCH, 3 DIMENSION skipped", empty
    // when nothing was skipped.
    const std::vector<std::pair<QString, int>>& Skipped() const { return skipped_; }
    int OutOfRange() const { return outOfRange_; }
    QString SkippedReport() const;
    // A coordinate or size beyond this is no drawing's: its entity is dropped.
    static constexpr double kMaxMagnitude = 1e9;
    static constexpr size_t kMaxSkippedKinds = 100;

    // Counts what inserting every one of `roots` (blocks of this reader, or
    // a block of the file's own such as its model space) would make, over
    // all nesting levels, before anything is made: into *elements when
    // given. False, with the reason in Error(), when the total passes
    // kMaxExpansion (the message names it), a block inserts itself, or
    // blocks nest deeper than kMaxInsertDepth.
    [[nodiscard]] bool CountExpansion(const std::vector<const DxfBlock*>& roots, qint64* elements = nullptr);
    // The total of the last CountExpansion (0 before any).
    qint64 CountedElements() const { return counted_; }

    // Adds the block's entities to the sink, turned clockwise by angle
    // (radians) and then shifted by offset; the blocks it inserts follow
    // with their own insertion point, scale and angle. False, with the
    // reason in Error(), when an insertion would go on without end: a block
    // that inserts itself, nesting deeper than kMaxInsertDepth or more than
    // kMaxExpansion elements and insertions; what came before stays added.
    [[nodiscard]] bool InsertBlock(const DxfBlock& block, const die::coord& offset, double angle, DxfSink& sink);

    // The page the import lays the chosen blocks out on (mm); 0 until set.
    void SetPageSize(double width, double height)
    {
        pageWidth_ = width;
        pageHeight_ = height;
    }
    double PageWidth() const { return pageWidth_; }
    double PageHeight() const { return pageHeight_; }
    // Inserts the blocks whose indices are chosen side by side, from
    // (0, 0) rightwards in rows that wrap at the page width and grow upwards,
    // each one's lower-left corner at its place; with label, each gets its
    // name in its middle. The whole expansion is counted first
    // (CountExpansion): a refused import adds nothing. False as InsertBlock.
    [[nodiscard]] bool ImportBlocks(const std::set<int>& chosen, bool label, DxfSink& sink, double bottom = 0.0);
    // The import's choice: model space at its own coordinates when chosen,
    // then the chosen blocks as ImportBlocks lays them out, their rows
    // starting above what model space drew; model space and the blocks are
    // counted together first. False as InsertBlock.
    [[nodiscard]] bool ImportDrawing(bool modelSpace, const std::set<int>& chosen, bool label, DxfSink& sink);

    // The line type of the last entity inserted (kCurrentLineType before
    // any): the import leaves it as the current one.
    int LastLineType() const { return lastLineType_; }

    // 3 for the layers "4", "INK", "ANNOTATION" and "7", otherwise 2.
    static int LineTypeForLayer(const QString& layer);
    // Points are drawn as crosses of this line type.
    static constexpr int kPointLineType = 3;

private:
    struct Parser;
    struct Expansion;
    struct Counting;

    void IndexBlocks();
    std::vector<const DxfBlock*> ChosenBlocks(const std::set<int>& chosen) const;
    // The chosen blocks side by side, rows from bottom upwards; uncounted.
    [[nodiscard]] bool LayOutBlocks(const std::set<int>& chosen, bool label, DxfSink& sink, double bottom);
    [[nodiscard]] bool Fail(QString reason);
    void Skip(const QString& kind);

    std::vector<DxfBlock> blocks_;
    DxfBlock modelSpace_;
    int units_ = 0;
    double unitScale_ = 1.0;
    std::vector<std::pair<QString, int>> skipped_;
    int outOfRange_ = 0;
    bool binary_ = false;
    QHash<QString, QList<int>> byName_; // block indices in list order
    QString error_;
    double pageWidth_ = 0.0;
    double pageHeight_ = 0.0;
    int lastLineType_ = DxfSink::kCurrentLineType;
    qint64 counted_ = 0;
};
