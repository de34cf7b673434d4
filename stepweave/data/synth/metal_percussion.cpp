// Metal: hi-hats and cymbals are clusters of square waves at inharmonic
// frequencies whose upper partials, band- and high-passed, give the dense
// clangorous spectrum of a struck plate; the cowbell is two squares in a
// narrower band; the tambourine is many small jingles, each a few high
// partials, shaken together.
#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

#include "stepweave/data/synth/biquad_filter.h"
#include "stepweave/data/synth/noise_burst.h"
#include "stepweave/data/synth/noise_source.h"
#include "stepweave/data/synth/oscillators.h"
#include "stepweave/data/synth/percussion_families.h"

namespace stepweave {

namespace {

const std::vector<double> kHatFrequencies = {296.1, 413.7, 457.3, 587.9, 649.2, 898.6};
const std::vector<double> kCymbalFrequencies = {351.7, 482.3, 531.9, 709.4, 803.1, 1061.2};

// The sum of equal square waves at the given frequencies, started at seeded phases.
std::vector<double> SquareCluster(const std::vector<double>& frequencies, size_t count, uint64_t seed) {
    NoiseSource phases(seed);
    std::vector<BandLimitedSquare> squares;
    for (double frequency : frequencies) {
        squares.emplace_back(frequency, phases.Uniform());
    }
    std::vector<double> cluster(count, 0.0);
    for (double& sample : cluster) {
        for (auto& square : squares) {
            sample += square.Next();
        }
        sample /= static_cast<double>(squares.size());
    }
    return cluster;
}

// Two decays added: a bright first strike and the longer ring after it.
double TwoStageDecay(double t, double strikeShare, double strikeSeconds, double ringSeconds) {
    return strikeShare * std::exp(-t / strikeSeconds) + (1.0 - strikeShare) * std::exp(-t / ringSeconds);
}

void ApplyFilters(std::vector<double>& samples, std::vector<BiquadFilter> filters) {
    for (auto& filter : filters) {
        filter.ProcessAll(samples);
    }
}

OversampledSound MakeHiHat(double seconds, double decaySeconds, uint64_t seed) {
    OversampledSound sound = SilentSound(seconds);
    std::vector<double> metal = SquareCluster(kHatFrequencies, sound.samples.size(), seed);
    for (size_t i = 0; i < metal.size(); ++i) {
        metal[i] *= std::exp(-SynthTime(static_cast<int>(i)) / decaySeconds);
    }
    ApplyFilters(metal, {BiquadFilter::BandPass(10000.0, 0.8, kSynthRate),
                         BiquadFilter::HighPass(7000.0, 0.7071, kSynthRate),
                         BiquadFilter::HighPass(7000.0, 0.7071, kSynthRate)});
    sound.samples = metal;
    AddNoiseBurst(sound, {.seed = seed + 1,
                          .amplitude = 0.15,
                          .attackSeconds = 0.0003,
                          .decaySeconds = decaySeconds * 0.8,
                          .lowCutHz = 8000.0,
                          .highCutHz = 18000.0});
    sound.attackSeconds = 0.0005;
    sound.releaseSeconds = seconds * 0.25;
    return sound;
}

// Two clusters multiplied: their sum and difference tones fill the spectrum
// far more densely than either alone, as a cymbal's thousands of modes do.
std::vector<double> RingModulatedCluster(size_t count, uint64_t seed) {
    std::vector<double> metal = SquareCluster(kCymbalFrequencies, count, seed);
    const std::vector<double> modulator = SquareCluster(kHatFrequencies, count, seed + 1);
    for (size_t i = 0; i < count; ++i) {
        metal[i] = 0.6 * metal[i] * modulator[i] + 0.4 * metal[i];
    }
    return metal;
}

}  // namespace

OversampledSound SynthesizeClosedHiHat() {
    return MakeHiHat(0.12, 0.022, 401);
}

OversampledSound SynthesizeOpenHiHat() {
    return MakeHiHat(0.38, 0.11, 501);
}

OversampledSound SynthesizeCrash() {
    OversampledSound sound = SilentSound(2.6);
    std::vector<double> metal = RingModulatedCluster(sound.samples.size(), 801);
    for (size_t i = 0; i < metal.size(); ++i) {
        metal[i] *= TwoStageDecay(SynthTime(static_cast<int>(i)), 0.5, 0.09, 0.75);
    }
    ApplyFilters(metal, {BiquadFilter::BandPass(7500.0, 0.6, kSynthRate),
                         BiquadFilter::HighPass(3500.0, 0.7071, kSynthRate)});
    sound.samples = metal;
    AddNoiseBurst(sound, {.seed = 803,
                          .amplitude = 0.25,
                          .attackSeconds = 0.0008,
                          .decaySeconds = 0.6,
                          .lowCutHz = 4500.0,
                          .highCutHz = 16000.0});
    sound.releaseSeconds = 0.5;
    return sound;
}

OversampledSound SynthesizeRide() {
    OversampledSound sound = SilentSound(2.2);
    std::vector<double> metal = RingModulatedCluster(sound.samples.size(), 901);
    for (size_t i = 0; i < metal.size(); ++i) {
        metal[i] *= TwoStageDecay(SynthTime(static_cast<int>(i)), 0.35, 0.05, 0.8);
    }
    ApplyFilters(metal, {BiquadFilter::BandPass(5500.0, 1.1, kSynthRate),
                         BiquadFilter::HighPass(2500.0, 0.7071, kSynthRate)});
    sound.samples = metal;
    for (auto [frequency, level, decay] : {std::tuple{2637.0, 0.02, 0.7}, {3791.0, 0.018, 0.55},
                                           {4943.0, 0.015, 0.45}, {6362.0, 0.012, 0.35}}) {
        AddPartial(sound, {.frequencyHz = frequency, .amplitude = level, .decaySeconds = decay});
    }
    // The stick's tick on the bow.
    AddNoiseBurst(sound, {.seed = 903,
                          .amplitude = 0.3,
                          .attackSeconds = 0.0002,
                          .decaySeconds = 0.004,
                          .lowCutHz = 3000.0,
                          .highCutHz = 12000.0});
    sound.releaseSeconds = 0.4;
    return sound;
}

OversampledSound SynthesizeCowbell() {
    OversampledSound sound = SilentSound(0.45);
    BandLimitedSquare low(540.0, 0.0);
    BandLimitedSquare high(800.0, 0.0);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = SynthTime(static_cast<int>(i));
        sound.samples[i] = 0.5 * (low.Next() + high.Next()) * TwoStageDecay(t, 0.6, 0.02, 0.13);
    }
    ApplyFilters(sound.samples, {BiquadFilter::BandPass(680.0, 1.0, kSynthRate),
                                 BiquadFilter::HighPass(300.0, 0.7071, kSynthRate)});
    sound.releaseSeconds = 0.12;
    return sound;
}

