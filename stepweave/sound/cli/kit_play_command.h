#pragma once
// The headless "kit play" command: plays sounds of a kit file through the
// sound output the way the sequencer does, so a kit can be heard (or, with
// STEPWEAVE_AUDIO=file:PATH, recorded and measured) without the windows.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "stepweave/sound/backend/audio_backend.h"
#include "stepweave/sound/timing/timer_scheduler.h"

namespace stepweave {

class WaveCollection;
class WaveCollectionItem;

struct KitPlayArguments {
    std::string kitPath;
    std::vector<std::string> names;  // none: the sixteen instruments
    int level = 1;                   // as a pattern cell's level: volume -500 x level
    int pan = 0;                     // hundredths of a decibel, -10000 (left) ... 10000 (right)
};

// How far apart the sounds start, so that each can be heard.
inline constexpr uint32_t kKitPlaySpacingMilliseconds = 250;

// The item of that name as the kit finds it (any letter case) or, failing
// that, the item whose instrument label it is ("Snare" for "Snare     [ ]").
// WaveCollectionError "Wave '%s' not found" otherwise.
WaveCollectionItem& FindKitItem(WaveCollection& kit, const std::string& name);

// Exit status when stopped by the user (Ctrl+C), as the other commands.
inline constexpr int kKitPlayInterrupted = 130;

// Plays the sounds one after another, overlapping, through the output that
// `output` opens, and returns when all have sounded, or as soon as
// `stopRequested` says so ("Stopped" is printed then). Either way the sound
// output is closed, so that a recording is complete and in place. Prints the
// name of each sound as it starts; on failure (no output, a recording that
// could not be written) the system's message goes to err and the result is 1.
int KitPlayCommand(const KitPlayArguments& arguments, const AudioBackendSource& output, std::ostream& out,
                   std::ostream& err, TimerScheduler& timers = MainTimers(),
                   const std::function<bool()>& stopRequested = {});

}  // namespace stepweave
