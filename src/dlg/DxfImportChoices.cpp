#include "dlg/DxfImportChoices.h"

#include "platform/CFormat.h"

#include <algorithm>

namespace dlg {

DxfImportChoices::DxfImportChoices(const std::vector<DxfBlock>& blocks)
    : blocks_(blocks), ticked_(blocks.size(), false)
{
}

QString DxfImportChoices::Cell(int row, int column) const
{
    const DxfBlock& b = blocks_[static_cast<size_t>(row)];
    switch (column) {
    case 0: return b.name;
    case 1: return b.layer;
    default: return platform::cformat("%d", b.ElementCount());
    }
}

void DxfImportChoices::TickAll()
{
    std::fill(ticked_.begin(), ticked_.end(), true);
}

void DxfImportChoices::ClearAll()
{
    std::fill(ticked_.begin(), ticked_.end(), false);
}

QString DxfImportChoices::InformationText(int row) const
{
    QString text;
    for (const dxf::Text& t : blocks_[static_cast<size_t>(row)].texts)
        text += t.text + QStringLiteral("\r\n");
    return text;
}

DxfImportChoice DxfImportChoices::Accept() const
{
    DxfImportChoice choice;
    for (int row = 0; row < RowCount(); ++row) {
        if (IsTicked(row))
            choice.chosen.insert(row);
    }
    choice.pageWidth = platform::wtof(pageWidth);
    choice.pageHeight = platform::wtof(pageHeight);
    choice.label = label;
    return choice;
}

} // namespace dlg
