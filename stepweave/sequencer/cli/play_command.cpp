#include "stepweave/sequencer/cli/play_command.h"

#include <filesystem>
#include <functional>
#include <optional>
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

// The parts of start-up that are not worth stopping for: the kit's pans and
// the sample exports. Their errors are reported and playback goes on.
void ReportAndGoOn(std::ostream& err, const std::function<void()>& step) {
    try {
        step();
    } catch (const StepweaveError& error) {
        err << CommandLineMessage(error) << '\n';
    }
}

// Puts the song or the pattern in place to be played; false when there is
// nothing to play.
bool LoadWhatToPlay(const PlayArguments& arguments, SequencerSession& session, std::ostream& err) {
    SequencerDocument& document = session.Document();
    if (!arguments.patternName.empty()) {
        LoadPatternIntoEditor(ReadPatternFile(session.StartDirectory(), arguments.patternName), document);
        return true;
    }
    OpenSong(document, FindSongFile(arguments.songPath, session.StartDirectory()).string());
    if (document.playList.Empty()) {
        err << "The song \"" << document.songTitle << "\" has no patterns to play\n";
        return false;
    }
    return true;
}

void StartPlayback(const PlayArguments& arguments, SequencerSession& session, std::ostream& out) {
    SequencerDocument& document = session.Document();
    PlaybackEngine& engine = session.Engine();
    if (!arguments.patternName.empty()) {
        engine.SetPatternRepeat(arguments.repeat);
        out << "Playing pattern \"" << document.grid.Name() << "\" at " << engine.BpmLabel() << " BPM\n";
        engine.PlayPattern();
        return;
    }
    engine.SetSongRepeat(arguments.repeat);
    out << "Playing song \"" << document.songTitle << "\": " << document.playList.Count() << " patterns\n";
    engine.PlaySong();
}

// Plays until the end, letting the last sounds ring out, or until Ctrl+C;
// false when interrupted.
bool PlayToTheEnd(SequencerSession& session, TimerScheduler& timers) {
    HeadlessMainLoop loop(timers);
    loop.RunUntil([&] { return InterruptSignal::Requested() || !session.Engine().Playing(); },
                  kInterruptPollMilliseconds);
    if (!InterruptSignal::Requested()) {
        loop.RunUntil([&] { return InterruptSignal::Requested() || !session.Sounding(); },
                      kInterruptPollMilliseconds);
    }
    if (InterruptSignal::Requested()) {
        return false;
    }
    loop.RunFor(kDrainMilliseconds);
    return true;
}

}  // namespace

int PlayCommand(const PlayArguments& arguments, const AudioBackendSource& output, std::ostream& out,
                std::ostream& err, TimerScheduler& timers) {
    try {
        InterruptSignal interrupt;
        // The working directory matters only without a folder of the user's.
        const std::string here = arguments.folder ? std::string() : std::filesystem::current_path().string();
        // Nothing is written into the start folder before the kit, the sound
        // output and what to play are known to be there.
        const StartDirectoryChoice start = FindStartDirectory(arguments.folder, here);
        if (start.seeded) {
            out << "Made a new workspace with the demo song in " << start.folder << '\n';
        }
        SequencerSession session(start.folder, timers, SessionSound::Devices, output);
        if (const std::optional<std::string> log = TimingLogPathFromEnvironment()) {
            try {
                session.KeepTimingLog(*log);
            } catch (const std::exception& error) {
                err << error.what() << '\n';  // playback goes on without its log
            }
        }
        session.LoadDefaultKit();
        session.StartSoundOutput();
        bool loaded = false;
        try {
            loaded = LoadWhatToPlay(arguments, session, err);
        } catch (...) {
            session.DiscardSoundOutput();
            throw;
        }
        if (!loaded) {
            session.DiscardSoundOutput();
            return kPlayFailed;
        }
        ReportAndGoOn(err, [&] { session.ApplyPanningFile(); });
        ReportAndGoOn(err, [&] {
            EnsureTempFolder(start.folder);
            session.ResetSampleExports();
        });
        StartPlayback(arguments, session, out);
        out << std::flush;

        const bool ended = PlayToTheEnd(session, timers);
        session.StopSoundOutput();
        if (!ended) {
            out << "Stopped\n";
            return kPlayInterrupted;
        }
        return 0;
    } catch (const std::exception& error) {
        err << CommandLineMessage(error) << '\n';
        return kPlayFailed;
    }
}

}  // namespace stepweave
