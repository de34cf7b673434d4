#include <gtest/gtest.h>

#include <deque>

#include "tests/voxnote/app/test_support.h"
#include "voxnote/app/conversion/event_collector.h"
#include "voxnote/app/midi/standard_midi_file.h"

namespace voxnote {
namespace {

using test::RecordingReporter;

class ListedEvents : public NoteEventSource {
public:
    bool NextEvent(AnalysedNoteEvent& event) override {
        if (events.empty()) {
            return false;
        }
        event = events.front();
        events.pop_front();
        return true;
    }
    void Add(uint8_t note, uint8_t velocity, uint32_t timeMs) {
        events.push_back({0x90u | (note << 8) | (static_cast<uint32_t>(velocity) << 16), timeMs});
    }
    std::deque<AnalysedNoteEvent> events;
};

TEST(MidiStreamRecords, ProgramChangeFirstThenEventsWithTheirDeltas) {
    MidiStreamBuffer buffer = *MidiStreamBuffer::Allocate();
    ASSERT_EQ(buffer.Bytes().size(), 64000u);
    RecordingReporter reporter;
    EventCollector collector(buffer, 73, reporter);
    ListedEvents events;
    events.Add(69, 110, 352);
    events.Add(69, 0, 1384);
    events.Add(72, 90, 1384);
    events.Add(72, 0, 2000);
    EXPECT_TRUE(collector.Collect(events));
    collector.Finish();

    EXPECT_EQ(collector.Count(), 3u);
    ASSERT_EQ(buffer.Bytes().size(), 72u);
    EXPECT_EQ(buffer.Record(0), (MidiStreamRecord{0, 0, 73 * 256 + 0xC0}));
    EXPECT_EQ(buffer.Record(1), (MidiStreamRecord{352, 0, 0x6E4590}));
    EXPECT_EQ(buffer.Record(2), (MidiStreamRecord{1032, 0, 0x004590}));
    EXPECT_EQ(buffer.Record(3), (MidiStreamRecord{0, 0, 0x5A4890}));
    EXPECT_EQ(buffer.Record(4), (MidiStreamRecord{616, 0, 0x004890}));
    EXPECT_EQ(buffer.Record(5), MidiStreamRecord{});
    // Little-endian fields, 12 bytes a record.
    const uint8_t second[12] = {0x60, 0x01, 0, 0, 0, 0, 0, 0, 0x90, 0x45, 0x6E, 0};
    EXPECT_TRUE(std::equal(second, second + 12, buffer.Bytes().begin() + 12));
    EXPECT_TRUE(reporter.texts.empty());

    EXPECT_EQ(NoteEventsOf(buffer), (std::vector<TimedNoteEvent>{{352, 69, 110}, {1384, 69, 0}, {1384, 72, 90},
                                                                 {2000, 72, 0}}));
}

TEST(MidiStreamRecords, ANoteOffDrainedLaterStillCompletesItsPair) {
    MidiStreamBuffer buffer = *MidiStreamBuffer::Allocate();
    RecordingReporter reporter;
    EventCollector collector(buffer, 0, reporter);
    ListedEvents events;
    events.Add(60, 64, 100);  // a long note decided while it sounds
    collector.Collect(events);
    events.Add(60, 0, 3000);
    collector.Collect(events);
    collector.Finish();
    EXPECT_EQ(collector.NoteCount(), 1u);
    EXPECT_EQ(NoteEventsOf(buffer), (std::vector<TimedNoteEvent>{{100, 60, 64}, {3000, 60, 0}}));
}

TEST(MidiStreamRecords, ChangingTheVoiceReplacesTheFirstRecordOnly) {
    MidiStreamBuffer buffer = *MidiStreamBuffer::Allocate();
    RecordingReporter reporter;
    EventCollector collector(buffer, 0, reporter);
    ListedEvents events;
    events.Add(60, 64, 100);
    events.Add(60, 0, 300);
    collector.Collect(events);
    collector.Finish();
    buffer.SetProgram(52);
    EXPECT_EQ(buffer.Record(0).event, 52u * 256 + 0xC0);
    EXPECT_EQ(buffer.Record(1), (MidiStreamRecord{100, 0, 0x403C90}));
}

TEST(MidiStreamRecords, CollectingStopsAt2665AndKeepsWhatItHas) {
    MidiStreamBuffer buffer = *MidiStreamBuffer::Allocate();
    RecordingReporter reporter;
    EventCollector collector(buffer, 0, reporter);
    ListedEvents events;
    for (uint32_t i = 0; i < 3000; ++i) {
        events.Add(60 + i % 12, 80, 100 * i);
        events.Add(60 + i % 12, 0, 100 * i + 50);
    }
    EXPECT_FALSE(collector.Collect(events));
    EXPECT_TRUE(collector.Stopped());
    EXPECT_EQ(collector.Count(), 2665u);
    EXPECT_EQ(collector.NoteCount(), 2664u);
    ASSERT_EQ(reporter.texts.size(), 1u);
    EXPECT_EQ(reporter.kinds[0], MessageKind::Information);
    EXPECT_EQ(events.events.size(), 2u * (3000 - 2664)) << "the rest is not taken";

    collector.Finish();
    EXPECT_EQ(buffer.Bytes().size(), 24u * 2665);
    EXPECT_EQ(buffer.Record(2 * 2664), (MidiStreamRecord{50, 0, 0x4790})) << "the note-off of pair 2664";
    EXPECT_EQ(buffer.Record(2 * 2664 + 1), MidiStreamRecord{});
}

TEST(StandardMidiFile, WritesOneTrackAtOneTickPerMillisecond) {
    MidiStreamBuffer buffer = *MidiStreamBuffer::Allocate();
    RecordingReporter reporter;
    EventCollector collector(buffer, 73, reporter);
    ListedEvents events;
    events.Add(69, 110, 352);
    events.Add(69, 0, 1384);
    collector.Collect(events);
    collector.Finish();

    const std::string bytes = StandardMidiFileBytes(buffer);
    const std::vector<uint8_t> expected = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,  // format 0, one track, 480 per quarter
        'M', 'T', 'r', 'k', 0, 0, 0, 24,
        0x00, 0xFF, 0x51, 0x03, 0x07, 0x53, 0x00,  // 480000 microseconds per quarter note
        0x00, 0xC0, 73,                            // the voice
        0x82, 0x60, 0x90, 69, 110,                 // 352 ticks later
        0x88, 0x08, 0x90, 69, 0,                   // 1032 ticks later
        0x00, 0xFF, 0x2F, 0x00,
    };
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), expected);
}

