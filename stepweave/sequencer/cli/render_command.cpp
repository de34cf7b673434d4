#include "stepweave/sequencer/cli/render_command.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "stepweave/sequencer/cli/console_render_progress.h"
#include "stepweave/sequencer/cli/interrupt_signal.h"
#include "stepweave/sequencer/cli/terminal.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/render/song_renderer.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/session/workspace.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

namespace fs = std::filesystem;

constexpr int kWaveHeaderBytes = 44;
constexpr double kOutputBytesPerSecond = 176400.0;

// Start-up as the main window does it, without the sound output and the
// sample exports: the kit (the start folder's or --kit) and its pans.
void LoadKitWithPans(SequencerSession& session, const RenderCommandArguments& arguments) {
    session.LoadKitOrDefault(arguments.kitPath);
    session.ApplyPanningFile();
}

void OpenSongFile(SequencerSession& session, const std::string& given) {
    const std::string songPath = FindSongFile(given, session.StartDirectory()).string();
    if (!OpenSong(session.Document(), songPath)) {
        throw FileOpenError(songPath);
    }
}

void SelectStartEntry(PlayList& playList, std::optional<int> from) {
    if (!from) {
        return;
    }
    if (*from < 0 || *from >= playList.Count()) {
        throw StepweaveError("--from " + std::to_string(*from) + ": the play list has entries 0 to " +
                              std::to_string(playList.Count() - 1));
    }
    playList.Select(*from);
}

// "3:07.25" for the WAV file just written.
std::string RenderedLength(const std::string& path) {
    std::error_code error;
    const auto bytes = static_cast<double>(fs::file_size(path, error));
    const double seconds = error ? 0.0 : std::max(0.0, bytes - kWaveHeaderBytes) / kOutputBytesPerSecond;
    const int minutes = static_cast<int>(seconds / 60);
    char text[32];
    std::snprintf(text, sizeof text, "%d:%05.2f", minutes, seconds - 60.0 * minutes);
    return text;
}

int Report(RenderOutcome outcome, const RenderCommandArguments& arguments, RenderConsole& console) {
    switch (outcome) {
        case RenderOutcome::EmptyPlayList:
            console.err << "The song's play list is empty: nothing to render\n";
            return 1;
        case RenderOutcome::Cancelled:
            console.err << "Stopped before mixing: nothing written\n";
            return kRenderStoppedStatus;
        case RenderOutcome::Stopped:
            console.err << "Stopped: the part mixed so far (" << RenderedLength(arguments.outputPath)
                        << ") was saved to " << arguments.outputPath << '\n';
            return kRenderStoppedStatus;
        case RenderOutcome::Completed:
        case RenderOutcome::Busy:  // one render per command: never happens
            break;
    }
    console.out << arguments.outputPath << ": " << RenderedLength(arguments.outputPath) << '\n';
    return 0;
}

}  // namespace

int RenderCommand(const RenderCommandArguments& arguments, RenderConsole& console) {
    try {
        SequencerSession session(CommandStartDirectory(arguments.startDirectory), MainTimers(), SessionSound::None);
        LoadKitWithPans(session, arguments);
        OpenSongFile(session, arguments.songPath);
        SelectStartEntry(session.Document().playList, arguments.from);

        ConsoleRenderProgress progress(arguments.outputPath, console.err, console.showProgress,
                                       console.stopRequested);
        SongRenderer renderer(session.Document(), session.DrumKit().Items(), progress);
        return Report(renderer.Render(session.RenderSamples()), arguments, console);
    } catch (const std::exception& error) {
        console.err << CommandLineMessage(error) << '\n';
        return 1;
    }
}

int RunRenderCommand(const RenderCommandArguments& arguments) {
    const InterruptSignal interrupt;
    RenderConsole terminal{std::cout, std::cerr, IsTerminal(stderr), [] { return InterruptSignal::Requested(); }};
    return RenderCommand(arguments, terminal);
}

}  // namespace stepweave
