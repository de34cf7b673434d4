// Every device failure of a live run gets its own message and leaves the run
// in a state it can start again from.
#include <gtest/gtest.h>

#include "tests/voxnote/analysis/capture/capture_live_run.h"

namespace voxnote {
namespace {

using capture_testing::kBlockSamples;
using capture_testing::LiveRun;
using capture_testing::Sine16;

TEST(CaptureFailures, AFailedStartShowsItsMessageAndGivesTheDeviceBack) {
    struct Case {
        DeviceCall call;
        int succeedFirst;
        const char* message;
    };
    for (const Case& failure : {Case{DeviceCall::Open, 0, "Could not open the input device for recording."},
                                Case{DeviceCall::Prepare, 3, "Error preparing header for recording."},
                                Case{DeviceCall::Start, 0, "Error starting sampling."},
                                Case{DeviceCall::AddBuffer, 4, "Error adding buffer."}}) {
        SCOPED_TRACE(failure.message);
        LiveRun run;
        run.manual.FailCall(failure.call, failure.succeedFirst);
        run.session->StartStop(true);
        EXPECT_EQ(run.prompt.messages, std::vector<std::string>{failure.message});
        EXPECT_FALSE(run.session->IsRunning());
        EXPECT_FALSE(run.session->IsDeviceOpen());
        EXPECT_FALSE(run.manual.IsOpen());
        EXPECT_EQ(run.observer.buttonMoves, std::vector<bool>{false});

        run.manual.Heal(failure.call);
        run.session->StartStop(true);
        EXPECT_TRUE(run.session->IsRecording());
        run.RecordSilence(2 * kBlockSamples);
        EXPECT_EQ(run.session->BytesProcessed(), 2u * kCaptureBlockBytes);
    }
}

TEST(CaptureFailures, AStopThatCannotResetLeavesTheDeviceOpenForTheNextStart) {
    LiveRun run;
    run.session->StartStop(true);
    run.manual.FailCall(DeviceCall::Reset);
    run.session->StartStop(true);
    // The device still holds its blocks, so they cannot be unprepared.
    EXPECT_EQ(run.prompt.messages,
              (std::vector<std::string>{"Error in waveInReset", "Error in waveInUnprepareHeader (1..10)"}));
    EXPECT_FALSE(run.session->IsRunning());
    EXPECT_TRUE(run.session->IsDeviceOpen());

    run.manual.Heal(DeviceCall::Reset);
    run.session->StartStop(true);
    run.session->StartStop(true);
    EXPECT_FALSE(run.session->IsDeviceOpen());
    EXPECT_FALSE(run.manual.IsOpen());
}

TEST(CaptureFailures, UnprepareAndCloseFailuresAreReported) {
    LiveRun unprepare;
    unprepare.session->StartStop(true);
    unprepare.manual.FailCall(DeviceCall::Unprepare, 6);
    unprepare.session->StartStop(true);
    EXPECT_EQ(unprepare.prompt.messages, std::vector<std::string>{"Error in waveInUnprepareHeader (1..10)"});
    EXPECT_TRUE(unprepare.session->IsDeviceOpen());
    unprepare.manual.Heal(DeviceCall::Unprepare);
    unprepare.session->StartStop(true);  // starts on the open device
    EXPECT_TRUE(unprepare.session->IsRecording());
    unprepare.RecordSilence(kBlockSamples);
    EXPECT_EQ(unprepare.session->BytesProcessed(), kCaptureBlockBytes);

    LiveRun close;
    close.session->StartStop(true);
    close.manual.FailCall(DeviceCall::Close);
    close.session->StartStop(true);
    EXPECT_EQ(close.prompt.messages, std::vector<std::string>{"Error closing input device."});
    EXPECT_FALSE(close.session->IsDeviceOpen());
}

// A block that cannot be handed back ends the recording: what was recorded is
// still analysed, the last note is ended once, and nothing more is asked.
TEST(CaptureFailures, ABlockThatCannotBeHandedBackEndsTheRecordingButNotTheNote) {
    LiveRun run;
    run.session->StartStop(true);
    run.RecordSilence(4096);
    run.Record(Sine16(11025, 440, 8000, 11025), false);  // the tone is recorded...
    run.manual.FailCall(DeviceCall::AddBuffer);
    run.Idle();  // ...and analysed as the first re-queue fails
    EXPECT_EQ(run.prompt.messages, std::vector<std::string>{"Error adding buffer."});
    EXPECT_TRUE(run.session->IsRunning());
    EXPECT_FALSE(run.session->IsActive());
    EXPECT_TRUE(run.session->IsRecording());
    EXPECT_FALSE(run.manual.IsRecording());
    EXPECT_EQ(run.session->BytesProcessed(), 4096u * 2 + 11025 * 2);
    ASSERT_EQ(run.sink.events.size(), 2u);  // the flush ended the note
    EXPECT_EQ(run.sink.events[0].Note(), 69);
    EXPECT_EQ(run.sink.events[1].Velocity(), 0);
    EXPECT_FALSE(run.session->NeedsIdle());
    EXPECT_TRUE(run.prompt.questions.empty());

    run.session->StartStop(true);
    EXPECT_FALSE(run.session->IsRecording());
    EXPECT_FALSE(run.manual.IsOpen());
}

TEST(CaptureFailures, AResetThatFailsAfterARefusedBlockIsReportedInstead) {
    LiveRun run;
    run.session->StartStop(true);
    run.RecordSilence(kBlockSamples, false);
    run.manual.FailCall(DeviceCall::AddBuffer);
    run.manual.FailCall(DeviceCall::Reset);
    run.Idle();
    EXPECT_EQ(run.prompt.messages, std::vector<std::string>{"Error in waveInReset"});
    EXPECT_FALSE(run.session->IsActive());
}

}  // namespace
}  // namespace voxnote
