#pragma once
// Doubly linked lists whose links live inside the elements. One element can
// sit in several lists at once: every list has a small integer key, and the
// element keeps one link triple (next, previous, owning list) per key. The
// list code reaches the links only through the element's virtual accessors,
// so it is written once, untyped, in _list_base; list_base<T> and
// listnode_base<T> give it types.
//
// Each list has a head and a tail sentinel, so linking never tests for an
// empty list. An element that is destroyed unlinks itself from every list it
// is in. A list with key 0 owns its elements and deletes them when it is
// destroyed; lists with other keys are views that only unlink them.
#include <cstddef>
#include <iterator>
#include <vector>

namespace die {

class _list_base;

class _listnode_base {
public:
    virtual ~_listnode_base() = default;
    virtual _listnode_base*& NextLink(int key) = 0;
    virtual _listnode_base*& PrevLink(int key) = 0;
    virtual _list_base*& OwnerLink(int key) = 0;
};

class _list_base {
public:
    // A sentinel: one link triple, whatever the key.
    class ending : public _listnode_base {
    public:
        _listnode_base*& NextLink(int) override { return next; }
        _listnode_base*& PrevLink(int) override { return prev; }
        _list_base*& OwnerLink(int) override { return owner; }

        _listnode_base* next = nullptr;
        _listnode_base* prev = nullptr;
        _list_base* owner = nullptr;
    };

    explicit _list_base(int key);
    virtual ~_list_base();
    _list_base(const _list_base&) = delete;
    _list_base& operator=(const _list_base&) = delete;

    // Links element in front of before (an element of this list, or tail()
    // to append). An element that is in another list with this key leaves
    // that list first. A before that is not in this list changes nothing.
    void insert(_listnode_base* before, _listnode_base* element);
    // Unlinks element; it is not deleted. An element that is not in this
    // list is left alone, and so is this list. True when it was unlinked.
    bool remove(_listnode_base* element);
    // Unlinks every element, leaving each with null links for this key.
    void clear();
    // Unlinks and deletes every element.
    void clear_and_delete();
    // Moves the run from first up to but not including last (both of one
    // list with this key; last may be its tail) in front of position of this
    // list. Returns the number of elements moved; a run that is not a run of
    // one list, or that holds position, moves nothing.
    int splice(_listnode_base* first, _listnode_base* last, _listnode_base* position);

    _listnode_base* head() { return &head_; }
    _listnode_base* tail() { return &tail_; }
    int count() const { return count_; }
    int key() const { return key_; }

private:
    ending head_;
    ending tail_;
    int count_ = 0;
    int key_;
};

template <class T>
class listnode_base : public _listnode_base {
public:
    // The element takes part in lists with keys 0 to listCount - 1.
    explicit listnode_base(int listCount) : links_(listCount > 0 ? listCount : 0) {}
    // A copy is in no list.
    listnode_base(const listnode_base& other) : _listnode_base(), links_(other.links_.size()) {}
    listnode_base& operator=(const listnode_base&) { return *this; }

    ~listnode_base() override
    {
        for (int key = 0; key < listCount(); ++key) {
            if (_list_base* owner = links_[key].owner)
                owner->remove(this);
        }
    }

    // A key outside 0 .. listCount - 1 throws std::out_of_range.
    _listnode_base*& NextLink(int key) final { return links_.at(key).next; }
    _listnode_base*& PrevLink(int key) final { return links_.at(key).prev; }
    _list_base*& OwnerLink(int key) final { return links_.at(key).owner; }

    int listCount() const { return static_cast<int>(links_.size()); }

private:
    struct Links {
        _listnode_base* next = nullptr;
        _listnode_base* prev = nullptr;
        _list_base* owner = nullptr;
    };
    std::vector<Links> links_;
};

template <class T>
class list_base : public _list_base {
public:
    explicit list_base(int key) : _list_base(key) {}
    ~list_base() override
    {
        if (key() == 0)
            list_base::clear_and_delete();
        else
            list_base::clear();
    }

    virtual bool remove(T* element) { return _list_base::remove(element); }
    virtual void clear() { _list_base::clear(); }
    virtual void clear_and_delete() { _list_base::clear_and_delete(); }
    // before null appends.
    virtual void insert(T* before, T* element) { _list_base::insert(before ? before : tail(), element); }
    // last or position null: the tail of their list.
    virtual int splice(T* first, T* last, T* position)
    {
        _listnode_base* end = last;
        if (!end && first && first->OwnerLink(key()))
            end = first->OwnerLink(key())->tail();
        return _list_base::splice(first, end, position ? static_cast<_listnode_base*>(position) : tail());
    }

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = T*;
        using reference = T&;

        iterator() = default;
        iterator(_listnode_base* node, int key) : node_(node), key_(key) {}
        T& operator*() const { return *static_cast<T*>(node_); }
        T* operator->() const { return static_cast<T*>(node_); }
        iterator& operator++()
        {
            node_ = node_->NextLink(key_);
            return *this;
        }
        iterator operator++(int)
        {
            iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const iterator& other) const { return node_ == other.node_; }

    private:
        _listnode_base* node_ = nullptr;
        int key_ = 0;
    };

    iterator begin() { return iterator(head()->NextLink(key()), key()); }
    iterator end() { return iterator(tail(), key()); }
};

} // namespace die
