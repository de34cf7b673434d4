#include "voxnote/app/mididevices/midi_device_session.h"

#include "voxnote/app/midi/short_message.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

std::unique_ptr<MidiDeviceSession> MidiDeviceSession::Open(MidiDeviceCatalog& devices, int number,
                                                           std::string& failure) {
    std::shared_ptr<MidiOutputDevice> device;
    if (number >= 0 && number < devices.Count()) {
        device = devices.Device(number);
    }
    if (!device) {
        failure = Text(strings::kNoSuchMidiDevice);
        return nullptr;
    }
    if (!device->Open()) {
        failure = device->OpenFailure();
        return nullptr;
    }
    return std::unique_ptr<MidiDeviceSession>(new MidiDeviceSession(std::move(device)));
}

MidiDeviceSession::MidiDeviceSession(std::shared_ptr<MidiOutputDevice> device) : device_(std::move(device)) {}

MidiDeviceSession::~MidiDeviceSession() {
    Silence();
    device_->Close();
}

bool MidiDeviceSession::Send(uint32_t message) {
    if (ShortMessageLength(StatusOf(message)) == 0) {
        return false;
    }
    std::lock_guard lock(mutex_);
    notes_.Follow(message);
    return device_->SendShortMessage(message & 0xFFFFFF);
}

void MidiDeviceSession::Silence() {
    std::lock_guard lock(mutex_);
    notes_.Silence([this](uint32_t message) { device_->SendShortMessage(message); });
}

}  // namespace voxnote
