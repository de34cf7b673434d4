#pragma once
// The formats the converter accepts: PCM, 16 bit, mono or stereo, 11025,
// 22050 or 44100 Hz; and the WAV dialog's messages for every way a file's
// format differs.
#include <cstdint>
#include <vector>

#include "voxnote/analysis/wavfile/wav_format.h"

namespace voxnote {

inline constexpr uint32_t kAnalysisSampleRate = 11025;

// The string-table entries of every way the format differs from what the
// converter accepts, in the order the checks are made; empty when accepted.
std::vector<int> FormatProblems(const WavFormat& format);

}  // namespace voxnote
