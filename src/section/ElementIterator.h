#pragma once
// A position in a section's element table, visiting the occupied slots in
// slot order. It reads the table through its section, so it stays valid when
// the table grows. Two end iterators of one section are equal.
class CElement;
class Section;

class ElementIterator {
public:
    // No section, index −1, not at end.
    ElementIterator() = default;
    // At the first occupied slot from index on (at end when there is none).
    ElementIterator(const Section* section, int index);
    // The end iterator of the section.
    static ElementIterator End(const Section* section);

    CElement* Get() const;
    // The slot, or −1 at end.
    int GetIndex() const { return atEnd_ ? -1 : index_; }
    bool AtEnd() const { return atEnd_; }
    ElementIterator& Next();
    bool NotEqual(const ElementIterator& other) const;

    // For range-for over a section.
    CElement* operator*() const { return Get(); }
    ElementIterator& operator++() { return Next(); }
    bool operator!=(const ElementIterator& other) const { return NotEqual(other); }
    bool operator==(const ElementIterator& other) const { return !NotEqual(other); }

private:
    void SkipEmpty();

    const Section* section_ = nullptr;
    int index_ = -1;
    bool atEnd_ = false;
};