TEST(StandardMidiFile, LongDeltasUseFourGroups) {
    MidiStreamBuffer buffer = *MidiStreamBuffer::Allocate();
    RecordingReporter reporter;
    EventCollector collector(buffer, 0, reporter);
    ListedEvents events;
    events.Add(60, 1, 0x0FFFFFFF);
    events.Add(60, 0, 0x0FFFFFFF);
    collector.Collect(events);
    collector.Finish();
    const std::string bytes = StandardMidiFileBytes(buffer);
    EXPECT_EQ(bytes.substr(32, 7), std::string("\xFF\xFF\xFF\x7F\x90\x3C\x01", 7));
}

TEST(StandardMidiFile, IsWrittenSafelyInPlaceOfAnOldFile) {
    test::TemporaryFolder folder;
    MidiStreamBuffer buffer = *MidiStreamBuffer::Allocate();
    RecordingReporter reporter;
    EventCollector collector(buffer, 0, reporter);
    collector.Finish();
    std::ofstream(folder / "out.mid") << "old";
    ASSERT_TRUE(WriteStandardMidiFile(folder / "out.mid", buffer));
    EXPECT_EQ(test::ReadText(folder / "out.mid"), StandardMidiFileBytes(buffer));
    EXPECT_FALSE(WriteStandardMidiFile(folder / "missing" / "out.mid", buffer));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
}  // namespace voxnote
