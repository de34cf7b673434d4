#pragma once
// The sequencer as a desktop program: the start folder chosen (and made the
// working directory), the main thread's timers served by the window toolkit,
// the session and the main window, then the event loop until the main window
// closes.
#include <optional>
#include <string>

namespace stepweave {

struct WindowArguments {
    std::optional<std::string> folder;  // --dir
    std::string songPath;               // opened at start when given
};

int RunSequencerWindow(int argc, char** argv, const WindowArguments& arguments);

}  // namespace stepweave
