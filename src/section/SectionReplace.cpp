// The one way an editing operation puts its edited copy of an element into
// the element's slot with its undo item.
#include "section/Section.h"

#include "element/Element.h"
#include "section/UndoItem.h"

CElement* Section::ReplaceElement(int slot, std::unique_ptr<CElement> copy)
{
    Q_ASSERT(copy && GetElement(slot));
    CElement* now = copy.get();
    Record(ExchangeSlot(slot, std::move(copy)), now, slot, UndoItem::Replaced);
    return now;
}
