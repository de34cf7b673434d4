// The per-block cycle of a live run: completions from the device, the
// analysis of each filled block in idle time, the drift measurement, the
// overload question and the end of a run the device stopped.
#include "voxnote/analysis/capture/capture_session.h"

#include <algorithm>
#include <cstring>

#include "voxnote/analysis/capture/capture_drift.h"
#include "voxnote/analysis/detector/detector.h"

namespace voxnote {

namespace {

constexpr uint32_t kSyncDelayMs = 4000;
constexpr int kDriftSlot = 5;  // drift is measured once per round of ten blocks
constexpr int kOverloadQueued = 1;

}  // namespace

int CaptureSession::PollDevice() {
    int taken = 0;
    while (CaptureBlock* block = input_.TakeCompletedBlock()) {
        OnBlockDone(*block);
        ++taken;
    }
    return taken;
}

void CaptureSession::OnBlockDone(CaptureBlock& block) {
    if (observer_ != nullptr) {
        observer_->Trace("WIM_DATA\r\n");
    }
    ring_.BlockCompleted(block);
    if (observer_ != nullptr) {
        observer_->BlockRecorded(Display());
    }
}

bool CaptureSession::NeedsIdle() const {
    if (!running_ || ring_.QueuedCount() >= kCaptureBlockCount) {
        return false;
    }
    const CaptureSlot& slot = ring_.SlotToProcess();
    const bool blockWaiting = slot.filled && slot.bytesRecorded != 0;
    if (active_) {
        return blockWaiting || ring_.QueuedCount() <= kOverloadQueued;
    }
    return blockWaiting || !runFlushed_;
}

void CaptureSession::HandleFilledBlock() {
    if (!running_) {
        return;
    }
    if (active_ && ring_.QueuedCount() <= kOverloadQueued) {
        AskAboutOverload();
        return;
    }
    const CaptureSlot& slot = ring_.SlotToProcess();
    if (slot.filled && slot.bytesRecorded != 0) {
        AnalyseFilledSlot();
    } else if (!active_) {
        EndOfRun();
    }
}

void CaptureSession::AnalyseFilledSlot() {
    const CaptureSlot& slot = ring_.SlotToProcess();
    const uint32_t count = std::min(slot.bytesRecorded, kInputAreaBytes);
    std::memcpy(InputArea(detector_), slot.block->data, count);
    if (AnalyseBlock(detector_, count) == 0) {
        Show(CaptureMessage::BufferOverflow);
    }
    DrainToSink();
    bytesProcessed_ += slot.bytesRecorded;
    ring_.SlotProcessed();
    if (observer_ != nullptr) {
        observer_->BlockAnalysed(Display());
    }
    // Once the device has stopped, the blocks left are analysed but not handed back.
    if (!active_) {
        return;
    }
    if (ring_.NextToProcess() == kDriftSlot && !MeasureDrift()) {
        return;  // that block stays out of the ring for the rest of the run
    }
    if (Requeue()) {
        ring_.SetQueuedCount(ring_.QueuedCount() + 1);
    } else {
        PollDevice();  // the blocks the reset gave back are analysed before the run ends
    }
}

bool CaptureSession::MeasureDrift() {
    const uint32_t elapsed = clock_.Now() - startTime_;
    CapturePosition position{PositionType::Milliseconds, 0};
    if (!input_.GetPosition(position)) {
        Show(CaptureMessage::PositionFailed);
        return false;
    }
    std::optional<uint32_t> milliseconds = PositionMilliseconds(position);
    if (!milliseconds) {
        Show(CaptureMessage::UnknownPositionType);
        milliseconds = 0;
    }
    SetTimeOffsetTarget(detector_, DriftTarget(elapsed, *milliseconds));
    return true;
}

// The device stopped on its own (a block could not be handed back) and every
// block it returned has been analysed: end the last note, once.
void CaptureSession::EndOfRun() {
    if (runFlushed_) {
        return;
    }
    runFlushed_ = true;
    if (FlushDetector(detector_) == 0) {
        Show(CaptureMessage::FlushFailed);
    }
    DrainToSink();
}

void CaptureSession::AskAboutOverload() {
    running_ = false;
    ApplyPriority();
    Stop(true);
    if (prompt_.AskYesNo(CaptureMessageText(CaptureMessage::OverloadQuestion))) {
        higherPriority_ = true;
        if (observer_ != nullptr) {
            observer_->HigherPriorityChosen();
        }
    }
    MoveRecordButton(false);
}

void CaptureSession::DrainToSink() {
    const uint32_t offset = startTime_ + (sync_ ? kSyncDelayMs : 0);
    while (DrainEvents(detector_, eventSlot_)) {
        eventSlot_.timeMs += offset;
        if (sink_ != nullptr) {
            sink_->LiveNote(eventSlot_);
        }
    }
}

CaptureDisplay CaptureSession::Display() const {
    CaptureDisplay display;
    display.level = LevelMeter(detector_);
    display.inputClipped = InputClipped(detector_);
    display.velocityClipped = VelocityClipped(detector_);
    display.inputProcessed = running_ && active_;
    display.currentNote = CurrentNote(detector_);
    display.fineStep = CurrentFineStep(detector_);
    return display;
}

}  // namespace voxnote
