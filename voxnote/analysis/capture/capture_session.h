#pragma once
// A live recording run: the sound card's input is recorded into ten blocks of
// 8192 bytes that circulate between the device and the program, and each
// filled block is analysed in the main thread's idle time, its notes handed to
// the live-note sink as they are detected.
//
// Everything here runs on the main thread. The main window
//   - calls StartStop for its record toggle (and to stop a run before other
//     work, such as opening a menu or closing);
//   - calls PollDevice from its loop (a 20 ms timer while a run is going is
//     plenty: a block lasts 371 ms), which turns each block the device has
//     finished into an OnBlockDone;
//   - calls HandleFilledBlock from its idle time while NeedsIdle() holds,
//     one block per call, so that the window stays responsive;
//   - redraws from Display() when its observer hears BlockRecorded or
//     BlockAnalysed.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "voxnote/analysis/input/audio_input.h"
#include "voxnote/analysis/capture/capture_format.h"
#include "voxnote/analysis/capture/capture_messages.h"
#include "voxnote/analysis/capture/capture_observer.h"
#include "voxnote/analysis/capture/capture_prompt.h"
#include "voxnote/analysis/capture/capture_ring.h"
#include "voxnote/analysis/detector/detector_header_settings.h"
#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/notes/live_note_sink.h"
#include "voxnote/analysis/capture/millisecond_clock.h"
#include "voxnote/analysis/notes/note_event.h"
#include "voxnote/analysis/capture/processing_priority.h"

namespace voxnote {

struct CaptureServices {
    AudioInput& input;
    MillisecondClock& clock;
    CapturePrompt& prompt;
    ThreadPriorityControl& priority;
};

class CaptureSession {
public:
    // Start-up: looks up the capture format's names, checks that there is a
    // recording device and allocates the ten blocks. The device checks only
    // warn (files can still be converted); nothing is returned when the
    // blocks cannot be had. The detector's settings are taken from its header.
    static std::unique_ptr<CaptureSession> Create(const CaptureServices& services, DetectorState& detector,
                                                  NoteEvent& eventSlot);
    ~CaptureSession();
    CaptureSession(const CaptureSession&) = delete;
    CaptureSession& operator=(const CaptureSession&) = delete;

    void SetObserver(CaptureObserver* observer) { observer_ = observer; }
    void SetLiveNoteSink(LiveNoteSink* sink) { sink_ = sink; }
    // The system settings "Sync" (4000 ms later event times) and "Higher Priority".
    void SetSync(bool on) { sync_ = on; }
    void SetHigherPriority(bool on) { higherPriority_ = on; }
    bool HigherPriority() const { return higherPriority_; }
    // The detector settings every run starts with; a running run takes them at once.
    void SetDetectorSettings(const DetectorHeaderSettings& settings);

    // The record toggle: starts a run when none is going, else stops it.
    void StartStop(bool fromRecordButton);
    // Takes every block the device has finished; returns how many.
    int PollDevice();
    // The device finished this block.
    void OnBlockDone(CaptureBlock& block);
    // Whether the idle step has work now: a run is going, the device has given
    // back a block, and that block waits to be analysed (or the run has to be
    // ended). The window may call HandleFilledBlock as long as this holds.
    bool NeedsIdle() const;
    // The idle step: analyses one block, or ends the run when it falls behind.
    void HandleFilledBlock();

    CaptureDisplay Display() const;
    const std::string& FormatTag() const { return formatTag_; }
    const std::string& FormatDescriptionText() const { return formatDescription_; }

    bool IsRunning() const { return running_; }
    bool IsActive() const { return active_; }
    bool IsRecording() const { return recording_; }
    bool IsDeviceOpen() const { return deviceOpen_; }
    const CaptureRing& Ring() const { return ring_; }
    uint32_t StartTime() const { return startTime_; }
    uint64_t BytesProcessed() const { return bytesProcessed_; }

private:
    CaptureSession(const CaptureServices& services, DetectorState& detector, NoteEvent& eventSlot);
    bool AllocateBlocks();

    void Start(bool fromRecordButton);
    void AbandonStart();
    void Stop(bool fromRecordButton);
    bool UnprepareAll();
    void CloseDevice();
    void DiscardCompletions();
    bool Requeue();

    void AnalyseFilledSlot();
    bool MeasureDrift();
    void EndOfRun();
    void AskAboutOverload();
    void DrainToSink();

    void ApplyPriority();
    void ApplyDetectorSettings();
    void Show(CaptureMessage message);
    void MoveRecordButton(bool down);

    AudioInput& input_;
    MillisecondClock& clock_;
    CapturePrompt& prompt_;
    ProcessingPriority priority_;
    DetectorState& detector_;
    NoteEvent& eventSlot_;
    CaptureObserver* observer_ = nullptr;
    LiveNoteSink* sink_ = nullptr;

    CaptureFormat format_ = kCaptureFormat;
    std::string formatTag_;
    std::string formatDescription_;
    std::array<std::unique_ptr<uint8_t[]>, kCaptureBlockCount> blockData_;
    std::array<CaptureBlock, kCaptureBlockCount> blocks_{};
    CaptureRing ring_;
    DetectorHeaderSettings settings_;

    uint32_t startTime_ = 0;
    uint64_t bytesProcessed_ = 0;
    bool running_ = false;
    bool active_ = false;
    bool recording_ = false;
    bool deviceOpen_ = false;
    bool runFlushed_ = false;
    bool sync_ = false;
    bool higherPriority_ = false;
};

}  // namespace voxnote
