#pragma once
// The geometry of one export: a drawing's chosen layers read through the
// display lists of their elements (in the display mode the export has set),
// turned into blocks of output primitives with placements, then mirrored,
// shifted to the offset, remapped and chained as the exporter's settings ask.
// The writers walk the blocks and their primitives in order.
#include "exchange/export/CompatBridges.h"
#include "exchange/export/ExportBlock.h"
#include "exchange/export/ExportSettings.h"
#include "exchange/export/LineTypeMap.h"

#include <vector>

class Section;
struct DisplayFigure;

namespace Export {

// The layers an export reads: the drawing's sections in their order and its
// current one.
struct ExportSource {
    std::vector<Section*> sections;
    const Section* current = nullptr;
};

class ExportPreparer {
public:
    explicit ExportPreparer(ExportSource source) : source_(std::move(source)) {}

    void SetSettings(const ExportSettings& settings) { settings_ = settings; }
    const ExportSettings& GetSettings() const { return settings_; }

    // Builds the blocks. Rebuilds each collected section's replica placements.
    void Run();

    const std::vector<ExportBlock>& Blocks() const { return blocks_; }
    std::vector<ExportBlock>& Blocks() { return blocks_; }

    // Compatibility mode (mode 1): a line figure, or an arc figure read in
    // its arc layout, as records carrying their bridges as count and width,
    // with the figure's line type and ptg, appended to the block. Arcs are
    // followed clockwise (reverse 1).
    void AddLineCompat(ExportBlock& target, const DisplayFigure& figure);
    void AddArcCompat(ExportBlock& target, const DisplayFigure& figure);

private:
    void Collect(Section& section);
    void AddFigure(ExportBlock& target, const DisplayFigure& figure);

    ExportSource source_;
    ExportSettings settings_;
    std::vector<ExportBlock> blocks_;
    LineTypeMap lineTypes_;
    // One element's pieces and items, kept between elements so that a
    // conversion allocates nothing once they have grown.
    std::vector<RulePiece> pieces_;
    std::vector<BridgeItem> items_;
};

} // namespace Export
