#pragma once
// A process-wide count of the changes to what a view shows of the drawings:
// a display list rebuilt, reset or given a new output mode, an element made,
// removed, marked for a new display list or selected differently. A view
// keeps its drawn buffer while the count stays the same; it never needs to
// know what changed, only that something did.
#include <atomic>
#include <cstdint>

namespace display {

inline std::atomic<std::uint64_t> changeStamp{1};

inline std::uint64_t ChangeStamp()
{
    return changeStamp.load(std::memory_order_relaxed);
}

inline void NoteChange()
{
    changeStamp.fetch_add(1, std::memory_order_relaxed);
}

// A value whose every assignment counts as a change of what views show (an
// element's selection and display-dirty flags).
template <typename T>
class Stamped {
public:
    constexpr Stamped(T value) : value_(value) {} // NOLINT: stands for the plain value
    Stamped(const Stamped& other) : value_(other.value_) { NoteChange(); }
    Stamped& operator=(const Stamped& other)
    {
        value_ = other.value_;
        NoteChange();
        return *this;
    }
    Stamped& operator=(T value)
    {
        value_ = value;
        NoteChange();
        return *this;
    }
    operator T() const { return value_; } // NOLINT: reads as the plain value

private:
    T value_;
};

} // namespace display
