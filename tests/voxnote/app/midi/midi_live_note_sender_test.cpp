#include <gtest/gtest.h>

#include "tests/voxnote/app/mididevices/midi_test_devices.h"
#include "voxnote/app/midi/live_note_sender.h"
#include "tests/support/voxnote/manual_playback_clock.h"
#include "tests/support/voxnote/recording_midi_device.h"

namespace voxnote {
namespace {

class LiveNoteSenderTest : public testing::Test {
protected:
    LiveNoteSenderTest() {
        clock.Set(10000);
        devices.devices.push_back(synth);
    }

    ManualPlaybackClock clock;
    std::shared_ptr<RecordingMidiDevice> synth =
        std::make_shared<RecordingMidiDevice>("Synth", midi_technology::kWavetableSynthesizer, clock);
    test::ListedMidiDevices devices;
    LiveNoteSender sender{devices, clock};
};

TEST_F(LiveNoteSenderTest, TheVoiceFirstThenEachNoteAtItsTime) {
    ASSERT_TRUE(sender.Open(0, 52));
    EXPECT_EQ(synth->Sent(), (std::vector<SentMidiMessage>{{52 * 256 + 0xC0, 10000}}));
    sender.Send({NoteOnMessage(60, 100), 9990});  // already late: at once
    sender.Send({NoteOnMessage(60, 0), 10250});
    sender.Send({NoteOnMessage(62, 90), 10250});
    ASSERT_TRUE(synth->WaitForMessages(4));
    const std::vector<SentMidiMessage> expected = {{52 * 256 + 0xC0, 10000},
                                                   {NoteOnMessage(60, 100), 10000},
                                                   {NoteOnMessage(60, 0), 10250},
                                                   {NoteOnMessage(62, 90), 10250}};
    EXPECT_EQ(synth->Sent(), expected);
}

TEST_F(LiveNoteSenderTest, NotesStampedAheadBySyncWaitForTheirTime) {
    clock.HoldAt(10000);
    ASSERT_TRUE(sender.Open(0, 0));
    sender.Send({NoteOnMessage(64, 80), 10000 + 4000});
    ASSERT_TRUE(clock.WaitForSleeper());
    clock.Set(13999);
    ASSERT_TRUE(clock.WaitForSleeper());
    EXPECT_EQ(synth->Sent().size(), 1u) << "nothing before its time, nothing dropped either";

    clock.Set(14000);
    ASSERT_TRUE(synth->WaitForMessages(2));
    EXPECT_EQ(synth->Sent()[1], (SentMidiMessage{NoteOnMessage(64, 80), 14000}));
}

TEST_F(LiveNoteSenderTest, CloseDropsWhatIsPendingAndSilencesTheNotes) {
    clock.HoldAt(10100);
    ASSERT_TRUE(sender.Open(0, 0));
    sender.Send({NoteOnMessage(60, 100), 10100});
    sender.Send({NoteOnMessage(60, 0), 14100});
    sender.Send({NoteOnMessage(67, 100), 14200});
    ASSERT_TRUE(clock.WaitForSleeper());
    sender.Close();
    EXPECT_FALSE(sender.IsOpen());
    EXPECT_FALSE(synth->IsOpen());
    const std::vector<SentMidiMessage> expected = {
        {0x00C0, 10000}, {NoteOnMessage(60, 100), 10100}, {0x3C80, 10100}, {0x7BB0, 10100}};
    EXPECT_EQ(synth->Sent(), expected);
    sender.Send({NoteOnMessage(72, 100), 10100});
    clock.Release();
    EXPECT_EQ(synth->Sent().size(), expected.size()) << "a closed sender sends nothing";
}

TEST_F(LiveNoteSenderTest, CloseWhenPlayedLetsTheDelayedNotesPlayOutFirst) {
    ASSERT_TRUE(sender.Open(0, 0));
    sender.Send({NoteOnMessage(60, 100), 14000});
    sender.Send({NoteOnMessage(60, 0), 14500});
    sender.CloseWhenPlayed();
    sender.Send({NoteOnMessage(72, 100), 14600});  // after the close: not taken
    ASSERT_TRUE(synth->WaitForMessages(4));
    const std::vector<SentMidiMessage> expected = {
        {0x00C0, 10000}, {NoteOnMessage(60, 100), 14000}, {NoteOnMessage(60, 0), 14500}, {0x7BB0, 14500}};
    sender.Close();
    EXPECT_EQ(synth->Sent(), expected);
    EXPECT_EQ(synth->CloseCount(), 1);
}

TEST_F(LiveNoteSenderTest, ADeviceThatWillNotOpenIsReported) {
    synth->RefuseToOpen("gone");
    EXPECT_FALSE(sender.Open(0, 0));
    EXPECT_EQ(sender.OpenFailure(), "gone");
    EXPECT_FALSE(sender.IsOpen());
    sender.Send({NoteOnMessage(60, 100), 10000});
    EXPECT_TRUE(synth->Sent().empty());

    synth->RefuseToOpen("");
    ASSERT_TRUE(sender.Open(0, 1));
    ASSERT_TRUE(sender.Open(0, 2)) << "opening again closes the first";
    EXPECT_EQ(synth->OpenCount(), 2);
    EXPECT_EQ(synth->CloseCount(), 1);
}

}  // namespace
}  // namespace voxnote
