#pragma once
// A source wave decoded once so that it can be mixed many times: a song
// render loads each sound once per pass instead of once per note. The
// contributions of a whole hit (the source resampled, scaled by volume and
// pan, rounded) are kept for reuse as well, within a memory budget, since a
// drum pattern repeats the same hit with the same level and pan many times.
#include <cstdint>
#include <string>
#include <vector>

#include "stepweave/sound/mixdown/mix_arithmetic.h"

namespace stepweave::wavaudio {

class MixingWave;

class MixSource {
public:
    static constexpr int64_t kDefaultShapeBudgetBytes = int64_t{16} << 20;

    // Decodes channels 0 and 1 of a wave; a mono wave's one channel feeds
    // both sides of a stereo mix.
    explicit MixSource(MixingWave& wave, int64_t shapeBudgetBytes = kDefaultShapeBudgetBytes);
    // Loads a WAV file (as MixingWave::LoadFromFile does) and decodes it.
    static MixSource FromFile(const std::string& path, int64_t shapeBudgetBytes = kDefaultShapeBudgetBytes);

    int64_t Frames() const { return frames_; }
    int32_t SampleRate() const { return rate_; }
    // The sample of channel 0 or 1 at a frame; 0 outside the audio.
    int16_t Sample(int channel, int64_t frame) const;

    // Contributions of output frames [first, first + count) of a hit of this
    // source, interleaved left and right.
    void ComputeContributions(const HitPlan& plan, int64_t first, int64_t count, int32_t* out) const;

    // All contributions of a hit, computed on first use and kept while the
    // budget allows (least recently used hits make room); null when the hit
    // alone exceeds the budget. Valid until the next call.
    const int32_t* CachedContributions(const HitPlan& plan) const;
    int64_t CachedBytes() const { return cachedBytes_; }

private:
    struct HitShape {
        HitPlan Plan;
        std::vector<int32_t> Contributions;
        uint64_t LastUse = 0;
    };

    const int16_t* Channel(int channel) const;
    void MakeRoomFor(int64_t bytes) const;

    int64_t frames_ = 0;
    int32_t rate_ = 1;
    std::vector<int16_t> left_;
    std::vector<int16_t> right_;  // empty for a mono source
    int64_t budgetBytes_ = 0;
    mutable std::vector<HitShape> shapes_;
    mutable int64_t cachedBytes_ = 0;
    mutable uint64_t useClock_ = 0;
};

}  // namespace stepweave::wavaudio
