#pragma once
// A MIDI output device that sounds nothing and keeps every message sent to
// it with the time it arrived, read from the clock it is given. Tests play on
// it; it can also be told to refuse to open, as a device that is in use or
// gone would.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "voxnote/app/mididevices/midi_output_device.h"
#include "voxnote/app/midi/playback_clock.h"

namespace voxnote {

struct SentMidiMessage {
    uint32_t message = 0;
    uint32_t timeMs = 0;

    bool operator==(const SentMidiMessage&) const = default;
};

class RecordingMidiDevice : public MidiOutputDevice {
public:
    RecordingMidiDevice(std::string name, int technology, PlaybackClock& clock);

    std::string Name() const override { return name_; }
    int Technology() const override { return technology_; }
    bool Open() override;
    bool IsOpen() const override;
    const std::string& OpenFailure() const override { return openFailure_; }
    bool SendShortMessage(uint32_t message) override;
    void Close() override;

    // From now on Open fails with this reason.
    void RefuseToOpen(std::string reason);

    std::vector<SentMidiMessage> Sent() const;
    int OpenCount() const;
    int CloseCount() const;

    // Blocks until at least `count` messages have arrived. False if they do
    // not within ten seconds (a guard against a hanging test).
    bool WaitForMessages(size_t count) const;

private:
    const std::string name_;
    const int technology_;
    PlaybackClock& clock_;

    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::string openFailure_;
    std::string refusal_;
    bool open_ = false;
    int openCount_ = 0;
    int closeCount_ = 0;
    std::vector<SentMidiMessage> sent_;
};

}  // namespace voxnote
