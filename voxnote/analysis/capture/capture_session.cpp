// A live run's session: made at start-up, started and stopped by the record
// toggle, and the settings it starts each run with.
#include "voxnote/analysis/capture/capture_session.h"

#include <new>

#include "voxnote/analysis/detector/detector.h"

namespace voxnote {

std::unique_ptr<CaptureSession> CaptureSession::Create(const CaptureServices& services, DetectorState& detector,
                                                       NoteEvent& eventSlot) {
    std::unique_ptr<CaptureSession> session(new (std::nothrow) CaptureSession(services, detector, eventSlot));
    if (!session) {
        services.prompt.ShowMessage(CaptureMessageText(CaptureMessage::HeaderAllocation));
        return nullptr;
    }
    if (const auto tag = FormatTagName(session->format_)) {
        session->formatTag_ = *tag;
    } else {
        session->Show(CaptureMessage::FormatTagDetails);
    }
    if (const auto description = FormatDescription(session->format_)) {
        session->formatDescription_ = *description;
    } else {
        session->Show(CaptureMessage::FormatDetails);
    }
    InputDeviceCapabilities capabilities;
    if (!services.input.DeviceCapabilities(0, capabilities)) {
        session->Show(CaptureMessage::NoMicrophone);
    }
    if (services.input.DeviceCount() == 0) {
        session->Show(CaptureMessage::NoRecordingDevices);
    }
    if (!session->AllocateBlocks()) {
        return nullptr;
    }
    return session;
}

CaptureSession::CaptureSession(const CaptureServices& services, DetectorState& detector, NoteEvent& eventSlot)
    : input_(services.input),
      clock_(services.clock),
      prompt_(services.prompt),
      priority_(services.priority),
      detector_(detector),
      eventSlot_(eventSlot),
      settings_(ReadDetectorSettings(detector)) {}

bool CaptureSession::AllocateBlocks() {
    for (int i = 0; i < kCaptureBlockCount; ++i) {
        blockData_[i].reset(new (std::nothrow) uint8_t[kCaptureBlockBytes]());
        if (!blockData_[i]) {
            Show(CaptureMessage::BufferAllocation);
            return false;
        }
    }
    return true;
}

// The device must not touch the blocks once they are gone.
CaptureSession::~CaptureSession() {
    if (deviceOpen_) {
        input_.Reset();
        DiscardCompletions();
        for (CaptureBlock& block : blocks_) {
            input_.Unprepare(block);
        }
        input_.Close();
    }
    if (priority_.IsRaised()) {
        priority_.Apply(false, false);
    }
}

void CaptureSession::SetDetectorSettings(const DetectorHeaderSettings& settings) {
    settings_ = settings;
    if (running_) {
        ApplyDetectorSettings();
    }
}

void CaptureSession::StartStop(bool fromRecordButton) {
    running_ = !running_;
    ApplyPriority();
    if (running_) {
        Start(fromRecordButton);
    } else {
        Stop(fromRecordButton);
    }
}

void CaptureSession::Start(bool fromRecordButton) {
    format_ = kCaptureFormat;
    if (deviceOpen_) {
        // Left open by a stop that failed: make sure it holds no blocks.
        input_.Reset();
        DiscardCompletions();
    } else {
        if (!input_.Open(format_)) {
            Show(CaptureMessage::OpenFailed);
            AbandonStart();
            return;
        }
        deviceOpen_ = true;
    }
    ApplyDetectorSettings();
    ResetDetector(detector_, 0);
    ring_.Reset();
    bytesProcessed_ = 0;
    runFlushed_ = false;
    for (int i = 0; i < kCaptureBlockCount; ++i) {
        if (!blocks_[i].inQueue) {  // a block a failed reset left with the device stays as it is
            blocks_[i] = CaptureBlock{blockData_[i].get(), CaptureBufferLength(format_)};
        }
    }
    for (CaptureBlock& block : blocks_) {
        if (!input_.Prepare(block)) {
            if (UnprepareAll()) {
                CloseDevice();
            }
            Show(CaptureMessage::PrepareFailed);
            AbandonStart();
            return;
        }
    }
    active_ = true;  // Requeue reports a failure by clearing it
    for (int i = 0; i < kCaptureBlockCount; ++i) {
        if (!Requeue()) {
            DiscardCompletions();
            if (UnprepareAll()) {
                CloseDevice();
            }
            AbandonStart();
            return;
        }
    }
    ring_.SetQueuedCount(kCaptureBlockCount);
    startTime_ = clock_.Now();
    if (!input_.Start()) {
        Show(CaptureMessage::StartFailed);
        input_.Reset();
        DiscardCompletions();
        if (UnprepareAll()) {
            CloseDevice();
        }
        AbandonStart();
        return;
    }
    active_ = true;
    recording_ = true;
    if (!fromRecordButton) {
        MoveRecordButton(true);
    }
}

void CaptureSession::AbandonStart() {
    running_ = false;
    active_ = false;
    ApplyPriority();
    MoveRecordButton(false);
}

void CaptureSession::Stop(bool fromRecordButton) {
    if (!input_.Reset()) {
        Show(CaptureMessage::ResetFailed);
    }
    DiscardCompletions();
    if (sink_ != nullptr) {
        sink_->LiveRunStopped();
    }
    if (!fromRecordButton) {
        MoveRecordButton(false);
    }
    if (deviceOpen_) {
        if (!UnprepareAll()) {
            return;  // the device stays open; the next start uses it as it is
        }
        CloseDevice();
    }
    active_ = false;
    recording_ = false;
}

bool CaptureSession::UnprepareAll() {
    for (CaptureBlock& block : blocks_) {
        if (!input_.Unprepare(block)) {
            Show(CaptureMessage::UnprepareFailed);
            return false;
        }
    }
    return true;
}

void CaptureSession::CloseDevice() {
    if (!input_.Close()) {
        Show(CaptureMessage::CloseFailed);
    }
    deviceOpen_ = false;
}

// Blocks that come back after a stop are not analysed.
void CaptureSession::DiscardCompletions() {
    while (input_.TakeCompletedBlock() != nullptr) {
    }
}

bool CaptureSession::Requeue() {
    if (input_.AddBuffer(blocks_[ring_.NextToQueue()])) {
        ring_.BlockQueued();
        return true;
    }
    active_ = false;
    Show(input_.Reset() ? CaptureMessage::AddBufferFailed : CaptureMessage::ResetFailed);
    return false;
}

void CaptureSession::ApplyPriority() {
    const std::string report = priority_.Apply(running_, higherPriority_);
    if (observer_ != nullptr && !report.empty()) {
        observer_->Trace(report);
    }
}

// The header's drift target belongs to the run, not to the settings.
void CaptureSession::ApplyDetectorSettings() {
    DetectorHeaderSettings settings = settings_;
    settings.timeOffsetTargetMs = ReadDetectorSettings(detector_).timeOffsetTargetMs;
    RefreshDetectorSettings(detector_, settings);
}

void CaptureSession::Show(CaptureMessage message) { prompt_.ShowMessage(CaptureMessageText(message)); }

void CaptureSession::MoveRecordButton(bool down) {
    if (observer_ != nullptr) {
        observer_->RecordButtonChanged(down);
    }
}

}  // namespace voxnote
