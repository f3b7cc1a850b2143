// The die board of a section: at most one, made or replaced here.
#include "section/Section.h"

#include "element/Wood.h"
#include "section/SectionBoardLayout.h"
#include "options/Options.h"
#include "section/UndoItem.h"
#include "support/Log.h"

namespace {
constexpr int kWoodLineType = 122; // "wood_frame"
constexpr double kGapSpacing = 150.0;
constexpr double kKnifeValue = 20.0;
constexpr double kDefaultPtg = 2.0;
} // namespace

ElementIterator Section::AddWood(double left, double top, double right, double bottom, double fillet)
{
    Log::TheLog().Trace(Log::Section);
    int slot = -1;
    for (auto it = begin(); it.NotEqual(end()); it.Next()) {
        if (it.Get()->IsDieBoard()) {
            slot = it.GetIndex();
            break;
        }
    }
    const auto* found = slot >= 0 ? dynamic_cast<const CWood*>(GetElement(slot)) : nullptr;
    auto board = found ? std::make_unique<CWood>(*found)
                       : std::make_unique<CWood>(nodes_, options_, context_, boardLayout_.get());
    WoodValues& v = board->Values();
    v.leftMargin = left;
    v.topMargin = top;
    v.rightMargin = right;
    v.bottomMargin = bottom;
    v.fillet = fillet;
    v.centreLineEdge = CentreLineEdge::Bottom;
    v.gapSpacing = kGapSpacing;
    v.knifeStartOverhang = v.knifeEndOverhang = v.knifeOffset = v.knifeSpacing = v.knifeEndClearance = kKnifeValue;
    board->RefreshBridges();
    board->SetLineType(kWoodLineType);
    board->SetPtg(options_ ? options_->GetDefaultPtg() : kDefaultPtg);
    board->Recalculate();
    // The default records belong to a new board; a replaced one keeps its
    // own, so editing a board does not make its record list grow.
    if (!found)
        board->AddDefaultRecords();
    CElement* made = board.get();
    if (found) {
        Record(ExchangeSlot(slot, std::move(board)), made, slot, UndoItem::Replaced);
    } else {
        slot = Insert(std::move(board), false);
    }
    return ElementIterator(this, slot);
}
