#include "voxnote/app/mididevices/virtual_midi_port.h"

#include <rtmidi/RtMidi.h>

#include "voxnote/app/midi/short_message.h"
#include "voxnote/app/mididevices/system_midi_ports.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

void KeepError(RtMidiError::Type, const std::string& text, void* lastError) {
    *static_cast<std::string*>(lastError) = text;
}

}  // namespace

// RtMidi picks the MIDI system as it does for the output ports: the ALSA
// sequencer, or JACK when the sequencer has no ports and JACK has. A system
// it could not reach only warns (and JACK would then crash on a port), so the
// port is made only once a look at the ports went without a word.
VirtualMidiPort::VirtualMidiPort() {
    if (!HasMidiSystem()) {
        absence_ = Text(strings::kNoSequencerForVirtualPort);
        return;
    }
    std::string failure;
    try {
        auto midi = std::make_unique<RtMidiOut>(RtMidi::UNSPECIFIED, kVirtualPortName);
        midi->setErrorCallback(&KeepError, &lastError_);
        lastError_.clear();
        midi->getPortCount();
        if (lastError_.empty()) {
            midi->openVirtualPort(kVirtualPortName);
        }
        if (lastError_.empty()) {
            midi_ = std::move(midi);
            return;
        }
        failure = lastError_;
    } catch (const RtMidiError& error) {
        failure = error.getMessage();
    }
    absence_ = FormatText(strings::kVirtualPortNotOpened, {failure});
}

VirtualMidiPort::~VirtualMidiPort() = default;

std::string VirtualMidiPort::Name() const { return Text(strings::kVirtualPortEntry); }

bool VirtualMidiPort::Open() {
    if (!midi_) {
        openFailure_ = absence_;
        return false;
    }
    if (inUse_) {
        openFailure_ = Text(strings::kMidiDeviceInUse);
        return false;
    }
    inUse_ = true;
    return true;
}

bool VirtualMidiPort::SendShortMessage(uint32_t message) {
    const size_t length = ShortMessageLength(StatusOf(message));
    if (!midi_ || !inUse_ || length == 0) {
        return false;
    }
    const unsigned char bytes[3] = {StatusOf(message), FirstDataOf(message), SecondDataOf(message)};
    lastError_.clear();
    midi_->sendMessage(bytes, length);
    return lastError_.empty();
}

}  // namespace voxnote
