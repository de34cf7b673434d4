#include "voxnote/analysis/resampling/polyphase_resampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace voxnote {

namespace {

// Pass band up to 41% of the lower rate, stop band from its Nyquist frequency,
// 80 dB down.
constexpr double kPassEdge = 0.41;
constexpr double kStopEdge = 0.5;
constexpr double kStopAttenuationDb = 80.0;

double BesselI0(double x) {
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 50 && term > sum * 1e-12; ++k) {
        const double half = x / (2.0 * k);
        term *= half * half;
        sum += term;
    }
    return sum;
}

// The low-pass prototype at the upsampled rate, scaled so that every phase
// passes a constant signal at unit gain.
std::vector<double> LowPassPrototype(size_t length, double cutoff, uint32_t upFactor) {
    const double beta = 0.1102 * (kStopAttenuationDb - 8.7);
    const double centre = (static_cast<double>(length) - 1.0) / 2.0;
    std::vector<double> taps(length);
    for (size_t n = 0; n < length; ++n) {
        const double x = static_cast<double>(n) - centre;
        const double sinc = x == 0.0 ? 1.0 : std::sin(2.0 * std::numbers::pi * cutoff * x) / (2.0 * std::numbers::pi * cutoff * x);
        const double r = centre > 0.0 ? x / centre : 0.0;
        const double window = BesselI0(beta * std::sqrt(std::max(0.0, 1.0 - r * r))) / BesselI0(beta);
        taps[n] = sinc * window;
    }
    const double sum = std::accumulate(taps.begin(), taps.end(), 0.0);
    for (double& tap : taps) {
        tap *= upFactor / sum;
    }
    return taps;
}

}  // namespace

int16_t FloatToSample16(float sample) {
    const float scaled = std::nearbyint(sample * 32768.0f);
    return static_cast<int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

std::unique_ptr<PolyphaseResampler> PolyphaseResampler::Create(uint32_t inputRate, uint32_t outputRate) {
    if (inputRate == 0 || outputRate == 0) {
        return nullptr;
    }
    const uint32_t common = std::gcd(inputRate, outputRate);
    const uint32_t up = outputRate / common;
    const uint32_t down = inputRate / common;
    if (up > kMaxPhases) {
        return nullptr;
    }
    if (up == 1 && down == 1) {
        return std::unique_ptr<PolyphaseResampler>(new PolyphaseResampler(1, 1, 1, {1.0f}));
    }
    // Everything in cycles per sample at the upsampled rate.
    const double upsampledRate = static_cast<double>(inputRate) * up;
    const double lowerRate = std::min(inputRate, outputRate);
    const double transition = (kStopEdge - kPassEdge) * lowerRate / upsampledRate;
    const double cutoff = (kPassEdge + kStopEdge) / 2.0 * lowerRate / upsampledRate;
    const double idealLength = (kStopAttenuationDb - 8.0) / (2.285 * 2.0 * std::numbers::pi * transition);
    const size_t taps = static_cast<size_t>(std::ceil(idealLength / up));
    const std::vector<double> prototype = LowPassPrototype(taps * up, cutoff, up);

    // Row p holds the taps p, p + up, p + 2 up, ... reversed, so that a row
    // lines up with the history from its oldest sample to its newest.
    std::vector<float> phases(static_cast<size_t>(up) * taps);
    for (uint32_t p = 0; p < up; ++p) {
        for (size_t k = 0; k < taps; ++k) {
            phases[p * taps + (taps - 1 - k)] = static_cast<float>(prototype[p + k * up]);
        }
    }
    return std::unique_ptr<PolyphaseResampler>(new PolyphaseResampler(up, down, taps, std::move(phases)));
}

PolyphaseResampler::PolyphaseResampler(uint32_t upFactor, uint32_t downFactor, size_t taps, std::vector<float> phases)
    : upFactor_(upFactor), downFactor_(downFactor), taps_(taps), phases_(std::move(phases)), history_(2 * taps, 0.0f) {}

void PolyphaseResampler::Reset() {
    std::fill(history_.begin(), history_.end(), 0.0f);
    write_ = 0;
    phase_ = 0;
    inputsToSkip_ = 0;
}

size_t PolyphaseResampler::Process(const float* input, size_t count, int16_t* output) {
    size_t written = 0;
    for (size_t i = 0; i < count; ++i) {
        history_[write_] = input[i];
        history_[write_ + taps_] = input[i];
        const size_t newest = write_ + taps_;
        write_ = write_ + 1 == taps_ ? 0 : write_ + 1;
        while (inputsToSkip_ == 0) {
            output[written++] = FilteredSample(phase_, newest);
            phase_ += downFactor_;
            inputsToSkip_ = phase_ / upFactor_;
            phase_ %= upFactor_;
        }
        --inputsToSkip_;
    }
    return written;
}

int16_t PolyphaseResampler::FilteredSample(uint32_t phase, size_t newest) const {
    const float* coefficients = phases_.data() + static_cast<size_t>(phase) * taps_;
    const float* samples = history_.data() + newest + 1 - taps_;
    float sum = 0.0f;
    for (size_t k = 0; k < taps_; ++k) {
        sum += coefficients[k] * samples[k];
    }
    return FloatToSample16(sum);
}

}  // namespace voxnote
