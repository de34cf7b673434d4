#pragma once
// The per-frame pass over a recording: each frame's level, its spectral flux
// and, in pitch mode, its YIN candidates (none for a silent frame).
#include <cstdint>
#include <span>

#include "voxnote/analysis/precise/detector_work.h"

namespace voxnote::precise {

// A frame quieter than this (a 440 Hz sine 57 dB below full scale) holds no note.
inline constexpr float kSilentLevel = 250.0f;

// Fills work's per-frame arrays for frameCount frames of samples.
void AnalyseFrames(std::span<const int16_t> samples, size_t frameCount, bool withPitch, DetectorWork& work);

}  // namespace voxnote::precise
