#pragma once
// The development set of the detector evaluation, made the same way on every
// run from fixed seeds:
// - synthetic tones across MIDI 36..96 (pure and harmonic, detached and
//   legato runs, vibrato, noise, a small room);
// - melodies played by the General MIDI synthesizer (voice-like, wind,
//   string and plucked patches), long notes on sustained strings and winds,
//   melodies of repeated pairs;
// - a sung voice (sung_voice.h): melodies, syllables re-sung on one pitch
//   through dips of 6 to 20 dB, a voice in a large room, a choir in unison
//   (half of it sung, half a choir patch);
// - percussion hits.
// Items alternate between the development half and the held-out half.
#include <optional>
#include <string>
#include <vector>

#include "bench/voxnote/analysis/precise/evaluation_item.h"
#include "bench/voxnote/analysis/precise/instrument_items.h"
#include "bench/voxnote/analysis/precise/set_random.h"
#include "bench/voxnote/analysis/precise/synthetic_tones.h"
#include "bench/voxnote/analysis/precise/voice_items.h"

namespace voxnote::evaluation {

// In the order the set is made: the categories before "percussion" first, so
// that their items stay what they were before the later ones were added.
inline const std::vector<std::string>& FirstPitchedCategories() {
    static const std::vector<std::string> categories = {"sine",   "harmonic", "legato",   "detached", "vibrato",
                                                        "noise",  "reverb",   "gm_voice", "gm_wind",  "gm_string",
                                                        "gm_plucked"};
    return categories;
}

inline const std::vector<std::string>& LaterPitchedCategories() {
    static const std::vector<std::string> categories = {"sung",   "resung",    "sung_reverb",
                                                        "choir",  "sustained", "repeated_pairs"};
    return categories;
}

inline std::vector<std::string> PitchedCategories() {
    std::vector<std::string> categories = FirstPitchedCategories();
    for (const std::string& category : LaterPitchedCategories()) categories.push_back(category);
    return categories;
}

inline constexpr int kItemsPerCategory = 12;

inline bool IsSung(const std::string& category) {
    return category == "sung" || category == "resung" || category == "sung_reverb";
}

inline std::optional<EvaluationItem> PitchedItem(const std::string& category, int index, SetRandom& random) {
    if (category.rfind("gm_", 0) == 0) return MelodyItem(category, index / 2, random);
    if (category == "sustained" || category == "repeated_pairs") return MelodyItem(category, index / 2, random);
    // A choir: sung and played in turn, each way in both halves.
    if (category == "choir") return (index / 2) % 2 == 0 ? SungItem(category, random) : MelodyItem(category, index / 4, random);
    if (IsSung(category)) return SungItem(category, random);
    return SyntheticItem(category, random);
}

// The whole set; even items of each category are the development half, odd
// items the held-out half. Empty when the synthesizer cannot play.
inline std::vector<EvaluationItem> MakeEvaluationSet() {
    std::vector<EvaluationItem> items;
    uint64_t seed = 1;
    auto add = [&](std::optional<EvaluationItem> item, int index) {
        if (!item) return false;
        item->heldOut = index % 2 == 1;
        items.push_back(std::move(*item));
        return true;
    };
    for (const std::string& category : FirstPitchedCategories()) {
        for (int i = 0; i < kItemsPerCategory; ++i) {
            SetRandom random(seed++ * 7919);
            if (!add(PitchedItem(category, i, random), i)) return {};
        }
    }
    for (int i = 0; i < kItemsPerCategory; ++i) {
        SetRandom random(seed++ * 7919);
        if (!add(PercussionItem(random), i)) return {};
    }
    for (const std::string& category : LaterPitchedCategories()) {
        for (int i = 0; i < kItemsPerCategory; ++i) {
            SetRandom random(seed++ * 7919);
            if (!add(PitchedItem(category, i, random), i)) return {};
        }
    }
    return items;
}

}  // namespace voxnote::evaluation
