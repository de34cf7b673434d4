#pragma once
// A fixed-capacity queue that any number of threads push into and one
// thread pops from: every MIDI input port has a thread of its own, and they
// all hand their notes to the audio thread (and to the main thread) this
// way. Nobody locks, waits or allocates: a push into a full queue and a pop
// from an empty one report failure. Each cell carries a sequence number that
// says whose turn it is, so a producer claims a cell with one
// compare-and-swap and the consumer sees it only once it is written.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace stepweave {

template <typename T>
class MultiProducerQueue {
public:
    // Room for at least minimumCapacity elements (rounded up to a power of two).
    explicit MultiProducerQueue(size_t minimumCapacity) {
        size_t capacity = 2;
        while (capacity < minimumCapacity) {
            capacity *= 2;
        }
        mask_ = capacity - 1;
        cells_ = std::make_unique<Cell[]>(capacity);
        for (size_t i = 0; i < capacity; ++i) {
            cells_[i].sequence.store(i, std::memory_order_relaxed);
        }
    }
    MultiProducerQueue(const MultiProducerQueue&) = delete;
    MultiProducerQueue& operator=(const MultiProducerQueue&) = delete;

    // Any thread.
    bool TryPush(const T& value) {
        size_t position = tail_.load(std::memory_order_relaxed);
        for (;;) {
            Cell& cell = cells_[position & mask_];
            const size_t sequence = cell.sequence.load(std::memory_order_acquire);
            const auto turn = static_cast<intptr_t>(sequence) - static_cast<intptr_t>(position);
            if (turn == 0) {
                if (tail_.compare_exchange_weak(position, position + 1, std::memory_order_relaxed)) {
                    cell.value = value;
                    cell.sequence.store(position + 1, std::memory_order_release);
                    return true;
                }
            } else if (turn < 0) {
                return false;  // full
            } else {
                position = tail_.load(std::memory_order_relaxed);
            }
        }
    }

    // The one consumer thread.
    bool TryPop(T& value) {
        Cell& cell = cells_[head_ & mask_];
        if (cell.sequence.load(std::memory_order_acquire) != head_ + 1) {
            return false;  // empty, or the producer is still writing it
        }
        value = cell.value;
        cell.sequence.store(head_ + mask_ + 1, std::memory_order_release);
        ++head_;
        return true;
    }

private:
    struct Cell {
        std::atomic<size_t> sequence{0};
        T value{};
    };

    alignas(64) std::atomic<size_t> tail_{0};
    alignas(64) size_t head_ = 0;
    size_t mask_ = 0;
    std::unique_ptr<Cell[]> cells_;
};

}  // namespace stepweave
