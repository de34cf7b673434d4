#pragma once
// The mixdown of a song render: one pass over the song for each instrument it
// uses, in ascending instrument order (kit instruments before user samples),
// adding every note of that instrument into the output wave at the time its
// step begins. Kit notes play at their file's own rate with the volume of the
// cell's level and the kit item's pan; user samples at their own frequency,
// pan and volume. Where a sum clips, the order decides what the output holds.
#include "stepweave/sequencer/render/render_sounds.h"
#include "stepweave/sequencer/render/song_timeline.h"

namespace stepweave {

namespace wavaudio {
class MixingWave;
}

class RenderObserver;

enum class MixdownEnd { Completed, Stopped };

// Hands control to the observer once per song line of every pass; when the
// user has asked to stop, ends at once with what is mixed so far: the
// instruments finished and the current one up to where its pass got. Each
// instrument's sound is read once per pass. Fails with the errors of reading
// a sound or of the output's work file.
MixdownEnd MixSong(const SongTimeline& timeline, const RenderSounds& sounds, wavaudio::MixingWave& output,
                   RenderObserver& observer);

}  // namespace stepweave
