#pragma once
// The headless "render" command: what Open Song followed by "Render song to
// wav file" does in the main window, on a session that opens no sound
// device. The start folder (pattern files, "Panning.dat", "Blank.wav",
// "temp") is --dir or the working directory; the kit is its "standard.dxg"
// or --kit; the kit's pans come from the start folder's "Panning.dat" when
// there is one; the render starts at the play list's entry --from (0-based,
// the first by default). User samples 1..8 come from the song file's sample
// blocks at full volume, the others are blank. The render works in a folder
// of its own under "temp", so renders run side by side never meet. Errors
// go to err with the file (and line) they concern in front of the system's
// message.
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace stepweave {

struct RenderCommandArguments {
    std::string songPath;
    std::string outputPath;
    std::string startDirectory;  // empty: the working directory
    std::string kitPath;         // empty: "standard.dxg" in the start folder
    std::optional<int> from;
};

// Exit statuses besides 0 (done) and 1 (an error, reported on err).
inline constexpr int kRenderStoppedStatus = 130;  // Ctrl+C: the part mixed so far was saved

struct RenderConsole {
    std::ostream& out;
    std::ostream& err;
    bool showProgress = false;           // a progress bar on err
    std::function<bool()> stopRequested;  // polled once per song line
};

// Renders the song to the output file. An error leaves an existing output
// file as it was.
int RenderCommand(const RenderCommandArguments& arguments, RenderConsole& console);

// RenderCommand on the process's console: standard output and error, a
// progress bar when the error stream is a terminal, Ctrl+C as Stop.
int RunRenderCommand(const RenderCommandArguments& arguments);

}  // namespace stepweave
