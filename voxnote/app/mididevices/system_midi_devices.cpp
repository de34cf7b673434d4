#include "voxnote/app/mididevices/system_midi_devices.h"

#include "voxnote/app/mididevices/builtin_synth_device.h"
#include "voxnote/app/mididevices/rtmidi_port_device.h"
#include "voxnote/app/mididevices/soundfont_locator.h"
#include "voxnote/app/mididevices/system_midi_ports.h"

namespace voxnote {

SystemMidiDevices::SystemMidiDevices() : virtualPort_(std::make_shared<VirtualMidiPort>()) {
    if (std::optional<std::filesystem::path> soundfont = FindGeneralMidiSoundfont()) {
        builtinSynth_ = std::make_shared<BuiltinSynthDevice>(*soundfont);
    }
}

int SystemMidiDevices::Count() {
    std::vector<std::shared_ptr<MidiOutputDevice>> devices;
    if (builtinSynth_) {
        devices.push_back(builtinSynth_);
    }
    if (virtualPort_->IsAvailable()) {
        devices.push_back(virtualPort_);
    }
    for (SystemMidiPort& port : ListSystemMidiPorts()) {
        devices.push_back(std::make_shared<RtMidiPortDevice>(std::move(port)));
    }
    devices_ = std::move(devices);
    return static_cast<int>(devices_.size());
}

std::vector<std::string> SystemMidiDevices::Notices() const {
    if (virtualPort_->IsAvailable()) {
        return {};
    }
    return {virtualPort_->Absence()};
}

std::shared_ptr<MidiOutputDevice> SystemMidiDevices::Device(int number) {
    if (number < 0 || number >= static_cast<int>(devices_.size())) {
        return nullptr;
    }
    return devices_[static_cast<size_t>(number)];
}

}  // namespace voxnote
