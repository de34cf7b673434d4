#pragma once
// Loudness on the exact detector's level scale: 60 log units per doubling of
// amplitude (about 10 per decibel), placed so that a sine of amplitude A
// reads 60 * log2(A) - 78. That is where the exact detector's level puts a
// 440 Hz sine of amplitude 8000 (about 700), so the velocity base and input
// threshold of a preset mean the same loudness with either detector.
#include <cstdint>
#include <span>

namespace voxnote::precise {

// Level of a mean square in 16-bit sample units; 0 for silence.
float LevelOfMeanSquare(double meanSquare);

// Level of samples[from, from + count), the part outside the signal counted silent.
float WindowLevel(std::span<const int16_t> samples, int64_t from, int count);

}  // namespace voxnote::precise
