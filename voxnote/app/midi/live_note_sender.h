#pragma once
// Sends the notes of a live run to a MIDI output device as they are found,
// so that the musician hears what he sings. Each event is sent at its own
// time on the playback clock: events of the past go out at once, events
// stamped ahead (Sync adds 4000 ms) wait for their time. The voice is sent
// as a program change when the device opens.
//
// Open, Send and the closes are called from the window's thread; a thread of
// the sender's own sends the events and sleeps in between. Events are
// expected in time order, as the analysis hands them out; one that comes
// earlier than the event already being waited for goes out right after it.
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "voxnote/analysis/notes/note_event.h"
#include "voxnote/app/mididevices/midi_device_catalog.h"
#include "voxnote/app/mididevices/midi_device_session.h"
#include "voxnote/app/midi/playback_clock.h"

namespace voxnote {

class LiveNoteSender {
public:
    LiveNoteSender(MidiDeviceCatalog& devices, PlaybackClock& clock);
    ~LiveNoteSender();

    // Opens device `deviceNumber` and selects `voice` (0-127) on channel 1.
    // A sender still playing out is closed first. False when the device does
    // not open; OpenFailure() says why.
    bool Open(int deviceNumber, int voice);
    bool IsOpen() const;
    const std::string& OpenFailure() const { return openFailure_; }

    // Schedules the event at its time; ignored when not open.
    void Send(const NoteEvent& event);

    // Drops the events not yet sent, silences the notes and closes the device.
    void Close();
    // Takes no more events; those already scheduled still play at their
    // time, then the notes are silenced and the device closes by itself.
    void CloseWhenPlayed();

private:
    void Run(std::stop_token stop);
    bool TakeNextEvent(std::stop_token stop, NoteEvent& event);

    MidiDeviceCatalog& devices_;
    PlaybackClock& clock_;
    std::string openFailure_;
    std::unique_ptr<MidiDeviceSession> session_;

    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<NoteEvent> pending_;
    bool accepting_ = false;
    std::jthread sender_;
};

}  // namespace voxnote
