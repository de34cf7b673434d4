#include <gtest/gtest.h>

#include "tests/voxnote/app/mididevices/midi_test_devices.h"
#include "tests/voxnote/app/test_support.h"
#include "tests/support/voxnote/manual_playback_clock.h"
#include "voxnote/app/midi/midi_output.h"
#include "tests/support/voxnote/recording_midi_device.h"
#include "voxnote/app/midi/sequencer_stream.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {
namespace {

using test::StreamBufferOf;
using test::StreamStep;

class MidiOutputTest : public testing::Test {
protected:
    MidiOutputTest() { devices.devices.push_back(synth); }

    ManualPlaybackClock clock;
    std::shared_ptr<RecordingMidiDevice> synth =
        std::make_shared<RecordingMidiDevice>("Synth", midi_technology::kWavetableSynthesizer, clock);
    test::ListedMidiDevices devices;
    SequencerStream stream{devices, clock};
    test::RecordingReporter reporter;
    MidiOutput output{stream, reporter};
    MidiStreamBuffer events = StreamBufferOf({{0, ProgramChangeEvent(0)}, {300, 0x643C90}, {200, 0x3C90}});
    test::DoneNotices notices;
};

TEST_F(MidiOutputTest, PlaysToTheEndAndClosesWhenTheDoneNoticeIsHandled) {
    ASSERT_TRUE(output.Play(0, events, notices.Callback()));
    EXPECT_TRUE(output.IsPlaying());
    ASSERT_TRUE(synth->WaitForMessages(3));
    EXPECT_EQ(synth->Sent()[2], (SentMidiMessage{0x3C90, 500}));

    // The notice comes from the player thread; the window handles it on its own.
    ASSERT_TRUE(notices.WaitForOne());
    EXPECT_TRUE(output.HandleDone());
    EXPECT_FALSE(output.IsPlaying());
    EXPECT_FALSE(synth->IsOpen());
    EXPECT_FALSE(output.HandleDone()) << "a second notice changes nothing";
    EXPECT_EQ(notices.Count(), 1);
    EXPECT_TRUE(reporter.texts.empty());

    // Pressing "MIDI" again plays the same events again.
    ASSERT_TRUE(output.Play(0, events, nullptr));
    ASSERT_TRUE(synth->WaitForMessages(3 + 1 + 3));
    EXPECT_EQ(synth->Sent()[4].message, ProgramChangeEvent(0));
}

TEST_F(MidiOutputTest, StopSilencesAndALateNoticeIsIgnored) {
    clock.HoldAt(400);
    ASSERT_TRUE(output.Play(0, events, notices.Callback()));
    ASSERT_TRUE(clock.WaitForSleeper());
    output.Stop();
    EXPECT_FALSE(output.IsPlaying());
    EXPECT_FALSE(synth->IsOpen());
    const std::vector<SentMidiMessage> expected = {
        {ProgramChangeEvent(0), 0}, {0x643C90, 300}, {0x3C80, 300}, {0x7BB0, 300}};
    EXPECT_EQ(synth->Sent(), expected);
    EXPECT_FALSE(output.HandleDone());
    EXPECT_EQ(notices.Count(), 0);
}

TEST_F(MidiOutputTest, AVoiceChangeWhilePlayingIsSentAtOnceAndBecomesTheFirstRecord) {
    clock.HoldAt(100);
    ASSERT_TRUE(output.Play(0, events, nullptr));
    ASSERT_TRUE(clock.WaitForSleeper());
    clock.Set(100);
    output.ChangeVoice(41, &events);
    EXPECT_EQ(synth->Sent().back(), (SentMidiMessage{41 * 256 + 0xC0, 100}));
    EXPECT_EQ(events.Record(0).event, 41u * 256 + 0xC0);
    EXPECT_EQ(events.Record(1), (MidiStreamRecord{300, 0, 0x643C90}));

    clock.Release();
    ASSERT_TRUE(synth->WaitForMessages(4));
    EXPECT_EQ(synth->Sent()[2].message, 0x643C90u) << "the notes play on in the new voice";
}

TEST_F(MidiOutputTest, AVoiceChangeWhileIdleChangesTheFirstRecordOnly) {
    output.ChangeVoice(19, &events);
    output.ChangeVoice(20, nullptr);  // no events yet: nothing to change
    EXPECT_TRUE(synth->Sent().empty());
    EXPECT_EQ(synth->OpenCount(), 0);
    EXPECT_EQ(events.Record(0).event, 19u * 256 + 0xC0);

    ASSERT_TRUE(output.Play(0, events, nullptr));
    ASSERT_TRUE(synth->WaitForMessages(3));
    EXPECT_EQ(synth->Sent()[0], (SentMidiMessage{19 * 256 + 0xC0, 0})) << "the next playback starts with it";
}

TEST_F(MidiOutputTest, NoDeviceOrADeviceThatWillNotOpenGivesTheOpenMessage) {
    const std::string openMessage = "Can't open MIDI stream.\nTry selecting another MIDI device.\n(See Troubleshooting)";
    test::ListedMidiDevices none;
    SequencerStream emptyStream(none, clock);
    MidiOutput withoutDevices(emptyStream, reporter);
    EXPECT_FALSE(withoutDevices.Play(0, events, nullptr));

    synth->RefuseToOpen("in use");
    EXPECT_FALSE(output.Play(0, events, nullptr));
    EXPECT_FALSE(output.IsPlaying());
    EXPECT_EQ(reporter.texts, (std::vector<std::string>{openMessage, openMessage}));
    EXPECT_EQ(reporter.kinds[0], MessageKind::Warning);
}

TEST(MidiOutputFailures, EachStepHasItsMessageAndLeavesTheStreamClosed) {
    struct Case {
        StreamStep step;
        std::string message;
        std::vector<std::string> calls;
    };
    const std::vector<std::string> cleanUp = {"unprepare", "close"};
    const std::vector<Case> cases = {
        {StreamStep::Open, "Can't open MIDI stream.\nTry selecting another MIDI device.\n(See Troubleshooting)",
         {"open"}},
        {StreamStep::TimeDivision, "Couldn't set MIDI time division/tempo.", {"open", "division"}},
        {StreamStep::Tempo, "Couldn't set MIDI time division/tempo.", {"open", "division", "tempo"}},
        {StreamStep::Prepare, "Error: Couldn't prepare MIDI header.", {"open", "division", "tempo", "prepare"}},
        {StreamStep::Queue, "Error: Couldn't queue MIDI stream.", {"open", "division", "tempo", "prepare", "queue"}},
        {StreamStep::Restart, "Error: Couldn't start MIDI stream.",
         {"open", "division", "tempo", "prepare", "queue", "restart"}},
    };
    const MidiStreamBuffer events = StreamBufferOf({{0, ProgramChangeEvent(0)}, {10, 0x643C90}});
    for (const Case& failing : cases) {
        test::StepFailingStream stream(failing.step);
        test::RecordingReporter reporter;
        MidiOutput output(stream, reporter);
        EXPECT_FALSE(output.Play(0, events, nullptr));
        EXPECT_FALSE(output.IsPlaying());
        EXPECT_EQ(reporter.texts, std::vector<std::string>{failing.message});
        std::vector<std::string> calls = failing.calls;
        if (failing.step != StreamStep::Open) {
            calls.insert(calls.end(), cleanUp.begin(), cleanUp.end());
        }
        EXPECT_EQ(stream.calls, calls) << failing.message;
    }

    test::StepFailingStream working(StreamStep::None);
    test::RecordingReporter reporter;
    MidiOutput output(working, reporter);
    EXPECT_TRUE(output.Play(0, events, nullptr));
    EXPECT_TRUE(reporter.texts.empty());
}

}  // namespace
}  // namespace voxnote
