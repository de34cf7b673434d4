#include <gtest/gtest.h>

#include <atomic>

#include "tests/voxnote/app/mididevices/midi_test_devices.h"
#include "tests/support/voxnote/manual_playback_clock.h"
#include "tests/support/voxnote/recording_midi_device.h"
#include "voxnote/app/midi/sequencer_stream.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {
namespace {

using test::StreamBufferOf;

constexpr uint32_t kPiano = 0x00C0;
constexpr uint32_t NoteOn(uint8_t note, uint8_t velocity) {
    return 0x90u | (uint32_t{note} << 8) | (uint32_t{velocity} << 16);
}

class SequencerStreamTest : public testing::Test {
protected:
    SequencerStreamTest() {
        clock.Set(1000);
        devices.devices.push_back(synth);
    }

    // Opens device 0 at the given timing and starts the buffer.
    void Start(const MidiStreamBuffer& buffer, uint32_t division = 480, uint32_t tempo = 480000) {
        ASSERT_TRUE(stream.Open(0, [this] { ++doneCount; }));
        ASSERT_TRUE(stream.SetTimeDivision(division));
        ASSERT_TRUE(stream.SetTempo(tempo));
        ASSERT_TRUE(stream.Prepare(buffer.Bytes()));
        ASSERT_TRUE(stream.Queue());
        ASSERT_TRUE(stream.Restart());
    }

