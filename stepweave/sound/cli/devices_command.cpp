#include "stepweave/sound/cli/devices_command.h"

#include <ostream>

namespace stepweave {

void WriteDeviceList(const std::vector<SoundSystemDevices>& systems, std::ostream& out) {
    bool anyDevice = false;
    for (const SoundSystemDevices& system : systems) {
        out << system.api << ": " << system.displayName << '\n';
        if (system.devices.empty()) {
            out << "  (no output device)\n";
        }
        for (const OutputDevice& device : system.devices) {
            anyDevice = true;
            out << "  rtaudio:" << system.api << ':' << device.id << "  \"" << device.name << "\"  "
                << device.channels << (device.channels == 1 ? " channel" : " channels")
                << (device.isDefault ? "  (default)" : "") << '\n';
        }
    }
    if (!anyDevice) {
        out << "No output device: set STEPWEAVE_AUDIO=null to run silent, or file:OUT.wav to record\n";
    }
}

int DevicesCommand(std::ostream& out) {
    WriteDeviceList(ListOutputDevices(), out);
    return 0;
}

}  // namespace stepweave
