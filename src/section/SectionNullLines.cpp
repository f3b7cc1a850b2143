// Null-length cleaning: lines whose two ends lie on one point.
#include "section/Section.h"

#include "element/Line.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "support/Log.h"

namespace {
// Lines shorter than this (mm) have no length.
constexpr double kNullLength = 1e-6;
} // namespace

void Section::ClearNullLengthLines()
{
    Log::TheLog().Write("Section::ClearNullLengthLines( )", Log::Section);
    for (int slot = 0; slot < GetSlotsInUse(); ++slot) {
        auto* line = dynamic_cast<CLine*>(GetElement(slot));
        if (line == nullptr)
            continue;
        const int start = line->GetStartNode();
        const int end = line->GetEndNode();
        const bool valid = start >= 0 && end >= 0 && start < nodes_->GetCount() && end < nodes_->GetCount();
        CNodePoint* a = valid ? nodes_->GetNode(start) : nullptr;
        CNodePoint* b = valid ? nodes_->GetNode(end) : nullptr;
        if (a == nullptr || b == nullptr || a->DistanceTo(*b) < kNullLength)
            DeleteElement(slot);
    }
}
