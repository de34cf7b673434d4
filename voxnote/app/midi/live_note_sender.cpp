#include "voxnote/app/midi/live_note_sender.h"

#include <algorithm>

#include "voxnote/app/midi/midi_stream_records.h"

namespace voxnote {

LiveNoteSender::LiveNoteSender(MidiDeviceCatalog& devices, PlaybackClock& clock)
    : devices_(devices), clock_(clock) {}

LiveNoteSender::~LiveNoteSender() {
    Close();
}

bool LiveNoteSender::Open(int deviceNumber, int voice) {
    Close();
    std::unique_ptr<MidiDeviceSession> session = MidiDeviceSession::Open(devices_, deviceNumber, openFailure_);
    if (!session) {
        return false;
    }
    session->Send(ProgramChangeEvent(voice));
    session_ = std::move(session);
    {
        std::lock_guard lock(mutex_);
        accepting_ = true;
    }
    sender_ = std::jthread([this](std::stop_token stop) { Run(stop); });
    return true;
}

bool LiveNoteSender::IsOpen() const {
    std::lock_guard lock(mutex_);
    return accepting_;
}

void LiveNoteSender::Send(const NoteEvent& event) {
    std::lock_guard lock(mutex_);
    if (!accepting_) {
        return;
    }
    // After every event not later than this one, so equal times keep their order.
    auto place = std::find_if(pending_.begin(), pending_.end(), [&](const NoteEvent& waiting) {
        return !HasReached(event.timeMs, waiting.timeMs);
    });
    pending_.insert(place, event);
    changed_.notify_all();
}

bool LiveNoteSender::TakeNextEvent(std::stop_token stop, NoteEvent& event) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, stop, [&] { return !pending_.empty() || !accepting_; });
    if (pending_.empty() || stop.stop_requested()) {
        return false;
    }
    event = pending_.front();
    pending_.pop_front();
    return true;
}

void LiveNoteSender::Run(std::stop_token stop) {
    NoteEvent event;
    while (TakeNextEvent(stop, event)) {
        if (!clock_.SleepUntil(event.timeMs, stop)) {
            return;
        }
        session_->Send(event.message);
    }
    if (!stop.stop_requested()) {
        session_.reset();  // played out after CloseWhenPlayed: silence and close
    }
}

void LiveNoteSender::Close() {
    {
        std::lock_guard lock(mutex_);
        accepting_ = false;
        pending_.clear();
    }
    if (sender_.joinable()) {
        sender_.request_stop();
        sender_.join();
    }
    session_.reset();
}

void LiveNoteSender::CloseWhenPlayed() {
    std::lock_guard lock(mutex_);
    accepting_ = false;
    changed_.notify_all();
}

}  // namespace voxnote
