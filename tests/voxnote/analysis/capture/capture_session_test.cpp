// A live run's life: start-up checks, start and stop, the ring of ten blocks,
// what a stop leaves unanalysed, and Higher Priority Processing.
#include "voxnote/analysis/capture/capture_session.h"

#include <gtest/gtest.h>

#include "tests/voxnote/analysis/capture/capture_live_run.h"
#include "voxnote/analysis/input/null_audio_input.h"

namespace voxnote {
namespace {

using capture_testing::kBlockSamples;
using capture_testing::LiveRun;
using capture_testing::Sine16;

TEST(CaptureStartUp, WarnsOfAMissingRecordingDeviceButStillMakesTheSession) {
    NullAudioInput none;
    LiveRun run(&none);
    ASSERT_NE(run.session, nullptr);
    EXPECT_EQ(run.prompt.messages,
              (std::vector<std::string>{"No microphone set up", "No wave audio recording devices found."}));
    EXPECT_EQ(run.session->FormatTag(), "PCM");
    EXPECT_EQ(run.session->FormatDescriptionText(), "11.025 kHz, 16 Bit, Mono");

    run.session->StartStop(true);
    EXPECT_EQ(run.prompt.messages.back(), "Could not open the input device for recording.");
    EXPECT_FALSE(run.session->IsRunning());
    EXPECT_EQ(run.observer.buttonMoves, std::vector<bool>{false});

    LiveRun withDevice;
    EXPECT_TRUE(withDevice.prompt.messages.empty());
}

TEST(CaptureSession, StartsWithTenBlocksQueuedAndStopsWithTheDeviceClosed) {
    LiveRun run;
    run.clock.Set(123456);
    run.session->StartStop(true);
    EXPECT_TRUE(run.session->IsRunning());
    EXPECT_TRUE(run.session->IsActive());
    EXPECT_TRUE(run.session->IsRecording());
    EXPECT_TRUE(run.manual.IsRecording());
    EXPECT_EQ(run.session->Ring().QueuedCount(), 10);
    EXPECT_EQ(run.session->StartTime(), 123456u);
    EXPECT_TRUE(run.observer.buttonMoves.empty());  // the button was pressed by the user
    EXPECT_FALSE(run.session->NeedsIdle());

    run.session->StartStop(false);
    EXPECT_FALSE(run.session->IsRunning());
    EXPECT_FALSE(run.session->IsRecording());
    EXPECT_FALSE(run.session->IsDeviceOpen());
    EXPECT_FALSE(run.manual.IsOpen());
    EXPECT_EQ(run.observer.buttonMoves, std::vector<bool>{false});
    EXPECT_EQ(run.sink.stops, 1);
    EXPECT_TRUE(run.prompt.messages.empty());
}

TEST(CaptureSession, KeepsItsRingInStepOverManyBlocks) {
    LiveRun run;
    run.session->StartStop(true);
    const CaptureRing& ring = run.session->Ring();

    // Three blocks recorded before the idle time comes: seven left with the device.
    run.RecordSilence(3 * kBlockSamples, false);
    EXPECT_EQ(ring.QueuedCount(), 7);
    EXPECT_EQ(ring.NextCompletion(), 3);
    EXPECT_EQ(ring.NextToProcess(), 0);
    EXPECT_EQ(ring.NextToQueue(), 0);  // ten were handed over: back at the start
    EXPECT_TRUE(run.session->NeedsIdle());
    run.session->HandleFilledBlock();
    EXPECT_EQ(ring.NextToProcess(), 1);
    EXPECT_EQ(ring.NextToQueue(), 1);
    EXPECT_EQ(ring.QueuedCount(), 8);
    run.Idle();
    EXPECT_EQ(ring.QueuedCount(), 10);
    EXPECT_FALSE(run.session->NeedsIdle());

    // 54 more, each analysed as it comes: 57 in all, every index at 7.
    run.RecordSilence(54 * kBlockSamples);
    EXPECT_EQ(ring.NextCompletion(), 7);
    EXPECT_EQ(ring.NextToProcess(), 7);
    EXPECT_EQ(ring.NextToQueue(), 7);
    EXPECT_EQ(ring.QueuedCount(), 10);
    EXPECT_EQ(run.session->BytesProcessed(), 57u * kCaptureBlockBytes);
    EXPECT_EQ(run.observer.blocksRecorded, 57);
    EXPECT_EQ(run.observer.analysed.size(), 57u);
    EXPECT_TRUE(run.observer.analysed.back().inputProcessed);
    EXPECT_EQ(run.manual.DroppedSamples(), 0u);
    for (int slot = 0; slot < kCaptureBlockCount; ++slot) EXPECT_FALSE(ring.Slot(slot).filled);
    EXPECT_TRUE(run.prompt.messages.empty());
}

// A tone held for three seconds gets its note-on while it sounds (after 200
// frames); a stop in the middle of it analyses nothing more, sends no
// note-off, and the next run starts with a fresh detector.
TEST(CaptureSession, StopDropsFilledBlocksAndTheNextStartBeginsAfresh) {
    LiveRun run;
    run.session->StartStop(true);
    run.RecordSilence(4096);
    run.Record(Sine16(11025, 440, 8000, 3 * 11025));
    ASSERT_EQ(run.sink.events.size(), 1u);
    EXPECT_EQ(run.sink.events[0].Note(), 69);
    EXPECT_GT(run.sink.events[0].Velocity(), 0);

    run.Record(Sine16(11025, 440, 8000, 2 * kBlockSamples), false);  // two blocks wait
    const uint64_t processed = run.session->BytesProcessed();
    const size_t analysed = run.observer.analysed.size();
    run.session->StartStop(true);
    EXPECT_EQ(run.session->BytesProcessed(), processed);
    EXPECT_EQ(run.observer.analysed.size(), analysed);
    EXPECT_EQ(run.sink.events.size(), 1u);
    EXPECT_EQ(run.sink.stops, 1);
    EXPECT_FALSE(run.session->NeedsIdle());

    run.session->StartStop(true);
    EXPECT_EQ(run.session->BytesProcessed(), 0u);
    EXPECT_EQ(run.session->Ring().NextToProcess(), 0);
    run.RecordSilence(6 * kBlockSamples);
    EXPECT_EQ(run.session->BytesProcessed(), 6u * kCaptureBlockBytes);
    EXPECT_EQ(run.sink.events.size(), 1u);  // the old note never ends in the new run
}

TEST(CaptureSession, TimesEventsFromTheStartAndDelaysThemWithSync) {
    std::vector<int16_t> sound(4096, 0);
    const std::vector<int16_t> tone = Sine16(11025, 440, 8000, 11025);
    sound.insert(sound.end(), tone.begin(), tone.end());
    sound.resize(sound.size() + 3 * kBlockSamples, 0);

    LiveRun plain;
    plain.clock.Set(50000);
    plain.session->StartStop(true);
    plain.Record(sound);
    LiveRun synced;
    synced.clock.Set(50000);
    synced.session->SetSync(true);
    synced.session->StartStop(true);
    synced.Record(sound);

    ASSERT_EQ(plain.sink.events.size(), 2u);
    ASSERT_EQ(synced.sink.events.size(), 2u);
    EXPECT_EQ(plain.sink.events[0].timeMs, 50000u + 352);
    EXPECT_EQ(plain.sink.events[1].timeMs, 50000u + 1384);
    EXPECT_EQ(synced.sink.events[0].timeMs, plain.sink.events[0].timeMs + 4000);
    EXPECT_EQ(synced.sink.events[1].timeMs, plain.sink.events[1].timeMs + 4000);
    EXPECT_EQ(plain.sink.events[1].Velocity(), 0);
}

TEST(CaptureSession, HandsTheDisplaysTheDetectedNoteAfterEachBlock) {
    LiveRun run;
    run.session->StartStop(true);
    run.RecordSilence(4096);
    run.Record(Sine16(11025, 440, 8000, 11025));
    run.RecordSilence(3 * kBlockSamples);
    const CaptureDisplay shown = run.observer.analysed.back();
    EXPECT_EQ(shown.currentNote, 69);
    EXPECT_GE(shown.fineStep, 4);
    EXPECT_LE(shown.fineStep, 5);
    EXPECT_TRUE(shown.inputProcessed);
    // While the tone sounded the level was up; in the silence it falls back.
    uint8_t loudest = 0;
    for (const CaptureDisplay& display : run.observer.analysed) loudest = std::max(loudest, display.level);
    EXPECT_GT(loudest, shown.level);
    run.session->StartStop(true);
    EXPECT_FALSE(run.session->Display().inputProcessed);
}

TEST(CaptureSession, TakesNewDetectorSettingsButKeepsTheDriftTarget) {
    LiveRun run;
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.minimumNote = 70;  // 440 Hz (note 69) is now out of range
    run.session->SetDetectorSettings(settings);
    run.session->StartStop(true);
    SetTimeOffsetTarget(*run.detector, -37);
    settings.transposition = 2;
    run.session->SetDetectorSettings(settings);
    EXPECT_EQ(ReadDetectorSettings(*run.detector).timeOffsetTargetMs, -37);
    EXPECT_EQ(ReadDetectorSettings(*run.detector).transposition, 2);
    run.RecordSilence(4096);
    run.Record(Sine16(11025, 440, 8000, 11025));
    run.RecordSilence(3 * kBlockSamples);
    EXPECT_TRUE(run.sink.events.empty());
}

TEST(CaptureSession, RaisesTheMainThreadOnlyWhileARunGoesWithHigherPriority) {
    LiveRun run;
    run.session->StartStop(true);
    run.session->StartStop(true);
    EXPECT_TRUE(run.priority.settings.empty());

    run.session->SetHigherPriority(true);
    run.session->StartStop(true);
    EXPECT_EQ(run.priority.current, ThreadPriority::AboveNormal);
    EXPECT_EQ(run.observer.traces.back(), "New mode has been set to THREAD_PRIORITY_ABOVE_NORMAL");
    run.session->StartStop(true);
    EXPECT_EQ(run.priority.current, ThreadPriority::Normal);
    EXPECT_EQ(run.observer.traces.back(), "New mode has been set to THREAD_PRIORITY_NORMAL");

    // A start that fails leaves the thread at normal priority, and the next
    // run is raised again.
    run.manual.FailCall(DeviceCall::Open);
    run.session->StartStop(true);
    EXPECT_EQ(run.priority.current, ThreadPriority::Normal);
    run.manual.Heal(DeviceCall::Open);
    run.session->StartStop(true);
    EXPECT_EQ(run.priority.current, ThreadPriority::AboveNormal);
    run.session.reset();  // closing the window while running
    EXPECT_EQ(run.priority.current, ThreadPriority::Normal);
}

TEST(SystemThreadPriority, ReportsWhereTheThreadIs) {
    SystemThreadPriority system;
    ASSERT_TRUE(system.SetCurrentThreadPriority(ThreadPriority::Normal));
    EXPECT_EQ(system.CurrentThreadPriority(), ThreadPriority::Normal);
    // Raising needs the right to; either way the report tells the truth.
    const bool raised = system.SetCurrentThreadPriority(ThreadPriority::AboveNormal);
    EXPECT_EQ(system.CurrentThreadPriority(), raised ? ThreadPriority::AboveNormal : ThreadPriority::Normal);
    system.SetCurrentThreadPriority(ThreadPriority::Normal);
    EXPECT_EQ(PriorityReport(ThreadPriority::Idle), "New mode has been set to THREAD_PRIORITY_IDLE");
}

}  // namespace
}  // namespace voxnote
