#include "stepweave/sound/midi/drum_note_map.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace stepweave {

namespace {

constexpr std::array<int, 17> kDrumNotes = {0, 36, 35, 38, 42, 46, 48, 45, 49, 51, 37, 70, 76, 63, 56, 39, 54};
constexpr int kLevelAttenuation = 500;  // hundredths of a decibel per level
constexpr int kLoudestLevel = 1;
constexpr int kQuietestLevel = 9;

}  // namespace

int DrumNoteOfSlot(int slot) {
    return slot >= 1 && slot < static_cast<int>(kDrumNotes.size()) ? kDrumNotes[static_cast<size_t>(slot)] : 0;
}

std::optional<int> SlotOfDrumNote(int note) {
    const auto found = std::find(kDrumNotes.begin() + 1, kDrumNotes.end(), note);
    if (found == kDrumNotes.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - kDrumNotes.begin());
}

int VelocityOfAttenuation(int hundredths) {
    const double velocity = std::round(kLoudestVelocity * std::pow(10.0, -hundredths / 4000.0));
    return static_cast<int>(std::clamp(velocity, 1.0, static_cast<double>(kLoudestVelocity)));
}

int VelocityOfLevel(int level) { return VelocityOfAttenuation(kLevelAttenuation * (level - kLoudestLevel)); }

int LevelOfVelocity(int velocity) {
    int nearest = kLoudestLevel;
    for (int level = kLoudestLevel + 1; level <= kQuietestLevel; ++level) {
        if (std::abs(VelocityOfLevel(level) - velocity) < std::abs(VelocityOfLevel(nearest) - velocity)) {
            nearest = level;
        }
    }
    return nearest;
}

}  // namespace stepweave
