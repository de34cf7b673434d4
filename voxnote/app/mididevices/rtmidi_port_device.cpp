#include "voxnote/app/mididevices/rtmidi_port_device.h"

#include <rtmidi/RtMidi.h>

#include "voxnote/app/midi/short_message.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

// Errors are kept rather than thrown or printed; the caller looks at them.
void KeepError(RtMidiError::Type, const std::string& text, void* lastError) {
    *static_cast<std::string*>(lastError) = text;
}

}  // namespace

RtMidiPortDevice::RtMidiPortDevice(SystemMidiPort port) : port_(std::move(port)) {}

RtMidiPortDevice::~RtMidiPortDevice() {
    Close();
}

bool RtMidiPortDevice::Open() {
    if (midi_) {
        openFailure_ = Text(strings::kMidiDeviceInUse);
        return false;
    }
    std::unique_ptr<RtMidiOut> midi;
    try {
        midi = std::make_unique<RtMidiOut>(RtMidi::UNSPECIFIED, "voxnote");
    } catch (const RtMidiError& error) {
        openFailure_ = FormatText(strings::kMidiPortNotOpened, {port_.name, error.getMessage()});
        return false;
    }
    lastError_.clear();
    midi->setErrorCallback(&KeepError, &lastError_);
    const unsigned count = midi->getPortCount();
    unsigned number = 0;
    while (number < count && midi->getPortName(number) != port_.name) {
        ++number;
    }
    if (number == count) {
        openFailure_ = FormatText(strings::kMidiPortGone, {port_.name});
        return false;
    }
    midi->openPort(number, "voxnote output");
    if (!midi->isPortOpen()) {
        openFailure_ = FormatText(strings::kMidiPortNotOpened, {port_.name, lastError_});
        return false;
    }
    midi_ = std::move(midi);
    return true;
}

bool RtMidiPortDevice::SendShortMessage(uint32_t message) {
    const size_t length = ShortMessageLength(StatusOf(message));
    if (!midi_ || length == 0) {
        return false;
    }
    const unsigned char bytes[3] = {StatusOf(message), FirstDataOf(message), SecondDataOf(message)};
    lastError_.clear();
    midi_->sendMessage(bytes, length);
    return lastError_.empty();
}

void RtMidiPortDevice::Close() {
    if (midi_) {
        midi_->closePort();
        midi_.reset();
    }
}

}  // namespace voxnote
