#include "stepweave/sequencer/render/song_mixdown.h"

#include <vector>

#include "stepweave/sequencer/render/render_observer.h"
#include "stepweave/sound/mixdown/mix_source.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace stepweave {

namespace {

using wavaudio::MixSource;

struct NoteGains {
    double frequency;
    double pan;
    double volume;
};

NoteGains GainsOf(const RenderSound& sound, const MixSource& source, const TimelineLine& line) {
    const double ownRate = static_cast<double>(source.SampleRate());
    if (sound.kit) {
        return {ownRate, sound.pan, KitLevelVolume(line.level)};
    }
    return {sound.frequency > 0.0 ? sound.frequency : ownRate, sound.pan, sound.volume};
}

// One instrument's pass; false when the user asked to stop.
bool MixPass(const SongTimeline& timeline, int instrument, const RenderSound& sound, wavaudio::MixingWave& output,
             RenderObserver& observer) {
    const MixSource source = MixSource::FromFile(sound.file);
    for (const TimelineLine& line : timeline.lines) {
        if (observer.StopRequested()) {
            return false;
        }
        observer.SetProgress(line.lineIndex);
        observer.ProcessEvents();
        if (line.instrument != instrument) {
            continue;
        }
        observer.NowAdding(sound.name);
        const NoteGains gains = GainsOf(sound, source, line);
        output.MixIn(source, gains.frequency, line.time, gains.pan, gains.volume);
    }
    return true;
}

}  // namespace

MixdownEnd MixSong(const SongTimeline& timeline, const RenderSounds& sounds, wavaudio::MixingWave& output,
                   RenderObserver& observer) {
    std::vector<int> passes;
    for (const int instrument : timeline.usedInstruments) {
        // A kit item the kit does not hold has nothing to mix.
        if (!sounds[static_cast<size_t>(instrument)].file.empty()) {
            passes.push_back(instrument);
        }
    }
    const int count = static_cast<int>(passes.size());
    for (int pass = 0; pass < count; ++pass) {
        const int instrument = passes[static_cast<size_t>(pass)];
        observer.PassStarted(instrument, pass, count);
        if (!MixPass(timeline, instrument, sounds[static_cast<size_t>(instrument)], output, observer)) {
            return MixdownEnd::Stopped;
        }
    }
    return MixdownEnd::Completed;
}

}  // namespace stepweave
