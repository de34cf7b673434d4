#pragma once
// A fixed-size, lock-free queue between exactly one producer thread and one
// consumer thread. Neither side ever waits, locks or allocates.
#include <array>
#include <atomic>
#include <cstddef>

namespace voxnote {

template <typename T, size_t Capacity>
class SpscRing {
    static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0, "capacity is a power of two");
    static_assert(std::atomic<size_t>::is_always_lock_free);

public:
    // Producer side: false when the ring is full.
    bool TryPush(const T& value) {
        const size_t write = write_.load(std::memory_order_relaxed);
        if (write - read_.load(std::memory_order_acquire) == Capacity) {
            return false;
        }
        slots_[write % Capacity] = value;
        write_.store(write + 1, std::memory_order_release);
        return true;
    }

    // Consumer side: false when the ring is empty.
    bool TryPop(T& value) {
        const size_t read = read_.load(std::memory_order_relaxed);
        if (read == write_.load(std::memory_order_acquire)) {
            return false;
        }
        value = slots_[read % Capacity];
        read_.store(read + 1, std::memory_order_release);
        return true;
    }

    bool Empty() const { return read_.load(std::memory_order_acquire) == write_.load(std::memory_order_acquire); }

private:
    std::array<T, Capacity> slots_{};
    std::atomic<size_t> write_{0};
    std::atomic<size_t> read_{0};
};

}  // namespace voxnote
