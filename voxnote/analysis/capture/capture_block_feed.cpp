#include "voxnote/analysis/capture/capture_block_feed.h"

#include <algorithm>
#include <cstring>

namespace voxnote {

bool CaptureBlockFeed::Queue(CaptureBlock& block) { return queued_.TryPush(&block); }

CaptureBlock* CaptureBlockFeed::TakeCompleted() {
    CaptureBlock* block = nullptr;
    return completed_.TryPop(block) ? block : nullptr;
}

void CaptureBlockFeed::ReturnAll() {
    if (filling_ != nullptr) {
        Complete();
    }
    CaptureBlock* block = nullptr;
    while (queued_.TryPop(block)) {
        block->bytesRecorded = 0;
        completed_.TryPush(block);
    }
}

void CaptureBlockFeed::RestartCount() {
    recorded_.store(0, std::memory_order_relaxed);
    dropped_.store(0, std::memory_order_relaxed);
}

void CaptureBlockFeed::Deliver(const int16_t* samples, size_t count) {
    recorded_.fetch_add(count, std::memory_order_relaxed);
    while (count > 0) {
        if (filling_ == nullptr && !queued_.TryPop(filling_)) {
            filling_ = nullptr;
            dropped_.fetch_add(count, std::memory_order_relaxed);
            return;
        }
        const size_t room = (filling_->bufferLength - filledBytes_) / sizeof(int16_t);
        const size_t taken = std::min(room, count);
        std::memcpy(filling_->data + filledBytes_, samples, taken * sizeof(int16_t));
        filledBytes_ += static_cast<uint32_t>(taken * sizeof(int16_t));
        samples += taken;
        count -= taken;
        if (filledBytes_ + sizeof(int16_t) > filling_->bufferLength) {
            Complete();
        }
    }
}

void CaptureBlockFeed::Complete() {
    filling_->bytesRecorded = filledBytes_;
    // At most ten blocks circulate, so the completion ring always has room.
    completed_.TryPush(filling_);
    filling_ = nullptr;
    filledBytes_ = 0;
}

}  // namespace voxnote
