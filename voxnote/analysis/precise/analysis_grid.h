#pragma once
// The time grid of the precise detector. It reads 11025 Hz mono 16-bit
// samples, the analysis format the WAV import already produces, and looks at
// them in frames of 128 samples (11.6 ms); frame k is centred on sample
// k * 128, so frame 0 lies on the first sample of the file.
#include <cstddef>
#include <cstdint>

namespace voxnote::precise {

inline constexpr double kAnalysisRate = 11025.0;
inline constexpr int kHopSamples = 128;

// The difference function compares a 256-sample window with itself shifted
// by up to 255 samples (43 Hz, below MIDI note 30); both fit one 512-point FFT.
inline constexpr int kYinWindow = 256;
inline constexpr int kSmallestLag = 2;
inline constexpr int kLargestLag = 255;
inline constexpr int kFftSize = 512;

// Pitches the detector reports, in MIDI semitones.
inline constexpr float kLowestPitch = 29.5f;
inline constexpr float kHighestPitch = 104.5f;

inline constexpr size_t FrameCount(size_t samples) { return samples / kHopSamples + 1; }
inline constexpr int64_t FrameCentre(size_t frame) { return static_cast<int64_t>(frame) * kHopSamples; }

// Milliseconds from the start of the file, rounded down as the exact
// detector's event clock does.
inline constexpr uint32_t SampleToMs(int64_t sample) {
    return sample <= 0 ? 0 : static_cast<uint32_t>(sample * 1000 / static_cast<int64_t>(kAnalysisRate));
}

}  // namespace voxnote::precise