    ManualPlaybackClock clock;
    std::shared_ptr<RecordingMidiDevice> synth =
        std::make_shared<RecordingMidiDevice>("Synth", midi_technology::kWavetableSynthesizer, clock);
    test::ListedMidiDevices devices;
    SequencerStream stream{devices, clock};
    std::atomic<int> doneCount = 0;
};

TEST_F(SequencerStreamTest, PlaysEachRecordItsDeltaInMillisecondsAfterThePrevious) {
    Start(StreamBufferOf({{0, kPiano}, {500, NoteOn(60, 100)}, {250, NoteOn(60, 0)}, {0, NoteOn(64, 90)},
                          {1, NoteOn(64, 0)}}));
    ASSERT_TRUE(synth->WaitForMessages(5));
    stream.Close();
    const std::vector<SentMidiMessage> expected = {{kPiano, 1000},           {NoteOn(60, 100), 1500},
                                                   {NoteOn(60, 0), 1750},    {NoteOn(64, 90), 1750},
                                                   {NoteOn(64, 0), 1751},    {0x7BB0, 1751}};
    EXPECT_EQ(synth->Sent(), expected) << "the program change first, the end record not sent, "
                                          "All Notes Off when closed";
    EXPECT_EQ(doneCount, 1);
    EXPECT_EQ(synth->CloseCount(), 1);
}

TEST_F(SequencerStreamTest, TicksFollowTheDivisionAndTempo) {
    // 480 ticks per quarter note at 500000 microseconds: 960 ticks per second.
    Start(StreamBufferOf({{0, kPiano}, {960, NoteOn(60, 100)}, {480, NoteOn(60, 0)}}), 480, 500000);
    ASSERT_TRUE(synth->WaitForMessages(3));
    EXPECT_EQ(synth->Sent()[1].timeMs, 2000u);
    EXPECT_EQ(synth->Sent()[2].timeMs, 2500u);
}

TEST_F(SequencerStreamTest, ThePlayerWaitsForTheClockAndTellsDoneOnceAtTheEnd) {
    clock.HoldAt(1000);
    Start(StreamBufferOf({{0, kPiano}, {500, NoteOn(60, 100)}, {500, NoteOn(60, 0)}}));
    ASSERT_TRUE(clock.WaitForSleeper());
    EXPECT_EQ(synth->Sent(), (std::vector<SentMidiMessage>{{kPiano, 1000}})) << "sent by the start itself";

    clock.Set(1499);
    clock.HoldAt(1499);
    ASSERT_TRUE(clock.WaitForSleeper());
    EXPECT_EQ(synth->Sent().size(), 1u) << "not due before its time";
    EXPECT_FALSE(stream.IsDone());

    clock.Set(1500);
    ASSERT_TRUE(clock.WaitForSleeper());
    EXPECT_EQ(synth->Sent().back(), (SentMidiMessage{NoteOn(60, 100), 1500}));
    EXPECT_EQ(doneCount, 0);

    clock.Release();
    ASSERT_TRUE(synth->WaitForMessages(3));
    stream.Stop();
    EXPECT_TRUE(stream.IsDone());
    EXPECT_EQ(doneCount, 1);
}

TEST_F(SequencerStreamTest, StopSendsNothingMoreAndEndsTheSoundingNotes) {
    clock.HoldAt(1600);
    Start(StreamBufferOf({{0, kPiano}, {500, NoteOn(60, 100)}, {0, 0x407F91}, {500, NoteOn(60, 0)},
                          {500, NoteOn(62, 100)}}));
    ASSERT_TRUE(clock.WaitForSleeper());
    ASSERT_EQ(synth->Sent().size(), 3u);

    stream.Stop();
    clock.Release();
    clock.Set(5000);
    const std::vector<SentMidiMessage> sent = synth->Sent();
    const std::vector<SentMidiMessage> expected = {
        {kPiano, 1000},   {NoteOn(60, 100), 1500}, {0x407F91, 1500},  // note 127 on channel 2
        {0x3C80, 1500},   {0x7F81, 1500},                               // their note-offs
        {0x7BB0, 1500},   {0x7BB1, 1500},                               // All Notes Off on both channels
    };
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(doneCount, 0) << "a stopped stream is not done";
    EXPECT_FALSE(stream.IsDone());
    EXPECT_TRUE(stream.ShortMessage(kPiano)) << "a stopped stream is still open";
    stream.Close();
    EXPECT_FALSE(stream.ShortMessage(kPiano));
}

TEST_F(SequencerStreamTest, MessagesSentDirectlyGoOutAtOnceWhilePlayingButTheTimingStays) {
    clock.HoldAt(1200);
    Start(StreamBufferOf({{0, kPiano}, {500, NoteOn(60, 100)}}));
    ASSERT_TRUE(clock.WaitForSleeper());
    EXPECT_FALSE(stream.SetTempo(240000)) << "not while the player runs";
    EXPECT_FALSE(stream.Prepare(StreamBufferOf({{0, kPiano}}).Bytes()));
    EXPECT_TRUE(stream.ShortMessage(0x29C0));
    EXPECT_EQ(synth->Sent().back(), (SentMidiMessage{0x29C0, 1000}));
    clock.Release();
    ASSERT_TRUE(synth->WaitForMessages(3));
    EXPECT_EQ(synth->Sent().back(), (SentMidiMessage{NoteOn(60, 100), 1500}));
}

TEST_F(SequencerStreamTest, EachStepRefusesWhatItCannotDo) {
    EXPECT_FALSE(stream.Open(1, nullptr));
    EXPECT_EQ(stream.OpenFailure(), Text(strings::kNoSuchMidiDevice));
    EXPECT_FALSE(stream.Open(-1, nullptr));
    EXPECT_FALSE(stream.SetTimeDivision(480)) << "not open";
    EXPECT_FALSE(stream.Restart());

    synth->RefuseToOpen("busy elsewhere");
    EXPECT_FALSE(stream.Open(0, nullptr));
    EXPECT_EQ(stream.OpenFailure(), "busy elsewhere");

    auto second = std::make_shared<RecordingMidiDevice>("Second", midi_technology::kWavetableSynthesizer, clock);
    devices.devices.push_back(second);
    ASSERT_TRUE(stream.Open(1, nullptr));
    EXPECT_FALSE(stream.Open(1, nullptr)) << "already open";
    EXPECT_FALSE(stream.SetTimeDivision(0));
    EXPECT_FALSE(stream.SetTimeDivision(0xE728)) << "frames per second are not played";
    EXPECT_FALSE(stream.SetTempo(0));
    EXPECT_FALSE(stream.SetTempo(0x1000000));
    EXPECT_FALSE(stream.Queue()) << "nothing prepared";

    EXPECT_FALSE(stream.Prepare({}));
    EXPECT_FALSE(stream.Prepare(std::vector<uint8_t>(11, 0))) << "not one whole record";
    EXPECT_FALSE(stream.Prepare(std::vector<uint8_t>(64012, 0)));
    EXPECT_TRUE(stream.Prepare(std::vector<uint8_t>(64000, 0))) << "a buffer that was never shrunk";
    EXPECT_TRUE(stream.Queue());
    EXPECT_FALSE(stream.Queue()) << "one buffer at a time";
    stream.Close();
    EXPECT_FALSE(second->IsOpen());
}

TEST(StreamSchedule, ReadsTheRecordsIntoTicksAndKeepsHugeDelaysInTheFuture) {
    const MidiStreamBuffer buffer = test::StreamBufferOf(
        {{0, 0x05C0}, {7, 0x01643C90}, {3, 0x3C90}, {0xFFFFFFFF, 0x643E90}, {0xFFFFFFFF, 0x3E90}});
    const std::optional<std::vector<ScheduledMessage>> schedule = ReadStreamSchedule(buffer.Bytes());
    ASSERT_TRUE(schedule);
    const std::vector<ScheduledMessage> expected = {
        {0, 0x05C0}, {10, 0x3C90}, {0x10000000AULL - 1, 0x643E90}, {0x200000008ULL, 0x3E90}};
    EXPECT_EQ(*schedule, expected) << "the tempo event (top byte 1) and the zero record are not sent";

    const StreamTiming timing{480, 480000};
    EXPECT_EQ(timing.MillisecondsAt(10), 10u);
    EXPECT_EQ(timing.MillisecondsAt(0x200000008ULL), 0x7FFFFFFFu) << "capped, so it never wraps into the past";
    EXPECT_EQ((StreamTiming{480, 500000}.MillisecondsAt(1919)), 1998u);
}

}  // namespace
}  // namespace voxnote
