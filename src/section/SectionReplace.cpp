// The one way an editing operation puts its edited copy of an element into
// the element's slot with its undo item.
#include "section/Section.h"

#include "element/Element.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "section/UndoItem.h"

CElement* Section::ReplaceElement(int slot, std::unique_ptr<CElement> copy)
{
    Q_ASSERT(copy && GetElement(slot));
    CElement* now = copy.get();
    Record(ExchangeSlot(slot, std::move(copy)), now, slot, UndoItem::Replaced);
    return now;
}

void Section::MoveLineEnd(int slot, bool start, const die::coord& to)
{
    const auto* line = dynamic_cast<const CLine*>(GetElement(slot));
    Q_ASSERT(line);
    if (line == nullptr)
        return;
    const int node = nodes_->AddPoint(to.x, to.y, true);
    Q_ASSERT(node >= 0);
    auto copy = std::make_unique<CLine>(*line);
    if (start)
        copy->SetStartNode(node);
    else
        copy->SetEndNode(node);
    (void)ReplaceElement(slot, std::move(copy));
}
