#include "app/PaperSizeTable.h"

#include <algorithm>

void PaperSizeTable::InitPaperSizes()
{
    static constexpr struct {
        double longer, shorter;
        int series, number;
    } kSizes[] = {
        {297, 210, 1, 4},   {420, 297, 1, 3},  {594, 420, 1, 2},  {841, 594, 1, 1},  {1189, 841, 1, 0},
        {353, 250, 2, 4},   {500, 353, 2, 3},  {707, 500, 2, 2},  {1000, 707, 2, 1}, {1414, 1000, 2, 0},
    };
    for (const auto& size : kSizes)
        AddPaperSize(size.longer, size.shorter, size.series, size.number);
}

void PaperSizeTable::AddPaperSize(double a, double b, int series, int number)
{
    const Size size{std::max(a, b), std::min(a, b)};
    sizes_.push_back(size);
    if (series == 1 || series == 2)
        names_[size] = QStringLiteral("%1%2").arg(series == 1 ? QLatin1Char('A') : QLatin1Char('B')).arg(number);
}

std::optional<QString> PaperSizeTable::Name(const Size& size) const
{
    const auto it = names_.find(size);
    if (it == names_.end())
        return std::nullopt;
    return it->second;
}
