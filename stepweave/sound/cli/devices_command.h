#pragma once
// The headless "devices" command: the output devices of every sound system
// the program can play through, each with the STEPWEAVE_AUDIO value that
// chooses it.
#include <iosfwd>
#include <vector>

#include "stepweave/sound/backend/rtaudio_devices.h"

namespace stepweave {

// One block per sound system:
//   alsa: ALSA
//     rtaudio:alsa:0  "default"  2 channels  (default)
// "(no output device)" for a system without one, and a last line with the
// way out when no system has any.
void WriteDeviceList(const std::vector<SoundSystemDevices>& systems, std::ostream& out);

// Lists the devices of this machine; returns the exit status (0).
int DevicesCommand(std::ostream& out);

}  // namespace stepweave
