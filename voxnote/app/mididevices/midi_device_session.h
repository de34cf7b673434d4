#pragma once
// One opened MIDI output device in use by a player: every message to it goes
// through here, one at a time whichever thread sends it, and the session
// keeps track of the notes it left sounding so that it can silence them.
// Messages that are no short message (a zero record, a data byte where the
// status belongs, system exclusive) are not sent.
#include <memory>
#include <mutex>
#include <string>

#include "voxnote/app/mididevices/midi_device_catalog.h"
#include "voxnote/app/midi/sounding_notes.h"

namespace voxnote {

class MidiDeviceSession {
public:
    // Opens device `number` of the catalog (counted again first). Null when
    // there is no such device or it does not open; `failure` says why.
    static std::unique_ptr<MidiDeviceSession> Open(MidiDeviceCatalog& devices, int number, std::string& failure);
    ~MidiDeviceSession();

    bool Send(uint32_t message);
    // Ends every note this session left sounding.
    void Silence();

private:
    explicit MidiDeviceSession(std::shared_ptr<MidiOutputDevice> device);

    std::mutex mutex_;
    std::shared_ptr<MidiOutputDevice> device_;
    SoundingNotes notes_;
};

}  // namespace voxnote
