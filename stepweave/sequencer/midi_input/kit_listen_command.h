#pragma once
// The headless "kit listen" command: plays a kit from MIDI input until
// Ctrl+C, through the sound output (with STEPWEAVE_AUDIO=file:PATH it records
// what it plays), as the main window plays it: the start folder's kit (or
// KIT) with the pans of its "Panning.dat". It opens the input port
// "Stepweave" on every MIDI system there is, and the ports chosen in Options
// (the start folder's "MidiInputs.dat") and named with --port; it says which,
// and prints every hit as it sounds with how long after its note arrived its
// sound started. At the end it sums the delays up.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "stepweave/sound/backend/audio_backend.h"

namespace stepweave {

struct KitListenArguments {
    std::string kitPath;               // empty: "standard.dxg" of the start folder
    std::string startDirectory;        // empty: as the program chooses it
    std::vector<std::string> ports;    // more ports to open, as Options names them
};

// 0 once stopped by `stopRequested` (Ctrl+C), the sound output closed so that
// a recording is complete and in place; 1 with the system's message on err
// when the kit or the sound output cannot be had.
int KitListenCommand(const KitListenArguments& arguments, const AudioBackendSource& output, std::ostream& out,
                     std::ostream& err, const std::function<bool()>& stopRequested);

}  // namespace stepweave
