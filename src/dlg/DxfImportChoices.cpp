#include "dlg/DxfImportChoices.h"

#include "options/LanguageTable.h"
#include "platform/CFormat.h"

#include <algorithm>

namespace dlg {

DxfImportChoices::DxfImportChoices(const std::vector<DxfBlock>& blocks, const DxfBlock* modelSpace)
    : blocks_(blocks), modelSpace_(modelSpace), first_(modelSpace ? 1 : 0)
{
    for (int i = 0; i < static_cast<int>(blocks.size()); ++i) {
        const QString& name = blocks[static_cast<size_t>(i)].name;
        const bool layout = name.startsWith(QLatin1String("*Model_Space"), Qt::CaseInsensitive)
                            || name.startsWith(QLatin1String("*Paper_Space"), Qt::CaseInsensitive)
                            || name.startsWith(QLatin1String("$Model_Space"), Qt::CaseInsensitive)
                            || name.startsWith(QLatin1String("$Paper_Space"), Qt::CaseInsensitive);
        if (!layout)
            listed_.push_back(i);
    }
    ticked_.assign(listed_.size() + static_cast<size_t>(first_), false);
    if (modelSpace_)
        ticked_[0] = true;
}

const DxfBlock& DxfImportChoices::Row(int row) const
{
    return IsModelSpace(row) ? *modelSpace_ : blocks_[static_cast<size_t>(listed_[static_cast<size_t>(row - first_)])];
}

QString DxfImportChoices::Cell(int row, int column) const
{
    const DxfBlock& b = Row(row);
    switch (column) {
    case 0: return IsModelSpace(row) ? Translate(kTextModelSpace) : b.name;
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
    for (const dxf::Text& t : Row(row).texts)
        text += t.text + QStringLiteral("\r\n");
    return text;
}

DxfImportChoice DxfImportChoices::Accept() const
{
    DxfImportChoice choice;
    for (int row = 0; row < RowCount(); ++row) {
        if (!IsTicked(row))
            continue;
        if (IsModelSpace(row))
            choice.modelSpace = true;
        else
            choice.chosen.insert(listed_[static_cast<size_t>(row - first_)]);
    }
    choice.pageWidth = platform::wtof(pageWidth);
    choice.pageHeight = platform::wtof(pageHeight);
    choice.label = label;
    return choice;
}

} // namespace dlg
