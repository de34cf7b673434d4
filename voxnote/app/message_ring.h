#pragma once
// A fixed ring of short MIDI messages from one producer to one consumer,
// without locks: the audio thread drains what the senders put in. Several
// senders must take turns (hold a lock of their own while pushing).
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace voxnote {

template <size_t Capacity>
class MessageRing {
    static_assert((Capacity & (Capacity - 1)) == 0, "the capacity is a power of two");

public:
    // False when the ring is full; the message is then not taken.
    bool Push(uint32_t message) {
        const size_t write = write_.load(std::memory_order_relaxed);
        if (write - read_.load(std::memory_order_acquire) == Capacity) {
            return false;
        }
        slots_[write % Capacity] = message;
        write_.store(write + 1, std::memory_order_release);
        return true;
    }

    bool Pop(uint32_t& message) {
        const size_t read = read_.load(std::memory_order_relaxed);
        if (read == write_.load(std::memory_order_acquire)) {
            return false;
        }
        message = slots_[read % Capacity];
        read_.store(read + 1, std::memory_order_release);
        return true;
    }

private:
    std::array<uint32_t, Capacity> slots_{};
    std::atomic<size_t> write_ = 0;
    std::atomic<size_t> read_ = 0;
};

}  // namespace voxnote
