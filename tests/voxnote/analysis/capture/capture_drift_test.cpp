// The drift between the sound card and the system clock, measured once per
// round of ten blocks, and the question when the analysis falls behind.
#include "voxnote/analysis/capture/capture_drift.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/voxnote/analysis/capture/capture_live_run.h"
#include "voxnote/analysis/input/file_audio_input.h"

namespace voxnote {
namespace {

using capture_testing::kBlockSamples;
using capture_testing::LiveRun;

const std::string kOverloadQuestion =
    "Warning - driver halted !  Not enough power.\n"
    "There may be enough power if the 'Higher Priority Processing' option is set.\n"
    "Do you wish to set this option now ?";

int32_t DriftTargetOf(const LiveRun& run) { return ReadDetectorSettings(*run.detector).timeOffsetTargetMs; }

TEST(CaptureDrift, ConvertsPositionsToMilliseconds) {
    EXPECT_EQ(PositionMilliseconds({PositionType::Bytes, 44100}), 2000u);
    EXPECT_EQ(PositionMilliseconds({PositionType::Bytes, 22049}), 999u);
    EXPECT_EQ(PositionMilliseconds({PositionType::Samples, 11025}), 1000u);
    EXPECT_EQ(PositionMilliseconds({PositionType::Samples, 11024}), 999u);
    EXPECT_EQ(PositionMilliseconds({PositionType::Samples, 4000000000u}), 362811791u);
    EXPECT_EQ(PositionMilliseconds({PositionType::Milliseconds, 1234}), 1234u);
    EXPECT_EQ(PositionMilliseconds({PositionType::Other, 5}), std::nullopt);
    EXPECT_EQ(DriftTarget(2000, 1850), 70);
    EXPECT_EQ(DriftTarget(5, 100), -175);
}

// The clock runs ahead of the sound: each block of 4096 samples is recorded
// in ten pieces of 40 ms, and the clock moves 20 ms more after each block.
TEST(CaptureDrift, MeasuresOncePerRoundWhenTheFifthSlotIsNext) {
    LiveRun run;
    run.clock.Set(7000);
    run.session->StartStop(true);
    auto recordBlock = [&] {
        run.RecordSilence(kBlockSamples);
        run.clock.Advance(20);
    };
    for (int block = 0; block < 4; ++block) recordBlock();
    EXPECT_EQ(DriftTargetOf(run), 0);
    recordBlock();
    // 4 * 420 + 400 ms elapsed; 20480 samples (1857 ms) recorded.
    EXPECT_EQ(DriftTargetOf(run), 2080 - (1857 + 80));
    for (int block = 5; block < 14; ++block) recordBlock();
    EXPECT_EQ(DriftTargetOf(run), 2080 - (1857 + 80));
    recordBlock();
    // 14 * 420 + 400 ms elapsed; 61440 samples (5572 ms) recorded.
    EXPECT_EQ(DriftTargetOf(run), 6280 - (5572 + 80));
    EXPECT_TRUE(run.prompt.messages.empty());
}

TEST(CaptureDrift, ReadsADriverThatCountsBytesOrSomethingElse) {
    LiveRun bytes;
    bytes.manual.AnswerPositionIn(PositionType::Bytes);
    bytes.session->StartStop(true);
    bytes.RecordSilence(5 * kBlockSamples);
    // 47 pieces of 40 ms; 40960 bytes, 1857 ms.
    EXPECT_EQ(DriftTargetOf(bytes), 47 * 40 - (1857 + 80));
    EXPECT_TRUE(bytes.prompt.messages.empty());

    LiveRun other;
    other.manual.AnswerPositionIn(PositionType::Other);
    other.session->StartStop(true);
    other.RecordSilence(5 * kBlockSamples);
    EXPECT_EQ(other.prompt.messages, std::vector<std::string>{"Sound card returned unknown measurement"});
    EXPECT_EQ(DriftTargetOf(other), 47 * 40 - 80);
}

// A failed position query keeps that block: nine circulate from then on.
TEST(CaptureDrift, AFailedPositionQueryLeavesABlockOutOfTheRing) {
    LiveRun run;
    run.session->StartStop(true);
    run.manual.FailCall(DeviceCall::GetPosition);
    run.RecordSilence(5 * kBlockSamples);
    EXPECT_EQ(run.prompt.messages, std::vector<std::string>{"Failed to get waveIn Position"});
    EXPECT_EQ(run.session->Ring().QueuedCount(), 9);
    run.manual.Heal(DeviceCall::GetPosition);
    run.RecordSilence(20 * kBlockSamples);
    EXPECT_EQ(run.session->Ring().QueuedCount(), 9);
    EXPECT_EQ(run.session->BytesProcessed(), 25u * kCaptureBlockBytes);
    EXPECT_EQ(run.manual.DroppedSamples(), 0u);
}

TEST(CaptureOverload, AsksForHigherPriorityWhenTheDeviceIsAboutToRunDry) {
    for (bool yes : {false, true}) {
        LiveRun run;
        run.prompt.answers = {yes};
        run.session->StartStop(true);
        run.RecordSilence(9 * kBlockSamples, false);  // no idle time: nine blocks wait
        EXPECT_EQ(run.session->Ring().QueuedCount(), 1);
        ASSERT_TRUE(run.session->NeedsIdle());
        run.session->HandleFilledBlock();
        EXPECT_EQ(run.prompt.questions, std::vector<std::string>{kOverloadQuestion});
        EXPECT_FALSE(run.session->IsRunning());
        EXPECT_FALSE(run.session->IsDeviceOpen());
        EXPECT_EQ(run.session->BytesProcessed(), 0u);
        EXPECT_EQ(run.observer.buttonMoves, std::vector<bool>{false});
        EXPECT_EQ(run.session->HigherPriority(), yes);
        EXPECT_EQ(run.observer.higherPriorityChosen, yes ? 1 : 0);
        EXPECT_EQ(run.sink.stops, 1);
    }
}

// A device left without blocks loses sound: the overload question comes
// before that happens.
TEST(CaptureOverload, ADeviceStarvedOfBlocksDropsTheSound) {
    LiveRun run;
    run.session->StartStop(true);
    run.RecordSilence(12 * kBlockSamples, false);
    EXPECT_EQ(run.session->Ring().QueuedCount(), 0);
    EXPECT_EQ(run.manual.DroppedSamples(), 2 * kBlockSamples);
    run.session->HandleFilledBlock();
    EXPECT_EQ(run.prompt.questions.size(), 1u);
}

// The same with a device that records on its own thread, faster than real time.
TEST(CaptureOverload, ComesWhenAThreadedDeviceOutrunsTheIdleTime) {
    const auto wav = capture_testing::WriteTempFile(
        "overload.wav", capture_testing::WavImage(11025, 1, capture_testing::Sine16(11025, 300, 4000, 11025)));
    FileAudioInput device(wav.string(), 40.0);
    LiveRun run(&device);
    run.session->StartStop(true);
    while (run.session->Ring().QueuedCount() > 1) {
        run.session->PollDevice();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    run.session->HandleFilledBlock();
    EXPECT_EQ(run.prompt.questions, std::vector<std::string>{kOverloadQuestion});
    EXPECT_FALSE(device.IsOpen());
}

}  // namespace
}  // namespace voxnote
