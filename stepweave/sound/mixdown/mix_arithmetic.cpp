#include "stepweave/sound/mixdown/mix_arithmetic.h"

#include <cmath>

namespace stepweave::wavaudio {

namespace {

// Frame numbers stay far below 2^51, where RoundHalfEven is exact, and below
// what a 64-bit byte position of any frame size can hold.
constexpr double kFrameLimit = 1e15;

}  // namespace

std::optional<int64_t> RoundToFrame(double value) {
    if (!std::isfinite(value) || value > kFrameLimit || value < -kFrameLimit) {
        return std::nullopt;
    }
    return static_cast<int64_t>(RoundHalfEven(value));
}

std::optional<int64_t> StartFrame(const WaveFormat& format, double seconds) {
    const double bytes = static_cast<double>(format.SignedAvgBytesPerSec()) * seconds;
    return RoundToFrame(bytes / static_cast<double>(format.blockAlign));
}

ChannelGains PanGains(double pan) {
    ChannelGains gains;
    gains.Left = pan > 1.0 ? 0.0 : pan < 0.0 ? 1.0 : 1.0 - pan;
    gains.Right = pan < -1.0 ? 0.0 : pan > 0.0 ? 1.0 : 1.0 - std::fabs(pan);
    return gains;
}

bool HitPlan::SameSound(const HitPlan& other) const {
    return SourceFrames == other.SourceFrames && Length == other.Length && Ratio == other.Ratio &&
           Volume == other.Volume && Gains.Left == other.Gains.Left && Gains.Right == other.Gains.Right;
}

std::optional<HitPlan> PlanHit(int32_t outputRate, int64_t sourceFrames, int32_t sourceRate,
                                double frequency, double pan, double volume) {
    if (!std::isfinite(frequency) || frequency <= 0.0 || !std::isfinite(pan) || !std::isfinite(volume) ||
        outputRate < 1 || sourceRate < 1 || sourceFrames < 0) {
        return std::nullopt;
    }
    const double rate = static_cast<double>(sourceRate);
    const double seconds = static_cast<double>(sourceFrames) / rate;
    const auto length = RoundToFrame(static_cast<double>(outputRate) * seconds * rate / frequency);
    if (!length) {
        return std::nullopt;
    }
    HitPlan plan;
    plan.SourceFrames = sourceFrames;
    plan.Length = *length;
    plan.Ratio = sourceFrames > 0 ? static_cast<double>(*length) / static_cast<double>(sourceFrames) : 0.0;
    plan.Volume = volume;
    plan.Gains = PanGains(pan);
    return plan;
}

}  // namespace stepweave::wavaudio
