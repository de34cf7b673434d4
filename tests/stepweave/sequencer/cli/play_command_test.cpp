#include "stepweave/sequencer/cli/play_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "tests/stepweave/sequencer/playback/sound_test_support.h"
#include "stepweave/data/default_kit.h"
#include "stepweave/sequencer/cli/interrupt_signal.h"
#include "stepweave/sequencer/commands/library_commands.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sequencer/session/workspace.h"
#include "stepweave/sound/backend/audio_backend_choice.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

int64_t FramesIn(uint32_t milliseconds) { return static_cast<int64_t>(milliseconds) * 441 / 10; }

class PlayCommandOnADevice : public ::testing::Test {
protected:
    PlayCommandOnADevice() {
        WriteSeedFiles(folder.string());
        // "Beat": a snare on step 1 and a kick on step 3 of 4, at 100 ms steps, twice.
        UserSampleTable samples;
        SequencerDocument document(folder.string(), samples);
        ScriptedPrompt prompt;
        document.grid.UpdateTime("4", "4");
        document.grid.SetCell(PatternGrid::StepRow(1), 1, "Snare     [1]");
        document.grid.SetCell(PatternGrid::StepRow(3), 2, "Kick      [2]");
        document.SetPatternName("Beat");
        document.SetDelay(50);
        document.SetLoop(2);
        StorePattern(document, prompt);
        SaveSong(document, (folder / "Song.sng").string());
    }

    int Play(PlayArguments arguments) {
        arguments.folder = folder.string();
        return PlayCommand(arguments, sound.Source(), out, err, timers);
    }

    std::filesystem::path folder = FreshFolder();
    ManualSoundOutput sound;
    TimerScheduler timers{sound.clock};
    std::ostringstream out;
    std::ostringstream err;
};

}  // namespace

TEST_F(PlayCommandOnADevice, PlaysASongStepByStepToItsEnd) {
    PlayArguments arguments;
    arguments.songPath = (folder / "Song.sng").string();
    EXPECT_EQ(Play(arguments), 0) << err.str();
    EXPECT_EQ(out.str(), "Playing song \"Song\": 1 patterns\n");
    const auto& output = sound.clock.Output();
    const int64_t first = FirstSoundingFrame(output, 0, 1e-4f);
    // The song clock's first interval is one second.
    EXPECT_NEAR(first, FramesIn(1000 + kTestLatency), 4);
    // Snares at 0 and 400 ms, kicks at 200 and 600 ms: each step is louder
    // just after it than just before.
    for (uint32_t at : {200u, 400u, 600u}) {
        const int64_t step = first + FramesIn(at);
        EXPECT_GT(Peak(output, Side::Left, step, step + FramesIn(5)), 2 * Peak(output, Side::Left, step - FramesIn(5), step))
            << at;
    }
    EXPECT_GT(LastSoundingFrame(output), first + FramesIn(700)) << "the last kick was heard";
    EXPECT_TRUE(std::filesystem::exists(folder / "temp" / "sample8.wav")) << "the sample exports were reset";
}

TEST_F(PlayCommandOnADevice, PlaysAStoredPatternOnce) {
    PlayArguments arguments;
    arguments.patternName = "Beat";
    EXPECT_EQ(Play(arguments), 0) << err.str();
    EXPECT_EQ(out.str(), "Playing pattern \"Beat\" at 144 BPM\n");
    // One step after the start, heard the latency later (the snare fades in
    // from exact zero over its first samples).
    EXPECT_NEAR(FirstSoundingFrame(sound.clock.Output(), 0, 1e-4f), FramesIn(100 + kTestLatency), 4);
    EXPECT_LT(LastSoundingFrame(sound.clock.Output()), FramesIn(100 + kTestLatency + 400 + 2000));
}

