#pragma once
// The MIDI stream as our own small sequencer: a player thread that sends each
// record's message on the device at its due time on the playback clock and
// sleeps in between. The messages due at the very start (the program change)
// are sent by Restart itself, before it returns, so that a voice change made
// right after the start always comes after them. Division, tempo and buffer
// stay as they are while the player runs (until Stop).
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "voxnote/app/mididevices/midi_device_catalog.h"
#include "voxnote/app/mididevices/midi_device_session.h"
#include "voxnote/app/midi/midi_stream.h"
#include "voxnote/app/midi/playback_clock.h"
#include "voxnote/app/midi/stream_schedule.h"

namespace voxnote {

class SequencerStream : public MidiStream {
public:
    SequencerStream(MidiDeviceCatalog& devices, PlaybackClock& clock);
    ~SequencerStream() override;

    bool Open(int deviceNumber, StreamDoneCallback done) override;
    bool SetTimeDivision(uint32_t ticksPerQuarterNote) override;
    bool SetTempo(uint32_t microsecondsPerQuarterNote) override;
    bool Prepare(std::span<const uint8_t> records) override;
    bool Queue() override;
    bool Restart() override;
    void Stop() override;
    void Unprepare() override;
    void Close() override;
    bool ShortMessage(uint32_t message) override;
    bool IsDone() const override { return done_; }

    // Why the last Open failed.
    const std::string& OpenFailure() const { return openFailure_; }

private:
    void Play(std::stop_token stop, uint32_t startMs, size_t next);

    MidiDeviceCatalog& devices_;
    PlaybackClock& clock_;
    std::unique_ptr<MidiDeviceSession> session_;
    StreamDoneCallback doneCallback_;
    std::string openFailure_;
    StreamTiming timing_;
    std::optional<std::vector<ScheduledMessage>> prepared_;
    bool queued_ = false;
    bool running_ = false;
    std::atomic<bool> done_ = false;
    std::jthread player_;
};

}  // namespace voxnote
