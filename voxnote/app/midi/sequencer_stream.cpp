#include "voxnote/app/midi/sequencer_stream.h"

#include <system_error>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

SequencerStream::SequencerStream(MidiDeviceCatalog& devices, PlaybackClock& clock)
    : devices_(devices), clock_(clock) {}

SequencerStream::~SequencerStream() {
    Close();
}

bool SequencerStream::Open(int deviceNumber, StreamDoneCallback done) {
    if (session_) {
        openFailure_ = Text(strings::kMidiDeviceInUse);
        return false;
    }
    session_ = MidiDeviceSession::Open(devices_, deviceNumber, openFailure_);
    if (!session_) {
        return false;
    }
    doneCallback_ = std::move(done);
    timing_ = StreamTiming{};
    done_ = false;
    return true;
}

bool SequencerStream::SetTimeDivision(uint32_t ticksPerQuarterNote) {
    if (!session_ || running_ || !IsPlayableDivision(ticksPerQuarterNote)) {
        return false;
    }
    timing_.ticksPerQuarterNote = ticksPerQuarterNote;
    return true;
}

bool SequencerStream::SetTempo(uint32_t microsecondsPerQuarterNote) {
    if (!session_ || running_ || !IsPlayableTempo(microsecondsPerQuarterNote)) {
        return false;
    }
    timing_.microsecondsPerQuarterNote = microsecondsPerQuarterNote;
    return true;
}

bool SequencerStream::Prepare(std::span<const uint8_t> records) {
    if (!session_ || queued_) {
        return false;
    }
    prepared_ = ReadStreamSchedule(records);
    return prepared_.has_value();
}

bool SequencerStream::Queue() {
    if (!session_ || !prepared_ || queued_ || running_) {
        return false;
    }
    queued_ = true;
    done_ = false;
    return true;
}

bool SequencerStream::Restart() {
    if (!session_) {
        return false;
    }
    if (running_ || !queued_) {
        running_ = true;
        return true;
    }
    const std::vector<ScheduledMessage>& schedule = *prepared_;
    const uint32_t startMs = clock_.Now();
    size_t next = 0;
    for (; next < schedule.size() && timing_.MillisecondsAt(schedule[next].tick) == 0; ++next) {
        session_->Send(schedule[next].message);
    }
    try {
        player_ = std::jthread([this, startMs, next](std::stop_token stop) { Play(stop, startMs, next); });
    } catch (const std::system_error&) {
        session_->Silence();
        return false;
    }
    running_ = true;
    return true;
}

void SequencerStream::Play(std::stop_token stop, uint32_t startMs, size_t next) {
    const std::vector<ScheduledMessage>& schedule = *prepared_;
    for (; next < schedule.size(); ++next) {
        if (!clock_.SleepUntil(startMs + timing_.MillisecondsAt(schedule[next].tick), stop)) {
            return;
        }
        session_->Send(schedule[next].message);
    }
    done_ = true;
    if (doneCallback_) {
        doneCallback_();
    }
}

void SequencerStream::Stop() {
    if (player_.joinable()) {
        player_.request_stop();
        player_.join();
    }
    if (session_) {
        session_->Silence();
    }
    running_ = false;
    queued_ = false;
}

void SequencerStream::Unprepare() {
    if (!running_ || done_) {
        queued_ = false;
        prepared_.reset();
    }
}

void SequencerStream::Close() {
    Stop();
    Unprepare();
    session_.reset();
    doneCallback_ = nullptr;
}

bool SequencerStream::ShortMessage(uint32_t message) {
    return session_ && session_->Send(message);
}

}  // namespace voxnote