TEST_F(PlayCommandOnADevice, CtrlCStopsARepeatingSong) {
    PlayArguments arguments;
    arguments.songPath = "Song";  // found in the start folder, ".sng" added
    arguments.repeat = true;
    RepeatingTimer interrupt(timers, 5000, [] { InterruptSignal::Request(); });
    EXPECT_EQ(Play(arguments), kPlayInterrupted) << err.str();
    EXPECT_NE(out.str().find("Stopped\n"), std::string::npos);
    const auto& output = sound.clock.Output();
    EXPECT_GT(Peak(output, Side::Left, FramesIn(4000), FramesIn(4900)), 0.05f) << "still playing after four passes";
    EXPECT_LT(FrameCount(output), FramesIn(5100)) << "stopped at once";
}

TEST_F(PlayCommandOnADevice, AMissingSongOrPatternIsReported) {
    PlayArguments song;
    song.songPath = (folder / "None.sng").string();
    EXPECT_EQ(Play(song), kPlayFailed);
    EXPECT_EQ(err.str(), "Cannot open file " + (folder / "None.sng").string() + "\n");

    err.str("");
    PlayArguments pattern;
    pattern.patternName = "Nothing";
    EXPECT_EQ(Play(pattern), kPlayFailed);
    EXPECT_EQ(err.str(), "Cannot open file " + (folder / "Nothing.pat").string() + "\n");
}

TEST_F(PlayCommandOnADevice, ASongWithoutPatternsPlaysNothing) {
    WriteText(folder / "Empty.sng", "");
    PlayArguments arguments;
    arguments.songPath = (folder / "Empty.sng").string();
    EXPECT_EQ(Play(arguments), kPlayFailed);
    EXPECT_EQ(err.str(), "The song \"Empty\" has no patterns to play\n");
}

TEST_F(PlayCommandOnADevice, AFolderWithoutAKitIsReported) {
    std::filesystem::remove(folder / "standard.dxg");
    PlayArguments arguments;
    arguments.patternName = "Beat";
    EXPECT_EQ(Play(arguments), kPlayFailed);
    EXPECT_EQ(err.str(), "Cannot open file " + (folder / "standard.dxg").string() + "\n");
}

TEST_F(PlayCommandOnADevice, AFailedCommandLeavesTheFolderAsItWas) {
    std::filesystem::remove_all(folder / "temp");
    const auto listing = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = listing();
    PlayArguments song;
    song.songPath = "Missing.sng";
    EXPECT_EQ(Play(song), kPlayFailed);
    PlayArguments pattern;
    pattern.patternName = "Missing";
    EXPECT_EQ(Play(pattern), kPlayFailed);
    std::filesystem::remove(folder / "standard.dxg");
    PlayArguments noKit;
    noKit.patternName = "Beat";
    EXPECT_EQ(Play(noKit), kPlayFailed);
    std::vector<std::string> after = listing();
    after.push_back("standard.dxg");
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before) << "no temp folder, no sample exports";
}

TEST_F(PlayCommandOnADevice, ANumberThatIsNoneIsReportedWithItsFileAndLine) {
    // "Beat" has 4 steps: its cells fill lines 0..48, the repeat count is line 50.
    auto text = FileText(folder / "Beat.pat");
    const size_t repeatLine = text.find("\r\n2\r\nBlank.wav");
    ASSERT_NE(repeatLine, std::string::npos);
    text.replace(repeatLine, 5, "\r\nabc\r\n");
    WriteText(folder / "Beat.pat", text);
    PlayArguments arguments;
    arguments.patternName = "Beat";
    EXPECT_EQ(Play(arguments), kPlayFailed);
    EXPECT_EQ(err.str(), "Beat.pat: line 50: 'abc' is not a valid integer value\n");
}

TEST_F(PlayCommandOnADevice, ADamagedPanningFileIsReportedAndPlaybackGoesOn) {
    WriteText(folder / "Panning.dat", "0\r\nleft\r\n");
    PlayArguments arguments;
    arguments.patternName = "Beat";
    EXPECT_EQ(Play(arguments), 0);
    EXPECT_EQ(err.str(), "Panning.dat: line 1: 'left' is not a valid integer value\n");
    EXPECT_GE(FirstSoundingFrame(sound.clock.Output()), 0);
}

