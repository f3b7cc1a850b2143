#include "section/UndoManager.h"

#include "element/Element.h"
#include "element/NodePoint.h"

UndoItem::UndoItem() = default;
UndoItem::UndoItem(UndoItem&&) noexcept = default;
UndoItem& UndoItem::operator=(UndoItem&&) noexcept = default;
UndoItem::~UndoItem() = default;

CUndoManager::CUndoManager() = default;
CUndoManager::~CUndoManager() = default;

void CUndoManager::Close()
{
    if (open_ && steps_.back().items.empty())
        steps_.pop_back();
    open_ = false;
}

void CUndoManager::Open(int title, int)
{
    Close();
    if (steps_.size() >= static_cast<std::size_t>(MaxSteps))
        steps_.pop_front();
    redo_.clear();
    steps_.push_back(UndoStep{title, {}});
    open_ = true;
}

void CUndoManager::AddNodeItem(std::unique_ptr<CNodePoint> old, CNodePoint* now, int index, Operation op)
{
    if (!open_)
        return;
    UndoItem item;
    item.oldNode = std::move(old);
    item.now = now;
    item.index = index;
    item.kind = UndoItem::Node;
    item.operation = op;
    steps_.back().items.push_back(std::move(item));
}


bool CUndoManager::AddElementItem(std::unique_ptr<CElement> old, CElement* now, int index, Operation op,
                                  Section* section)
{
    if (!open_)
        return false;
    UndoItem item;
    item.oldElement = std::move(old);
    item.now = now;
    item.index = index;
    item.kind = UndoItem::Element;
    item.operation = op;
    item.section = section;
    steps_.back().items.push_back(std::move(item));
    return true;
}
