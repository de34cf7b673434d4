#pragma once
// The drum synthesiser that makes the sounds of the default kit: sixteen
// percussion instruments, each a 16-bit mono sound at 44100 Hz. Synthesis is
// deterministic, so every build produces the same kit.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace stepweave {

// In kit order: instrument n is the sound of kit slot n + 1.
enum class DrumInstrument {
    Kick,
    ShortKick,
    Snare,
    ClosedHiHat,
    OpenHiHat,
    HighTom,
    LowTom,
    Crash,
    Ride,
    Rimshot,
    Shaker,
    WoodBlock,
    Conga,
    Cowbell,
    Clap,
    Tambourine,
};

inline constexpr int kDrumInstrumentCount = 16;
inline constexpr int kDrumSampleRate = 44100;

inline constexpr std::array<DrumInstrument, kDrumInstrumentCount> kAllDrumInstruments = {
    DrumInstrument::Kick,     DrumInstrument::ShortKick, DrumInstrument::Snare,   DrumInstrument::ClosedHiHat,
    DrumInstrument::OpenHiHat, DrumInstrument::HighTom,  DrumInstrument::LowTom,  DrumInstrument::Crash,
    DrumInstrument::Ride,     DrumInstrument::Rimshot,   DrumInstrument::Shaker,  DrumInstrument::WoodBlock,
    DrumInstrument::Conga,    DrumInstrument::Cowbell,   DrumInstrument::Clap,    DrumInstrument::Tambourine,
};

// A short lower-case name ("kick", "closed-hihat", ...) for file names and messages.
std::string_view DrumInstrumentName(DrumInstrument instrument);

// The instrument's sound as signed 16-bit samples at kDrumSampleRate.
std::vector<int16_t> SynthesizeDrum(DrumInstrument instrument);

}  // namespace stepweave
