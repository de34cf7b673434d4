#pragma once
// The exchange of capture blocks between the main thread and the input
// device's thread. The main thread queues empty blocks; the device thread
// fills them in order with 11025 Hz samples and hands each full block back
// through a lock-free completion queue, which the main thread drains in its
// own loop. Sound that arrives while no block is queued is dropped and
// counted. The device thread never locks, allocates or waits here.
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "voxnote/analysis/capture/capture_block.h"
#include "voxnote/analysis/capture/spsc_ring.h"

namespace voxnote {

class CaptureBlockFeed {
public:
    // Main thread. False when the queue is full.
    bool Queue(CaptureBlock& block);
    // Main thread: the next block the device has handed back, or nullptr.
    CaptureBlock* TakeCompleted();
    // Main thread, device stopped: hands back the block being filled (with
    // what it holds) and every queued block (empty), in queue order.
    void ReturnAll();
    // Main thread, device stopped: the position starts again at 0.
    void RestartCount();
    // Samples recorded since RestartCount, dropped ones included.
    uint64_t SamplesRecorded() const { return recorded_.load(std::memory_order_relaxed); }
    // Samples that found no queued block since RestartCount.
    uint64_t SamplesDropped() const { return dropped_.load(std::memory_order_relaxed); }

    // Device thread: stores count samples into the queued blocks.
    void Deliver(const int16_t* samples, size_t count);

private:
    static constexpr size_t kRingCapacity = 16;  // more than the ten blocks in circulation

    void Complete();

    SpscRing<CaptureBlock*, kRingCapacity> queued_;
    SpscRing<CaptureBlock*, kRingCapacity> completed_;
    CaptureBlock* filling_ = nullptr;  // owned by the device thread while it runs
    uint32_t filledBytes_ = 0;
    std::atomic<uint64_t> recorded_{0};
    std::atomic<uint64_t> dropped_{0};
};

}  // namespace voxnote
