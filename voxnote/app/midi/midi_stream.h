#pragma once
// A MIDI stream: plays a buffer of 12-byte records on one output device, each
// record's message sent its delta of ticks after the one before, with the
// tick length given by the time division and tempo. The steps mirror how the
// converter drives it: open on a device number, set division and tempo,
// prepare the buffer, queue it, restart (a stream opens paused); stop,
// unprepare and close end it. Short messages can be sent at any time while
// it is open.
//
// The done notification: when the player has sent the last record, `done`
// (given to Open) is called once, on the player's own thread. The window
// posts it to itself and finishes on its own thread; IsDone() tells the same
// to whoever polls. Stopping never calls it.
#include <cstdint>
#include <functional>
#include <span>

namespace voxnote {

using StreamDoneCallback = std::function<void()>;

class MidiStream {
public:
    virtual ~MidiStream() = default;

    virtual bool Open(int deviceNumber, StreamDoneCallback done) = 0;
    virtual bool SetTimeDivision(uint32_t ticksPerQuarterNote) = 0;
    virtual bool SetTempo(uint32_t microsecondsPerQuarterNote) = 0;
    // Reads the records into the stream: it keeps its own copy, so the
    // buffer may change or go away while the stream plays.
    virtual bool Prepare(std::span<const uint8_t> records) = 0;
    virtual bool Queue() = 0;
    virtual bool Restart() = 0;

    // Halts playback at once and silences the notes left sounding.
    virtual void Stop() = 0;
    virtual void Unprepare() = 0;
    // Stops if playing and closes the device.
    virtual void Close() = 0;

    virtual bool ShortMessage(uint32_t message) = 0;
    virtual bool IsDone() const = 0;
};

}  // namespace voxnote