OversampledSound SynthesizeTambourine() {
    OversampledSound sound = SilentSound(0.35);
    NoiseSource scatter(1601);
    constexpr int kJingles = 12;
    for (int jingle = 0; jingle < kJingles; ++jingle) {
        // Most jingles sound with the hit; a few rattle a little later.
        const double start = jingle < 8 ? scatter.Between(0.0, 0.006) : scatter.Between(0.02, 0.06);
        const double level = scatter.Between(0.5, 1.0) * (jingle < 8 ? 1.0 : 0.5);
        const double decay = scatter.Between(0.04, 0.09);
        const double base = scatter.Between(4500.0, 7000.0);
        for (double ratio : {1.0, 1.47, 1.93, 2.41}) {
            if (base * ratio < 20000.0) {
                AddPartial(sound, {.frequencyHz = base * ratio * scatter.Between(0.98, 1.02),
                                   .amplitude = level / ratio,
                                   .decaySeconds = decay / ratio,
                                   .startSeconds = start});
            }
        }
    }
    AddNoiseBurst(sound, {.seed = 1602,
                          .amplitude = 0.8,
                          .attackSeconds = 0.0005,
                          .decaySeconds = 0.05,
                          .lowCutHz = 6000.0,
                          .highCutHz = 16000.0});
    ApplyFilters(sound.samples, {BiquadFilter::HighPass(3500.0, 0.7071, kSynthRate)});
    sound.releaseSeconds = 0.08;
    return sound;
}

}  // namespace stepweave
