#pragma once
// The arithmetic of mixing one wave into another: where a hit starts, how
// many output frames it lasts at its playback frequency, how pan splits it
// between left and right, and what each output sample receives. Every value
// is an IEEE double computed in one fixed order (the build forbids fused
// multiply-add), so a render is the same to the last bit on every run.
#include <cstdint>
#include <optional>

#include "stepweave/sound/mixdown/mixing_wave_format.h"

namespace stepweave::wavaudio {

// Rounds to the nearest integer, halves to the even neighbour (the
// processor's default rounding), exactly for |value| < 2^51: adding 1.5 * 2^52
// leaves no fraction bits, so the addition itself does the rounding.
inline double RoundHalfEven(double value) {
    constexpr double kShift = 6755399441055744.0;
    return (value + kShift) - kShift;
}

// A frame count or index rounded half to even; nothing when the value is not
// finite or too large to address a frame of a WAV file.
std::optional<int64_t> RoundToFrame(double value);

// The frame at which a mix-in starting at `seconds` begins in a wave of this
// format; nothing when it cannot be addressed.
std::optional<int64_t> StartFrame(const WaveFormat& format, double seconds);

struct ChannelGains {
    double Left = 1.0;
    double Right = 1.0;
};

// Pan 0 is centre; -1 is fully left and 1 fully right; the near side keeps
// full level: 0.5 gives left 0.5 and right 1.
ChannelGains PanGains(double pan);

// Everything about one mix-in that does not depend on where it lands.
struct HitPlan {
    int64_t SourceFrames = 0;
    int64_t Length = 0;  // output frames; below 1 nothing is mixed
    double Ratio = 0.0;  // output frames per source frame
    double Volume = 1.0;
    ChannelGains Gains;

    bool SameSound(const HitPlan& other) const;
};

// Plans a source of `sourceFrames` frames at `sourceRate` played at
// `frequency` Hz into an output running at `outputRate`. Nothing when a
// value is not finite, the frequency is not positive, or the hit would be too
// long to address.
std::optional<HitPlan> PlanHit(int32_t outputRate, int64_t sourceFrames, int32_t sourceRate,
                                double frequency, double pan, double volume);

// Contributions of one hit are limited to this magnitude before rounding: any
// sum beyond it is clipped to the same sample, and the limit keeps the
// integer arithmetic of the addition in range.
inline constexpr double kContributionLimit = 1073741824.0;  // 2^30

// What output frame k of a hit adds to one channel: the source interpolated
// linearly between two neighbouring frames, times volume, times the
// channel's pan gain, rounded half to even.
inline int32_t Contribution(double a0, double a1, double w0, double w1, double volume, double gain) {
    double value = (a0 * w0 + a1 * w1) * volume * gain;
    if (value > kContributionLimit) {
        value = kContributionLimit;
    } else if (value < -kContributionLimit) {
        value = -kContributionLimit;
    }
    return static_cast<int32_t>(RoundHalfEven(value));
}

// Source position of output frame k: the two frames interpolated and the
// weight of the first.
struct SourcePosition {
    int64_t First = 0;
    int64_t Second = 0;
    double FirstWeight = 1.0;
    double SecondWeight = 0.0;
};

inline SourcePosition SourcePositionOf(const HitPlan& plan, int64_t k) {
    const double x = static_cast<double>(k) / plan.Ratio;
    SourcePosition at;
    at.First = static_cast<int64_t>(x);
    at.Second = at.First + 1 < plan.SourceFrames - 1 ? at.First + 1 : plan.SourceFrames - 1;
    at.FirstWeight = 1.0 - (x - static_cast<double>(at.First));
    at.SecondWeight = 1.0 - at.FirstWeight;
    return at;
}

}  // namespace stepweave::wavaudio
