#include "voxnote/app/mididevices/virtual_midi_port.h"

#include <rtmidi/RtMidi.h>

#include <utility>

#include "voxnote/app/midi/short_message.h"
#include "voxnote/app/mididevices/jack_server.h"
#include "voxnote/app/mididevices/system_midi_ports.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

void KeepError(RtMidiError::Type, const std::string& text, void* lastError) {
    *static_cast<std::string*>(lastError) = text;
}

}  // namespace

// A system RtMidi could not reach only warns (and JACK would then crash on a
// port), so the port is made only once a look at the ports went without a
// word. JACK is asked only when a server runs: RtMidi would otherwise tell
// of the missing server on standard error.
std::unique_ptr<RtMidiOut> VirtualMidiPort::MakePort(int api, std::string& failure) {
    try {
        auto midi = std::make_unique<RtMidiOut>(static_cast<RtMidi::Api>(api), kVirtualPortName);
        midi->setErrorCallback(&KeepError, &lastError_);
        lastError_.clear();
        midi->getPortCount();
        if (lastError_.empty()) {
            midi->openVirtualPort(kVirtualPortName);
        }
        if (lastError_.empty()) {
            return midi;
        }
        failure = lastError_;
    } catch (const RtMidiError& error) {
        failure = error.getMessage();
    }
    return nullptr;
}

VirtualMidiPort::VirtualMidiPort() {
    const bool sequencer = HasMidiSystem();
    const bool jack = JackServerRunning();
    if (!sequencer && !jack) {
        absence_ = Text(strings::kNoSequencerForVirtualPort);
        return;
    }
    std::string failure;
    for (const auto& [api, present] : {std::pair{RtMidi::LINUX_ALSA, sequencer}, std::pair{RtMidi::UNIX_JACK, jack}}) {
        if (!present) {
            continue;
        }
        if (std::unique_ptr<RtMidiOut> port = MakePort(api, failure)) {
            ports_.push_back(std::move(port));
        }
    }
    if (ports_.empty()) {
        absence_ = FormatText(strings::kVirtualPortNotOpened, {failure});
    }
}

VirtualMidiPort::~VirtualMidiPort() = default;

std::string VirtualMidiPort::Name() const { return Text(strings::kVirtualPortEntry); }

bool VirtualMidiPort::Open() {
    if (ports_.empty()) {
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
    if (ports_.empty() || !inUse_ || length == 0) {
        return false;
    }
    const unsigned char bytes[3] = {StatusOf(message), FirstDataOf(message), SecondDataOf(message)};
    lastError_.clear();
    for (const std::unique_ptr<RtMidiOut>& port : ports_) {
        port->sendMessage(bytes, length);
    }
    return lastError_.empty();
}

}  // namespace voxnote
