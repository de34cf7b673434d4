#pragma once
// A fixed ring of items from one producer to one consumer, without locks:
// the audio thread drains what the senders put in. Several senders must take
// turns (hold a lock of their own while pushing).
#include <array>
#include <atomic>
#include <cstddef>

namespace voxnote {

template <typename Item, size_t Capacity>
class MessageRing {
    static_assert((Capacity & (Capacity - 1)) == 0, "the capacity is a power of two");

public:
    // False when the ring is full; the item is then not taken.
    bool Push(const Item& item) {
        const size_t write = write_.load(std::memory_order_relaxed);
        if (write - read_.load(std::memory_order_acquire) == Capacity) {
            return false;
        }
        slots_[write % Capacity] = item;
        write_.store(write + 1, std::memory_order_release);
        return true;
    }

    // The oldest item, left in the ring.
    bool Peek(Item& item) const {
        const size_t read = read_.load(std::memory_order_relaxed);
        if (read == write_.load(std::memory_order_acquire)) {
            return false;
        }
        item = slots_[read % Capacity];
        return true;
    }

    // Drops the oldest item (after Peek has shown it).
    void Drop() { read_.store(read_.load(std::memory_order_relaxed) + 1, std::memory_order_release); }

private:
    std::array<Item, Capacity> slots_{};
    std::atomic<size_t> write_ = 0;
    std::atomic<size_t> read_ = 0;
};

}  // namespace voxnote
