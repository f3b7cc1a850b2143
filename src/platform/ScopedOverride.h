#pragma once
// The one way process-wide state is changed: a guard that sets a value for
// its own life and puts the previous value back when it goes, also when a
// test fails half-way.
//
// A service that the whole program reaches (the prompt, the options, the
// line-type table the display lists draw with, the axis mirror...) keeps its
// value in a `Current<T>` and offers `Current()` to read it and `Install(...)`
// to set it for a scope:
//
//     platform::ScopedOverride<Prompt*> use = platform::InstallPrompt(myPrompt);
//
// Guards nest: they must end in the reverse order of their start, as scopes
// and members do. A guard can be moved (into a member or an optional); the
// moved-from guard restores nothing.
#include <utility>

namespace platform {

template <class T>
class [[nodiscard]] ScopedOverride {
public:
    ScopedOverride(T& slot, T value) : slot_(&slot), previous_(std::exchange(slot, std::move(value))) {}
    ~ScopedOverride()
    {
        if (slot_)
            *slot_ = std::move(previous_);
    }
    ScopedOverride(ScopedOverride&& other) noexcept
        : slot_(std::exchange(other.slot_, nullptr)), previous_(std::move(other.previous_))
    {
    }
    ScopedOverride(const ScopedOverride&) = delete;
    ScopedOverride& operator=(const ScopedOverride&) = delete;
    ScopedOverride& operator=(ScopedOverride&&) = delete;

    // The value the slot had before this guard; it comes back at the end.
    const T& Previous() const { return previous_; }

private:
    T* slot_;
    T previous_;
};

// A process-wide value with its initial value, read by Get() and set for a
// scope by Override(). constinit: it exists before any code runs, so no
// start-up order is needed.
template <class T>
class Current {
public:
    constexpr explicit Current(T initial = T{}) : value_(initial) {}
    const T& Get() const { return value_; }
    ScopedOverride<T> Override(T value) { return ScopedOverride<T>(value_, std::move(value)); }
    // Changes the value in place: a user's switch of a setting some guard
    // installed; that guard still puts its previous value back.
    void Set(T value) { value_ = std::move(value); }

private:
    T value_;
};

} // namespace platform
