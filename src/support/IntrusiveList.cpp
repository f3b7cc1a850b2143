#include "support/IntrusiveList.h"

namespace die {

_list_base::_list_base(int key) : key_(key)
{
    head_.next = &tail_;
    tail_.prev = &head_;
    head_.owner = this;
    tail_.owner = this;
}

_list_base::~_list_base()
{
    clear();
}

void _list_base::insert(_listnode_base* before, _listnode_base* element)
{
    if (!before || !element || element == before || element == &head_ || element == &tail_)
        return;
    if (before == &head_ || before->OwnerLink(key_) != this)
        return;
    if (_list_base* owner = element->OwnerLink(key_)) {
        if (!owner->remove(element))
            return; // a sentinel of another list
    }

    _listnode_base* prev = before->PrevLink(key_);
    if (prev)
        prev->NextLink(key_) = element;
    element->PrevLink(key_) = prev;
    element->NextLink(key_) = before;
    before->PrevLink(key_) = element;
    element->OwnerLink(key_) = this;
    ++count_;
}

bool _list_base::remove(_listnode_base* element)
{
    if (!element || element == &head_ || element == &tail_ || element->OwnerLink(key_) != this)
        return false;
    _listnode_base* next = element->NextLink(key_);
    _listnode_base* prev = element->PrevLink(key_);
    if (prev)
        prev->NextLink(key_) = next;
    if (next)
        next->PrevLink(key_) = prev;
    element->NextLink(key_) = nullptr;
    element->PrevLink(key_) = nullptr;
    element->OwnerLink(key_) = nullptr;
    --count_;
    return true;
}

void _list_base::clear()
{
    _listnode_base* node = head_.next;
    while (node && node != &tail_) {
        _listnode_base* next = node->NextLink(key_);
        node->OwnerLink(key_) = nullptr;
        node->PrevLink(key_) = nullptr;
        node->NextLink(key_) = nullptr;
        node = next;
    }
    head_.next = &tail_;
    tail_.prev = &head_;
    count_ = 0;
}

void _list_base::clear_and_delete()
{
    // Each element is unlinked from this list before it is deleted, so its
    // destructor leaves this list alone and unlinks it from the others.
    while (head_.next != &tail_) {
        _listnode_base* node = head_.next;
        remove(node);
        delete node;
    }
}

int _list_base::splice(_listnode_base* first, _listnode_base* last, _listnode_base* position)
{
    if (!first || !last || !position || first == last)
        return 0;
    _list_base* source = first->OwnerLink(key_);
    if (!source || first == &source->head_ || first == &source->tail_)
        return 0;
    if (last->OwnerLink(key_) != source || last == &source->head_)
        return 0;
    if (position->OwnerLink(key_) != this || position == &head_)
        return 0;

    // Walk the run: last must follow first in the source list, and position
    // must not lie inside it.
    int moved = 0;
    _listnode_base* runEnd = nullptr;
    for (_listnode_base* node = first; node != last; node = node->NextLink(key_)) {
        if (node == &source->tail_ || node == position)
            return 0;
        runEnd = node;
        ++moved;
    }

    // Out of the source list.
    _listnode_base* before = first->PrevLink(key_);
    before->NextLink(key_) = last;
    last->PrevLink(key_) = before;
    source->count_ -= moved;

    // Into this list, in front of position.
    _listnode_base* prev = position->PrevLink(key_);
    prev->NextLink(key_) = first;
    first->PrevLink(key_) = prev;
    runEnd->NextLink(key_) = position;
    position->PrevLink(key_) = runEnd;
    for (_listnode_base* node = first; node != position; node = node->NextLink(key_))
        node->OwnerLink(key_) = this;
    count_ += moved;
    return moved;
}

} // namespace die
