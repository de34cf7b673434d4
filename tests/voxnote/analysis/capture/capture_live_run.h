#pragma once
// A live run on a hand-pumped recording device with a hand-moved clock: the
// test records sound, and the run's window handles completions and idle time
// as the main window does.
#include <memory>
#include <span>
#include <vector>

#include "tests/voxnote/analysis/capture/capture_test_support.h"
#include "tests/support/voxnote/manual_millisecond_clock.h"
#include "voxnote/analysis/capture/capture_session.h"
#include "voxnote/analysis/detector/detector.h"
#include "tests/support/voxnote/manual_audio_input.h"

namespace voxnote::capture_testing {

constexpr size_t kBlockSamples = kCaptureBlockBytes / 2;

struct LiveRun {
    // By default the run records from the hand-pumped device on the hand-moved clock.
    explicit LiveRun(AudioInput* device = nullptr, MillisecondClock* runClock = nullptr)
        : input(device != nullptr ? *device : manual), sessionClock(runClock != nullptr ? *runClock : clock) {
        RefreshDetectorSettings(*detector, kStartUpDetectorSettings);
        session = CaptureSession::Create({input, sessionClock, prompt, priority}, *detector, eventSlot);
        session->SetObserver(&observer);
        session->SetLiveNoteSink(&sink);
    }

    // Records the sound in 40 ms pieces as the clock moves on; after each
    // piece the window takes completions and, when idle is true, analyses
    // what waits.
    void Record(std::span<const int16_t> sound, bool idle = true) {
        for (size_t at = 0; at < sound.size(); at += 441) {
            manual.Pump(sound.subspan(at, std::min<size_t>(441, sound.size() - at)));
            clock.Advance(40);
            session->PollDevice();
            while (idle && session->NeedsIdle()) session->HandleFilledBlock();
        }
    }
    void RecordSilence(size_t samples, bool idle = true) { Record(std::vector<int16_t>(samples, 0), idle); }
    void Idle() {
        session->PollDevice();
        while (session->NeedsIdle()) session->HandleFilledBlock();
    }

    ManualAudioInput manual;
    ManualMillisecondClock clock;
    AudioInput& input;
    MillisecondClock& sessionClock;
    ScriptedPrompt prompt;
    RecordedThreadPriority priority;
    RecordingObserver observer;
    CollectingSink sink;
    std::unique_ptr<DetectorState> detector = std::make_unique<DetectorState>();
    NoteEvent eventSlot;
    std::unique_ptr<CaptureSession> session;
};

}  // namespace voxnote::capture_testing
