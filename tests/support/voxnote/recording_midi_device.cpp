#include "tests/support/voxnote/recording_midi_device.h"

#include <chrono>

namespace voxnote {

RecordingMidiDevice::RecordingMidiDevice(std::string name, int technology, PlaybackClock& clock)
    : name_(std::move(name)), technology_(technology), clock_(clock) {}

bool RecordingMidiDevice::Open() {
    std::lock_guard lock(mutex_);
    if (!refusal_.empty()) {
        openFailure_ = refusal_;
        return false;
    }
    open_ = true;
    ++openCount_;
    return true;
}

bool RecordingMidiDevice::IsOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

bool RecordingMidiDevice::SendShortMessage(uint32_t message) {
    const uint32_t now = clock_.Now();
    std::lock_guard lock(mutex_);
    if (!open_) {
        return false;
    }
    sent_.push_back({message, now});
    arrived_.notify_all();
    return true;
}

void RecordingMidiDevice::Close() {
    std::lock_guard lock(mutex_);
    if (open_) {
        open_ = false;
        ++closeCount_;
    }
}

void RecordingMidiDevice::RefuseToOpen(std::string reason) {
    std::lock_guard lock(mutex_);
    refusal_ = std::move(reason);
}

std::vector<SentMidiMessage> RecordingMidiDevice::Sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
}

int RecordingMidiDevice::OpenCount() const {
    std::lock_guard lock(mutex_);
    return openCount_;
}

int RecordingMidiDevice::CloseCount() const {
    std::lock_guard lock(mutex_);
    return closeCount_;
}

bool RecordingMidiDevice::WaitForMessages(size_t count) const {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, std::chrono::seconds(10), [&] { return sent_.size() >= count; });
}

}  // namespace voxnote