TEST(PlayCommandWithoutADevice, SaysSoAndFails) {
    const auto folder = FreshFolder();
    WriteSeedFiles(folder.string());
    std::filesystem::remove_all(folder / "temp");
    PlayArguments arguments;
    arguments.patternName = "Any";
    arguments.folder = folder.string();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(PlayCommand(arguments, NoSoundDevice(), out, err), kPlayFailed);
    EXPECT_EQ(err.str(), "DirectSound cannot be initialized\n");
    err.str("");
    EXPECT_EQ(PlayCommand(arguments, AudioBackendNamed("bogus"), out, err), kPlayFailed);
    EXPECT_EQ(err.str(), std::string(kBogusDeviceMessage) + "\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "temp")) << "a failed command changes nothing";
}

TEST(PlayCommandOnTheSilentDevice, PlaysToTheEndAndSucceeds) {
    const auto folder = FreshFolder();
    WriteSeedFiles(folder.string());
    UserSampleTable samples;
    SequencerDocument document(folder.string(), samples);
    ScriptedPrompt prompt;
    document.grid.UpdateTime("4", "4");
    document.grid.SetCell(PatternGrid::StepRow(1), 1, "Snare     [1]");
    document.SetPatternName("Tick");
    document.SetDelay(25);
    StorePattern(document, prompt);
    PlayArguments arguments;
    arguments.patternName = "Tick";
    arguments.folder = folder.string();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(PlayCommand(arguments, AudioBackendNamed("null"), out, err), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(out.str(), "Playing pattern \"Tick\" at 288 BPM\n");
}

TEST(PlayCommandRecording, ARecordingThatCannotBeWrittenFailsTheCommand) {
    const auto folder = FreshFolder();
    WriteSeedFiles(folder.string());
    PlayArguments arguments;
    arguments.patternName = "Tick";
    arguments.folder = folder.string();
    UserSampleTable samples;
    SequencerDocument document(folder.string(), samples);
    ScriptedPrompt prompt;
    document.grid.UpdateTime("4", "4");
    document.SetPatternName("Tick");
    document.SetDelay(25);
    StorePattern(document, prompt);
    // The recording's folder goes while it plays, so the file cannot be put in place.
    const auto gone = folder / "gone";
    std::filesystem::create_directories(gone);
    TimerScheduler& timers = MainTimers();
    RepeatingTimer remove(timers, 50, [&] { std::filesystem::remove_all(gone); });
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(PlayCommand(arguments, AudioBackendNamed("file:" + (gone / "take.wav").string()), out, err, timers),
              kPlayFailed);
    EXPECT_EQ(err.str(), "Cannot create file " + (gone / "take.wav").string() + "\n");
}

TEST(PlayCommandRecording, AFailedCommandLeavesAnEarlierRecordingAsItWas) {
    const auto folder = FreshFolder();
    WriteSeedFiles(folder.string());
    const auto target = folder / "take.wav";
    WriteText(target, "the old take");
    PlayArguments arguments;
    arguments.songPath = "Missing.sng";
    arguments.folder = folder.string();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(PlayCommand(arguments, AudioBackendNamed("file:" + target.string()), out, err), kPlayFailed);
    EXPECT_EQ(FileText(target), "the old take");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
    }
}

TEST(DemoSongOnADevice, PlaysToItsEndWithoutClipping) {
    const auto folder = FreshFolder();
    SeedWorkspace(folder.string());
    ManualSoundOutput sound;
    TimerScheduler timers{sound.clock};
    PlayArguments arguments;
    arguments.songPath = "Demo.sng";
    arguments.folder = folder.string();
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(PlayCommand(arguments, sound.Source(), out, err, timers), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    const auto& output = sound.clock.Output();
    EXPECT_GT(FrameCount(output), FramesIn(35000)) << "about forty seconds of music";
    const float left = Peak(output, Side::Left);
    const float right = Peak(output, Side::Right);
    EXPECT_LT(std::max(left, right), 1.0f) << "the mix never clips";
    EXPECT_GT(std::max(left, right), 0.25f) << "and is not timid either";
}
