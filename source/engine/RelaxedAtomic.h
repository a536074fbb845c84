#pragma once

#include <atomic>

// A value shared between the audio thread, the message thread and the host's
// automation thread without a lock. Every read and write is whole (never torn) and
// relaxed: no thread waits on another, and no ordering is implied between fields.
// It reads and assigns like the plain value, so the signal path keeps its arithmetic.
template <typename T>
class RelaxedAtomic
{
public:
    static_assert (std::atomic<T>::is_always_lock_free, "shared fields must never take a lock");

    constexpr RelaxedAtomic (T initial = T {}) noexcept : value (initial) {}
    RelaxedAtomic (const RelaxedAtomic& other) noexcept : value (other.load()) {}

    RelaxedAtomic& operator= (const RelaxedAtomic& other) noexcept
    {
        store (other.load());
        return *this;
    }

    RelaxedAtomic& operator= (T newValue) noexcept
    {
        store (newValue);
        return *this;
    }

    operator T() const noexcept { return load(); }

    T load() const noexcept { return value.load (std::memory_order_relaxed); }
    void store (T newValue) noexcept { value.store (newValue, std::memory_order_relaxed); }

private:
    std::atomic<T> value;
};
