#include "voxnote/app/conversion/event_collector.h"

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

EventCollector::EventCollector(MidiStreamBuffer& buffer, int voice, MessageReporter& reporter)
    : buffer_(buffer), reporter_(reporter) {
    if (buffer_.RecordCount() > 0) {
        buffer_.SetRecord(0, {0, 0, ProgramChangeEvent(voice)});
    }
}

bool EventCollector::Collect(NoteEventSource& source) {
    AnalysedNoteEvent event;
    while (!stopped_ && source.NextEvent(event)) {
        Add(event);
        // The last record of the buffer stays free: the stream ends with it.
        const bool bufferFull = 2 + eventsWritten_ >= buffer_.RecordCount();
        if (count_ >= kLargestStreamCount || bufferFull) {
            stopped_ = true;
            reporter_.Report(MessageKind::Information, Text(strings::kNoteLimitReached));
        }
    }
    return !stopped_;
}

void EventCollector::Add(const AnalysedNoteEvent& event) {
    const size_t index = 1 + eventsWritten_;
    // The analysis never hands out an earlier time after a later one; should
    // it, the event is placed at the time of the one before.
    const uint32_t delta = event.timeMs >= lastTimeMs_ ? event.timeMs - lastTimeMs_ : 0;
    buffer_.SetRecord(index, {delta, 0, event.message & 0x00FFFFFFu});
    lastTimeMs_ += delta;
    ++eventsWritten_;
    if (eventsWritten_ % 2 == 0) {
        ++count_;
    }
}

void EventCollector::Finish() {
    buffer_.ShrinkToCount(count_ + eventsWritten_ % 2);
}

}  // namespace voxnote
