#include "voxnote/analysis/capture/capture_ring.h"

namespace voxnote {

void CaptureRing::Reset() {
    slots_ = {};
    nextToQueue_ = 0;
    nextCompletion_ = 0;
    nextToProcess_ = 0;
    queued_ = 0;
}

void CaptureRing::BlockQueued() {
    nextToQueue_ = Following(nextToQueue_);
}

void CaptureRing::BlockCompleted(CaptureBlock& block) {
    --queued_;
    slots_[nextCompletion_] = {&block, true, block.bytesRecorded};
    nextCompletion_ = Following(nextCompletion_);
}

void CaptureRing::SlotProcessed() {
    slots_[nextToProcess_].filled = false;
    nextToProcess_ = Following(nextToProcess_);
}

}  // namespace voxnote
