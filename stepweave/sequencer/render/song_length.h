#pragma once
// How long a render's output will be, known before anything is mixed: a
// song whose sound would not fit into a WAV file (4 GiB of data, about six
// and three quarter hours of 16-bit stereo 44100 Hz) is refused at once
// rather than after gigabytes have been written.
#include <cstdint>

#include "stepweave/sequencer/render/render_sounds.h"
#include "stepweave/sequencer/render/song_timeline.h"

namespace stepweave {

// The output frames the mixdown produces: up to where the last note of the
// song stops sounding. Read from the exports' headers.
int64_t RenderedFrames(const SongTimeline& timeline, const RenderSounds& sounds);

// WaveStreamError "Wave is too long: the song lasts H:MM:SS, and a WAV file
// holds at most 6:45:47 of 16-bit stereo 44100 Hz sound" when the output
// would not fit.
void CheckSongFitsAWaveFile(const SongTimeline& timeline, const RenderSounds& sounds);

}  // namespace stepweave
