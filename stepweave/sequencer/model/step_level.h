#pragma once
// The level of a kit cell: the character between the brackets of its label.
// Levels are attenuation steps of 5 dB: level L plays at -500 x L hundredths
// of a decibel. A blank is level 1; "0" (never written by the editor, but
// possible in a hand-made file) is full volume.
#include <cstddef>

namespace stepweave {

class StepLevel {
public:
    // Where the level character stands in a cell's text (the 12th character).
    static constexpr size_t kCharacterPosition = 11;
    static constexpr int kAttenuationPerLevel = 500;

    constexpr StepLevel() = default;
    constexpr explicit StepLevel(int value) : value_(value) {}

    // A digit gives its value; a blank, and any other character found in a
    // damaged file, gives level 1 so that playback goes on.
    static constexpr StepLevel FromCharacter(char c) {
        return c >= '0' && c <= '9' ? StepLevel(c - '0') : StepLevel(1);
    }

    constexpr int Value() const { return value_; }
    // The volume in hundredths of a decibel (0 = full, negative = quieter).
    constexpr int Volume() const { return -kAttenuationPerLevel * value_; }

    friend constexpr bool operator==(StepLevel, StepLevel) = default;

private:
    int value_ = 1;
};

}  // namespace stepweave
