#pragma once
// The headless "play" command: plays a song as Play Song does, or a stored
// pattern as Play Pattern does after loading it into the editor, in real
// time through the sound output, starting up as the main window does.
#include <iosfwd>
#include <optional>
#include <string>

#include "stepweave/sound/backend/audio_backend.h"
#include "stepweave/sound/timing/timer_scheduler.h"

namespace stepweave {

struct PlayArguments {
    std::string songPath;                // a song file; empty when a pattern is played
    std::string patternName;             // a stored pattern of the start folder
    std::optional<std::string> folder;   // --dir: the start folder
    bool repeat = false;                 // the "Repeat" box of the song or the pattern
};

// Exit statuses besides 0 (played to the end).
inline constexpr int kPlayFailed = 1;
inline constexpr int kPlayInterrupted = 130;

// Chooses the start folder (seeding the user's workspace when needed), loads
// the kit, starts the sound output from `output` and loads the song or pattern; only then
// applies "Panning.dat" and resets the sample exports (making "temp" when
// it is missing), so a command that fails changes nothing in the folder.
// Plays until the end (and lets the last sounds ring out) or until Ctrl+C,
// which stops playback cleanly; either way the sound output is closed, so a
// recording is complete, and a recording that could not be written is an
// error; a command that fails before playing drops its recording. A song
// file not found as given is looked for in the start folder,
// with ".sng" added when it has no extension. Messages go to out; errors,
// with the system's message and the file and line they concern, to err.
int PlayCommand(const PlayArguments& arguments, const AudioBackendSource& output, std::ostream& out,
                std::ostream& err, TimerScheduler& timers = MainTimers());

}  // namespace stepweave
