#include "section/UndoItem.h"

#include "element/Element.h"
#include "element/NodePoint.h"

UndoItem::UndoItem() = default;
UndoItem::UndoItem(UndoItem&&) noexcept = default;
UndoItem& UndoItem::operator=(UndoItem&&) noexcept = default;
UndoItem::~UndoItem() = default;

UndoItem UndoItem::ForNode(std::unique_ptr<CNodePoint> old, CNodePoint* now, int index, Operation operation)
{
    UndoItem item;
    item.kind = Node;
    item.operation = operation;
    item.index = index;
    item.oldNode = std::move(old);
    item.newNode = now;
    return item;
}

UndoItem UndoItem::ForElement(std::unique_ptr<CElement> old, CElement* now, int index, Operation operation,
                              Section* section)
{
    UndoItem item;
    item.kind = Element;
    item.operation = operation;
    item.index = index;
    item.section = section;
    item.oldElement = std::move(old);
    item.newElement = now;
    return item;
}

UndoItem UndoItem::ForVariable(std::unique_ptr<VarBackup> old, std::unique_ptr<VarBackup> now, Operation operation)
{
    UndoItem item;
    item.kind = Variable;
    item.operation = operation;
    item.oldVariable = std::move(old);
    item.newVariable = std::move(now);
    return item;
}

UndoItem::Operation UndoItem::Inverse(Operation operation)
{
    switch (operation) {
    case Removed: return Added;
    case Added: return Removed;
    default: return operation;
    }
}

bool UndoStep::RefersTo(const Section* s) const
{
    for (const UndoItem& item : items) {
        if (item.kind == UndoItem::Element && (item.section ? item.section : section) == s)
            return true;
    }
    return false;
}
