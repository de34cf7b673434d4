#pragma once
// A fixed-capacity queue for exactly one producer thread and one consumer
// thread. Neither side locks, waits or allocates: a push into a full queue
// and a pop from an empty one simply report failure. This is how the main
// thread and the audio thread talk to each other.
#include <atomic>
#include <cstddef>
#include <memory>
#include <new>

namespace stepweave {

template <typename T>
class SpscQueue {
public:
    // Room for at least minimumCapacity elements (rounded up to a power of two).
    explicit SpscQueue(size_t minimumCapacity) {
        size_t capacity = 2;
        while (capacity < minimumCapacity + 1) {
            capacity *= 2;
        }
        mask_ = capacity - 1;
        slots_ = std::make_unique<T[]>(capacity);
    }
    SpscQueue(const SpscQueue&) = delete;
    SpscQueue& operator=(const SpscQueue&) = delete;

    size_t Capacity() const { return mask_; }

    // Producer side.
    bool TryPush(const T& value) {
        const size_t tail = tail_.load(std::memory_order_relaxed);
        const size_t next = (tail + 1) & mask_;
        if (next == head_.load(std::memory_order_acquire)) {
            return false;
        }
        slots_[tail] = value;
        tail_.store(next, std::memory_order_release);
        return true;
    }

    // Consumer side: the oldest element, or nullptr when the queue is empty.
    // It stays valid until Pop.
    const T* Front() const {
        const size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) {
            return nullptr;
        }
        return &slots_[head];
    }
    void Pop() {
        const size_t head = head_.load(std::memory_order_relaxed);
        head_.store((head + 1) & mask_, std::memory_order_release);
    }
    bool TryPop(T& value) {
        const T* front = Front();
        if (front == nullptr) {
            return false;
        }
        value = *front;
        Pop();
        return true;
    }

private:
    // Producer and consumer indices live on separate cache lines so the two
    // threads do not keep stealing one line from each other.
    alignas(64) std::atomic<size_t> head_{0};
    alignas(64) std::atomic<size_t> tail_{0};
    size_t mask_ = 0;
    std::unique_ptr<T[]> slots_;
};

}  // namespace stepweave
