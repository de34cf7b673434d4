#include "stepweave/sequencer/midi_export/song_midi.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "stepweave/sequencer/midi_export/song_steps.h"
#include "stepweave/sound/midi/drum_note_map.h"

namespace stepweave {

namespace {

constexpr uint32_t kLongestQuarter = 0xFFFFFF;   // microseconds: the largest tempo value a file holds
constexpr int kMicrosecondsPerDelay = 2000;       // one step lasts 2 x Delay milliseconds
constexpr int kQuarterPower = 2;                  // time signature denominators: 2^2 = 4
constexpr int kLongestBar = 255;

struct TickedStep {
    int64_t tick = 0;
    int64_t ticks = 0;     // until the next step
    uint32_t quarter = 0;  // microseconds per quarter note while it plays
};

MidiPatternShape ShapeOf(const SongForMidi& song, int pattern) {
    const auto at = static_cast<size_t>(pattern);
    return at < song.patterns.size() ? song.patterns[at] : MidiPatternShape{};
}

// The pattern's beat, unless a quarter note of that many steps would be
// longer than a tempo event can say: then as many steps as fit.
std::vector<int> QuarterBeats(const SongForMidi& song, const std::vector<SongStep>& steps) {
    std::vector<int> beats;
    for (const SongStep& step : steps) {
        if (static_cast<size_t>(step.pattern) >= beats.size()) {
            beats.resize(static_cast<size_t>(step.pattern) + 1, 1);
            beats.back() = std::max(1, ShapeOf(song, step.pattern).beat);
        }
        const int fitting = static_cast<int>(kLongestQuarter / (static_cast<uint32_t>(kMicrosecondsPerDelay) * step.tempo));
        int& beat = beats[static_cast<size_t>(step.pattern)];
        beat = std::max(1, std::min(beat, fitting));
    }
    return beats;
}

int64_t TicksOfSteps(int64_t steps, int beat) {
    return static_cast<int64_t>(std::llround(static_cast<double>(steps) * kMidiTicksPerQuarter / beat));
}

std::vector<TickedStep> TickSteps(const std::vector<SongStep>& steps, const std::vector<int>& beats) {
    std::vector<TickedStep> ticked(steps.size());
    int64_t patternStart = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const SongStep& step = steps[i];
        const int beat = beats[static_cast<size_t>(step.pattern)];
        if (i > 0 && step.pattern != steps[i - 1].pattern) {
            patternStart += TicksOfSteps(steps[i - 1].index + 1, beats[static_cast<size_t>(steps[i - 1].pattern)]);
        }
        ticked[i].tick = patternStart + TicksOfSteps(step.index, beat);
        ticked[i].quarter = static_cast<uint32_t>(kMicrosecondsPerDelay) * static_cast<uint32_t>(step.tempo * beat);
        const int64_t next = patternStart + TicksOfSteps(step.index + 1, beat);
        ticked[i].ticks = next - ticked[i].tick;
    }
    return ticked;
}

// One pattern per bar: a length of whole beats in quarter notes, or else
// in the step's own note value when the beat is a power of two; none when
// neither fits.
std::optional<std::pair<int, int>> TimeSignatureOf(const MidiPatternShape& shape, int beat) {
    if (shape.beat != beat || shape.length < 1) {
        return std::nullopt;
    }
    if (shape.length % beat == 0 && shape.length / beat <= kLongestBar) {
        return std::make_pair(shape.length / beat, kQuarterPower);
    }
    if ((beat & (beat - 1)) == 0 && shape.length <= kLongestBar) {
        return std::make_pair(shape.length, kQuarterPower + static_cast<int>(std::log2(beat)));
    }
    return std::nullopt;
}

MidiFileTrack TempoTrack(const SongForMidi& song, const std::vector<SongStep>& steps,
                         const std::vector<TickedStep>& ticked, const std::vector<int>& beats) {
    MidiFileTrack track;
    track.AddName(song.title);
    uint32_t quarter = 0;
    std::pair<int, int> bar{0, 0};  // none yet
    for (size_t i = 0; i < steps.size(); ++i) {
        if (i == 0 || steps[i].pattern != steps[i - 1].pattern) {
            const int pattern = steps[i].pattern;
            const auto signature = TimeSignatureOf(ShapeOf(song, pattern), beats[static_cast<size_t>(pattern)]);
            if (signature && *signature != bar) {
                bar = *signature;
                track.AddTimeSignature(ticked[i].tick, bar.first, bar.second);
            }
        }
        if (ticked[i].quarter != quarter) {
            quarter = ticked[i].quarter;
            track.AddTempo(ticked[i].tick, quarter);
        }
    }
    return track;
}

int64_t NoteTicks(const MidiSound& sound, const SongStep& step, const TickedStep& ticked) {
    const double stepSeconds = kMicrosecondsPerDelay * step.tempo / 1e6;
    const auto soundTicks = static_cast<int64_t>(std::llround(sound.seconds / stepSeconds * ticked.ticks));
    return std::clamp<int64_t>(soundTicks, 1, std::max<int64_t>(ticked.ticks, 1));
}

bool IsKit(int instrument) { return instrument <= InstrumentList::kLastKitInstrument; }

// The track of each user sample the song plays, in the order of the samples.
std::array<int, InstrumentList::kCount> AddSampleTracks(const SongForMidi& song, const std::vector<SongStep>& steps,
                                                        std::vector<MidiFileTrack>& tracks) {
    std::array<bool, InstrumentList::kCount> played{};
    for (const SongStep& step : steps) {
        for (const StepHit& hit : step.hits) {
            played[static_cast<size_t>(hit.instrument)] = true;
        }
    }
    std::array<int, InstrumentList::kCount> trackOf{};
    for (int sample = InstrumentList::kFirstUserSample; sample <= InstrumentList::kLastUserSample; ++sample) {
        const MidiSound& sound = song.sounds[static_cast<size_t>(sample)];
        if (played[static_cast<size_t>(sample)] && sound.sounds) {
            trackOf[static_cast<size_t>(sample)] = static_cast<int>(tracks.size());
            tracks.emplace_back().AddName(sound.trackName);
        }
    }
    return trackOf;
}

}  // namespace

