#pragma once
// The evaluation set's material played by the General MIDI synthesizer:
// melodies on voice-like, wind, string and plucked patches, long notes on
// sustained strings and winds, melodies of repeated pairs, a choir patch,
// and drum hits.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "bench/voxnote/analysis/precise/evaluation_item.h"
#include "bench/voxnote/analysis/precise/set_random.h"
#include "tests/support/voxnote/general_midi_render.h"

namespace voxnote::evaluation {

struct Patch {
    int program;
    int lowest;
    int highest;
};

inline const std::vector<Patch>& PatchesOf(const std::string& category) {
    static const std::vector<Patch> voice = {{52, 48, 79}, {53, 48, 79}, {54, 48, 79}, {85, 48, 84}};
    static const std::vector<Patch> wind = {{73, 60, 96}, {71, 50, 91}, {68, 58, 91},
                                            {65, 49, 81}, {56, 54, 84}, {57, 40, 72}};
    static const std::vector<Patch> strings = {{40, 55, 96}, {41, 48, 84}, {42, 36, 72}, {110, 55, 88}};
    static const std::vector<Patch> plucked = {{24, 40, 84}, {25, 40, 84}, {46, 36, 96}, {45, 36, 84}, {105, 48, 84}};
    static const std::vector<Patch> sustained = {{40, 55, 93}, {71, 50, 89}, {42, 36, 72}, {73, 60, 93},
                                                 {48, 40, 84}, {68, 58, 89}, {41, 48, 84}, {70, 36, 70}};
    static const std::vector<Patch> pairs = {{53, 48, 79}, {73, 60, 93}, {71, 50, 89}, {40, 55, 93},
                                             {52, 48, 79}, {56, 54, 84}};
    static const std::vector<Patch> choir = {{52, 48, 76}, {91, 48, 76}};
    if (category == "gm_voice") return voice;
    if (category == "gm_wind") return wind;
    if (category == "gm_string") return strings;
    if (category == "sustained") return sustained;
    if (category == "repeated_pairs") return pairs;
    if (category == "choir") return choir;
    return plucked;
}

inline SoundSource SourceOf(const Patch& patch) {
    switch (patch.program) {
        case 52: case 53: case 54: case 85: case 91: return SoundSource::Voice;
        default: return SoundSource::Instrument;
    }
}

struct MelodyStyle {
    double slowestBpm = 80;
    double fastestBpm = 140;
    double legatoChance = 0.5;   // every note held to the next
    double detachedShare = 0.7;  // else each held for this share of its length
    double stayChance = 0.15;    // the next note on the same pitch
};

inline MelodyStyle MelodyStyleOf(const std::string& category) {
    if (category == "sustained") return {25, 60, 0.5, 0.85, 0.15};
    if (category == "repeated_pairs") return {90, 140, 0.6, 0.9, 0.45};
    if (category == "choir") return {50, 90, 0.8, 0.85, 0.15};
    return {};
}

// A melody on a patch: a random walk inside its range on a tempo grid of
// eighths and quarters, legato or detached, with repeated notes.
inline std::optional<EvaluationItem> MelodyItem(const std::string& category, int index, SetRandom& random) {
    const std::vector<Patch>& patches = PatchesOf(category);
    const Patch& patch = patches[static_cast<size_t>(index) % patches.size()];
    const MelodyStyle style = MelodyStyleOf(category);
    const double beat = 60.0 / random.Uniform(style.slowestBpm, style.fastestBpm);
    const bool legato = random.Chance(style.legatoChance);
    std::vector<testing::PlayedNote> played;
    EvaluationItem item;
    item.category = category;
    item.source = SourceOf(patch);
    int note = random.Integer(patch.lowest, patch.highest);
    double at = random.Uniform(0.05, 0.3);
    while (at < 8.0) {
        const double length = beat * (random.Chance(0.5) ? 0.5 : 1.0);
        const double held = legato ? length : style.detachedShare * length;
        played.push_back({at, held, note, random.Integer(70, 120)});
        const bool resung = legato && !item.notes.empty() && item.notes.back().note == note;
        item.notes.push_back({at, at + held, note, resung});
        at += length;
        if (!random.Chance(style.stayChance)) note = std::clamp(note + random.Integer(-7, 7), patch.lowest, patch.highest);
    }
    std::optional<std::vector<int16_t>> samples =
        testing::RenderGeneralMidi(played, patch.program, false, 1.0, random.Uniform(6000, 24000));
    if (!samples) return std::nullopt;
    item.samples = std::move(*samples);
    return item;
}

// Drum hits on the percussion channel at uneven times, never closer than
// 100 ms, so every hit is an onset of its own.
inline std::optional<EvaluationItem> PercussionItem(SetRandom& random) {
    static const int kDrums[] = {35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 50, 51, 54, 56, 60, 61, 62, 63, 64, 75, 76, 77};
    std::vector<testing::PlayedNote> played;
    EvaluationItem item;
    item.category = "percussion";
    item.source = SoundSource::Percussion;
    item.rhythm = true;
    double at = random.Uniform(0.05, 0.3);
    while (at < 8.0) {
        const int drum = kDrums[random.Integer(0, static_cast<int>(std::size(kDrums)) - 1)];
        played.push_back({at, 0.1, drum, random.Integer(50, 127)});
        item.notes.push_back({at, at + 0.1, drum});
        at += random.Uniform(0.1, 0.5);
    }
    std::optional<std::vector<int16_t>> samples =
        testing::RenderGeneralMidi(played, 0, true, 1.0, random.Uniform(6000, 24000));
    if (!samples) return std::nullopt;
    item.samples = std::move(*samples);
    return item;
}

}  // namespace voxnote::evaluation
