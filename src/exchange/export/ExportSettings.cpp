#include "exchange/export/ExportSettings.h"

namespace Export {

void ExportSettings::AddToOrder(int lineType)
{
    if (order.count(lineType) == 0)
        order.emplace(lineType, static_cast<int>(order.size()));
}

std::map<int, int> ExportSettings::LineTypesByPosition() const
{
    std::map<int, int> byPosition;
    for (const auto& [lineType, position] : order)
        byPosition.emplace(position, lineType);
    return byPosition;
}

} // namespace Export
