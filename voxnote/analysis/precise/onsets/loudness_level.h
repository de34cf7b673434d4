#pragma once
// Loudness on the exact detector's level scale. That detector measures how
// much the signal moves (the differences between consecutive samples), in 60
// log units per doubling (about 10 per decibel), so a high sound reads louder
// than a low one of the same amplitude, by 6 dB per octave. The same measure
// here, placed so that a 440 Hz sine of amplitude A reads 60 * log2(A) - 78,
// where the exact detector puts it (about 700 for A = 8000): the velocity
// base and the input threshold of a preset then mean the same with either
// detector, at every pitch.
#include <cstdint>
#include <span>

namespace voxnote::precise {

// Level of a mean square of sample differences, in 16-bit units; 0 for silence.
float LevelOfMovement(double meanSquareDifference);

// Level of samples[from, from + count), the part outside the signal counted silent.
float WindowLevel(std::span<const int16_t> samples, int64_t from, int count);

}  // namespace voxnote::precise
