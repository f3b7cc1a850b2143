#pragma once
// What the DXF import dialog shows and decides, without widgets: the
// drawing's model space first (ticked at the start) when the file has one,
// then one row per block (its name, its layer, its lines, polylines and
// circles counted; the layouts' own blocks, which CAD programs write empty
// beside model space, are not listed),
// the ticks, the information text of a selected row, the page-size texts
// and the label flag; OK turns them into the import's choice.
#include "exchange/dxf/DxfImportChooser.h"

#include <QString>
#include <qnamespace.h>

#include <vector>

namespace dlg {

class DxfImportChoices {
public:
    struct Column {
        const char* title;
        Qt::Alignment alignment;
        int width; // pixels
    };
    static constexpr Column kColumns[] = {
        {"ID", Qt::AlignHCenter, 150},
        {"Layer Name", Qt::AlignLeft, 200},
        {"No. Elements", Qt::AlignRight, 100},
    };
    static constexpr const char* kDefaultPageSize = "900";

    // The first row's name: the drawing's model space.
    static constexpr int kTextModelSpace = 2350;

    explicit DxfImportChoices(const std::vector<DxfBlock>& blocks, const DxfBlock* modelSpace = nullptr);

    int RowCount() const { return static_cast<int>(listed_.size()) + first_; }
    // Whether the row is model space's.
    bool IsModelSpace(int row) const { return row < first_; }
    // The text of a row's column (0 name, 1 layer, 2 element count).
    QString Cell(int row, int column) const;

    bool IsTicked(int row) const { return ticked_[static_cast<size_t>(row)]; }
    void SetTicked(int row, bool on) { ticked_[static_cast<size_t>(row)] = on; }
    void TickAll();
    void ClearAll();

    // The texts of the row's block, in file order, each followed by "\r\n".
    QString InformationText(int row) const;

    QString pageWidth = QString::fromLatin1(kDefaultPageSize);
    QString pageHeight = QString::fromLatin1(kDefaultPageSize);
    bool label = false;

    // The ticked rows (model space's as its flag, the blocks' as their
    // indices), the page size read as the C run-time reads a number
    // (leading blanks skipped, no number gives 0) and the label flag.
    DxfImportChoice Accept() const;

private:
    const DxfBlock& Row(int row) const;

    const std::vector<DxfBlock>& blocks_;
    const DxfBlock* modelSpace_;
    int first_; // the first block's row
    // The blocks listed, by index: all but the layouts' own blocks
    // ("*Model_Space", "*Paper_Space…", R12's "$MODEL_SPACE"...).
    std::vector<int> listed_;
    std::vector<bool> ticked_;
};

} // namespace dlg
