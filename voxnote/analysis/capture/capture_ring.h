#pragma once
// The bookkeeping of the ten capture blocks in a live run: three indices that
// go round 0..9 (the next block to hand to the device, the next slot to note
// a completion in, the next slot to analyse), a filled flag and byte count per
// slot, and how many blocks the device holds.
#include <array>
#include <cstdint>

#include "voxnote/analysis/capture/capture_block.h"
#include "voxnote/analysis/capture/capture_format.h"

namespace voxnote {

struct CaptureSlot {
    CaptureBlock* block = nullptr;  // as the completion gave it
    bool filled = false;
    uint32_t bytesRecorded = 0;
};

class CaptureRing {
public:
    // A new run: indices 0, no slot filled, no block queued.
    void Reset();

    int NextToQueue() const { return nextToQueue_; }
    void BlockQueued();

    int NextCompletion() const { return nextCompletion_; }
    // The device gave back a block: note it in the completion slot.
    void BlockCompleted(CaptureBlock& block);

    int NextToProcess() const { return nextToProcess_; }
    const CaptureSlot& SlotToProcess() const { return slots_[nextToProcess_]; }
    // The slot to process has been analysed.
    void SlotProcessed();

    const CaptureSlot& Slot(int index) const { return slots_[index]; }
    int QueuedCount() const { return queued_; }
    // Set outright when a run starts with all its blocks queued.
    void SetQueuedCount(int count) { queued_ = count; }

private:
    static int Following(int index) { return index + 1 == kCaptureBlockCount ? 0 : index + 1; }

    std::array<CaptureSlot, kCaptureBlockCount> slots_{};
    int nextToQueue_ = 0;
    int nextCompletion_ = 0;
    int nextToProcess_ = 0;
    int queued_ = 0;
};

}  // namespace voxnote
