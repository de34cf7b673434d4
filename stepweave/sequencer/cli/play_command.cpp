#include "stepweave/sequencer/cli/play_command.h"

#include <filesystem>
#include <ostream>

#include "stepweave/sequencer/cli/interrupt_signal.h"
#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/files/song_file.h"
#include "stepweave/sequencer/session/workspace.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/timing/headless_main_loop.h"

namespace stepweave {

namespace {

// How often the loop looks for Ctrl+C between the timers' own firings.
constexpr uint32_t kInterruptPollMilliseconds = 20;
// Time for the end of the last sound to leave the device after the mixer
// has finished it.
constexpr uint32_t kDrainMilliseconds = 150;

// Start-up as the main window does it. The kit's pans and the sample
// exports are not worth stopping for: their errors are reported and
// playback goes on.
void StartUp(SequencerSession& session, std::ostream& err) {
    session.LoadDefaultKit();
    session.StartSoundOutput();
    try {
        session.ApplyPanningFile();
    } catch (const EStepweaveError& error) {
        err << error.what() << '\n';
    }
    try {
        session.ResetSampleExports();
    } catch (const EStepweaveError& error) {
        err << error.what() << '\n';
    }
}

// Starts playback; false when there is nothing to play.
bool StartPlayback(const PlayArguments& arguments, SequencerSession& session, std::ostream& out,
                   std::ostream& err) {
    SequencerDocument& document = session.Document();
    PlaybackEngine& engine = session.Engine();
    if (!arguments.patternName.empty()) {
        LoadPatternIntoEditor(ReadPatternFile(session.StartDirectory(), arguments.patternName), document);
        engine.SetEndless(arguments.repeat);
        out << "Playing pattern \"" << document.grid.Name() << "\" at " << engine.BpmLabel() << " BPM\n";
        engine.PlayPattern();
        return true;
    }
    OpenSong(document, FindSongFile(arguments.songPath, session.StartDirectory()).string());
    if (document.playList.Empty()) {
        err << "The song \"" << document.songTitle << "\" has no patterns to play\n";
        return false;
    }
    engine.SetNoend(arguments.repeat);
    out << "Playing song \"" << document.songTitle << "\": " << document.playList.Count() << " patterns\n";
    engine.PlaySong();
    return true;
}

}  // namespace

int PlayCommand(const PlayArguments& arguments, std::ostream& out, std::ostream& err, TimerScheduler& timers) {
    try {
        InterruptSignal interrupt;
        // The working directory matters only without a folder of the user's.
        const std::string here = arguments.folder ? std::string() : std::filesystem::current_path().string();
        const StartDirectoryChoice start = ChooseStartDirectory(arguments.folder, here);
        if (start.seeded) {
            out << "Made a new workspace with the demo song in " << start.folder << '\n';
        }
        SequencerSession session(start.folder, timers);
        StartUp(session, err);
        if (!StartPlayback(arguments, session, out, err)) {
            return kPlayFailed;
        }
        out << std::flush;

        HeadlessMainLoop loop(timers);
        loop.RunUntil([&] { return InterruptSignal::Requested() || !session.Engine().Playing(); },
                      kInterruptPollMilliseconds);
        if (!InterruptSignal::Requested()) {
            loop.RunUntil([&] { return InterruptSignal::Requested() || !session.Sounding(); },
                          kInterruptPollMilliseconds);
        }
        if (InterruptSignal::Requested()) {
            session.Engine().Stop();
            out << "Stopped\n";
            return kPlayInterrupted;
        }
        loop.RunFor(kDrainMilliseconds);
        return 0;
    } catch (const std::exception& error) {
        err << error.what() << '\n';
        return kPlayFailed;
    }
}

}  // namespace stepweave
