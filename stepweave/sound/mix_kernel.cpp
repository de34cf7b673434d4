#include "stepweave/sound/mix_kernel.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "stepweave/sound/sample_codec.h"

namespace stepweave::wavaudio {

namespace {

int32_t Limit(int32_t value) { return std::clamp(value, -kMixedSampleLimit, kMixedSampleLimit); }

// 16-bit stereo frames of 4 bytes on a little-endian machine: the common
// case, written so that the compiler can vectorise it.
void AddToPackedStereo16(uint8_t* bytes, const int32_t* contributions, int64_t samples, bool silent) {
    for (int64_t i = 0; i < samples; ++i) {
        int16_t held = 0;
        std::memcpy(&held, bytes + 2 * i, 2);
        const int32_t base = silent ? 0 : held;
        const auto mixed = static_cast<int16_t>(Limit(base + contributions[i]));
        std::memcpy(bytes + 2 * i, &mixed, 2);
    }
}

void AddToAnyLayout(const TFrameSpan& span, const int32_t* contributions, int64_t first, int64_t end, bool silent) {
    const int sampleBytes = span.EightBit ? 1 : 2;
    for (int64_t frame = first; frame < end; ++frame) {
        uint8_t* at = span.Bytes + frame * span.BlockAlign;
        for (int channel = 0; channel < 2; ++channel) {
            uint8_t* sample = at + channel * sampleBytes;
            const int32_t base = silent ? 0 : DecodeSample(sample, span.EightBit);
            const auto mixed = static_cast<int16_t>(Limit(base + contributions[2 * frame + channel]));
            EncodeSample(sample, span.EightBit, mixed);
        }
    }
}

void AddRange(const TFrameSpan& span, const int32_t* contributions, int64_t first, int64_t end, bool silent) {
    if (first >= end) {
        return;
    }
    if (std::endian::native == std::endian::little && !span.EightBit && span.BlockAlign == 4) {
        AddToPackedStereo16(span.Bytes + 4 * first, contributions + 2 * first, 2 * (end - first), silent);
    } else {
        AddToAnyLayout(span, contributions, first, end, silent);
    }
}

}  // namespace

void AddContributions(const TFrameSpan& span, const int32_t* contributions, int64_t silentFrom) {
    const int64_t split = std::clamp<int64_t>(silentFrom, 0, span.Frames);
    AddRange(span, contributions, 0, split, false);
    AddRange(span, contributions, split, span.Frames, true);
}

}  // namespace stepweave::wavaudio