std::vector<MidiFileTrack> SongMidiTracks(const SongForMidi& song) {
    const std::vector<SongStep> steps = ReadSongSteps(song.lines);
    const std::vector<int> beats = QuarterBeats(song, steps);
    const std::vector<TickedStep> ticked = TickSteps(steps, beats);

    std::vector<MidiFileTrack> tracks{TempoTrack(song, steps, ticked, beats), MidiFileTrack{}};
    tracks[1].AddName("Drum Kit");
    const std::array<int, InstrumentList::kCount> sampleTrack = AddSampleTracks(song, steps, tracks);
    for (size_t i = 0; i < steps.size(); ++i) {
        for (const StepHit& hit : steps[i].hits) {
            const MidiSound& sound = song.sounds[static_cast<size_t>(hit.instrument)];
            if (!sound.sounds) {
                continue;
            }
            const int64_t length = NoteTicks(sound, steps[i], ticked[i]);
            if (IsKit(hit.instrument)) {
                tracks[1].AddNote(ticked[i].tick, length, kDrumChannel, DrumNoteOfSlot(hit.instrument),
                                  VelocityOfLevel(hit.level));
            } else {
                tracks[static_cast<size_t>(sampleTrack[static_cast<size_t>(hit.instrument)])].AddNote(
                    ticked[i].tick, length, kSampleChannel, kSampleNote, sound.velocity);
            }
        }
    }
    const int64_t end = ticked.empty() ? 0 : ticked.back().tick + ticked.back().ticks;
    for (MidiFileTrack& track : tracks) {
        track.ExtendTo(end);
    }
    return tracks;
}

}  // namespace stepweave
