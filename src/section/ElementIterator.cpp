#include "section/ElementIterator.h"

#include "section/Section.h"

ElementIterator::ElementIterator(const Section* section, int index) : section_(section), index_(index)
{
    SkipEmpty();
}

ElementIterator ElementIterator::End(const Section* section)
{
    ElementIterator end;
    end.section_ = section;
    end.index_ = section->GetSlotsInUse();
    end.atEnd_ = true;
    return end;
}

CElement* ElementIterator::Get() const
{
    return section_ && !atEnd_ ? section_->GetElement(index_) : nullptr;
}

ElementIterator& ElementIterator::Next()
{
    if (section_ && !atEnd_) {
        ++index_;
        SkipEmpty();
    }
    return *this;
}

bool ElementIterator::NotEqual(const ElementIterator& other) const
{
    if (section_ != other.section_ || atEnd_ != other.atEnd_)
        return true;
    return !atEnd_ && index_ != other.index_;
}

void ElementIterator::SkipEmpty()
{
    if (!section_)
        return;
    const int used = section_->GetSlotsInUse();
    while (index_ < used && !section_->GetElement(index_))
        ++index_;
    if (index_ >= used) {
        index_ = used;
        atEnd_ = true;
    }
}
