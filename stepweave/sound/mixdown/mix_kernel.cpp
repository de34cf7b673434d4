#include "stepweave/sound/mixdown/mix_kernel.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "stepweave/sound/wav/sample_codec.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stepweave::wavaudio {

namespace {

int32_t Limit(int32_t value) { return std::clamp(value, -kMixedSampleLimit, kMixedSampleLimit); }

#if defined(__SSE2__)
// Eight samples at a time: widen the held samples to 32 bits, add, narrow
// with saturation to -32768..32767, then lift -32768 to -32767.
void AddEightSamples(uint8_t* bytes, const int32_t* contributions, bool silent) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(contributions));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(contributions + 4));
    __m128i sumLow = low;
    __m128i sumHigh = high;
    if (!silent) {
        const __m128i held = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
        sumLow = _mm_add_epi32(_mm_srai_epi32(_mm_unpacklo_epi16(held, held), 16), low);
        sumHigh = _mm_add_epi32(_mm_srai_epi32(_mm_unpackhi_epi16(held, held), 16), high);
    }
    const __m128i mixed = _mm_max_epi16(_mm_packs_epi32(sumLow, sumHigh), _mm_set1_epi16(-kMixedSampleLimit));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), mixed);
}
#endif

// 16-bit stereo frames of 4 bytes on a little-endian machine: the common case.
void AddToPackedStereo16(uint8_t* bytes, const int32_t* contributions, int64_t samples, bool silent) {
    int64_t i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= samples; i += 8) {
        AddEightSamples(bytes + 2 * i, contributions + i, silent);
    }
#endif
    for (; i < samples; ++i) {
        int16_t held = 0;
        std::memcpy(&held, bytes + 2 * i, 2);
        const int32_t base = silent ? 0 : held;
        const auto mixed = static_cast<int16_t>(Limit(base + contributions[i]));
        std::memcpy(bytes + 2 * i, &mixed, 2);
    }
}

void AddToAnyLayout(const FrameSpan& span, const int32_t* contributions, int64_t first, int64_t end, bool silent) {
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

void AddRange(const FrameSpan& span, const int32_t* contributions, int64_t first, int64_t end, bool silent) {
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

void AddContributions(const FrameSpan& span, const int32_t* contributions, int64_t silentFrom) {
    const int64_t split = std::clamp<int64_t>(silentFrom, 0, span.Frames);
    AddRange(span, contributions, 0, split, false);
    AddRange(span, contributions, split, span.Frames, true);
}

}  // namespace stepweave::wavaudio
