#include "command/InputStep.h"

#include <algorithm>

void InputStep::SetAllowedTypes(std::initializer_list<int> types)
{
    const auto n = std::min<std::size_t>(types.size(), kMaxTypes);
    std::copy_n(types.begin(), n, allowedTypes.begin());
    allowedTypeCount = static_cast<int>(n);
}

void InputStep::ClearResults()
{
    resultKind = InputNone;
    x = y = 0.0;
    element = nullptr;
    nodeIndex = -1;
    node = nullptr;
    subPart = -1;
    snappedX = snappedY = 0.0;
    value = 0.0;
    nodeCompanion = 0;
}
