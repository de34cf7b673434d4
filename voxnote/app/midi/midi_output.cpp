#include "voxnote/app/midi/midi_output.h"

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

MidiOutput::MidiOutput(MidiStream& stream, MessageReporter& reporter) : stream_(stream), reporter_(reporter) {}

MidiOutput::~MidiOutput() {
    if (playing_) {
        Stop();
    }
}

bool MidiOutput::Play(int deviceNumber, const MidiStreamBuffer& events, StreamDoneCallback done) {
    if (playing_) {
        Stop();
    }
    if (!stream_.Open(deviceNumber, std::move(done))) {
        reporter_.Report(MessageKind::Warning, Text(strings::kCannotOpenMidiStream));
        return false;
    }
    if (!stream_.SetTimeDivision(kTicksPerQuarterNote) || !stream_.SetTempo(kMicrosecondsPerQuarterNote)) {
        return Fail(strings::kCouldNotSetDivisionTempo);
    }
    if (!stream_.Prepare(events.Bytes())) {
        return Fail(strings::kCouldNotPrepareHeader);
    }
    if (!stream_.Queue()) {
        return Fail(strings::kCouldNotQueueStream);
    }
    if (!stream_.Restart()) {
        return Fail(strings::kCouldNotStartStream);
    }
    playing_ = true;
    return true;
}

bool MidiOutput::Fail(int message) {
    stream_.Unprepare();
    stream_.Close();
    reporter_.Report(MessageKind::Warning, Text(message));
    return false;
}

void MidiOutput::Stop() {
    stream_.Stop();
    stream_.Unprepare();
    stream_.Close();
    playing_ = false;
}

bool MidiOutput::HandleDone() {
    if (!playing_ || !stream_.IsDone()) {
        return false;
    }
    stream_.Unprepare();
    stream_.Close();
    playing_ = false;
    return true;
}

void MidiOutput::ChangeVoice(int voice, MidiStreamBuffer* events) {
    if (playing_) {
        stream_.ShortMessage(ProgramChangeEvent(voice));
    }
    if (events) {
        events->SetProgram(voice);
    }
}

}  // namespace voxnote
