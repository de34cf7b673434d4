// The default kit's instruments measured as a musician's ear would: loud but
// not clipping, centred on zero, starting and ending without a click, of a
// sensible length, decaying, and with the spectrum of their instrument.
#include "stepweave/data/synth/drum_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <map>
#include <string>
#include <vector>

using namespace stepweave;

namespace {

using Samples = std::vector<int16_t>;
constexpr double kFullScale = 32768.0;
constexpr double kPi = 3.14159265358979323846;

const Samples& SoundOf(DrumInstrument instrument) {
    static std::map<DrumInstrument, Samples> cache;
    auto found = cache.find(instrument);
    if (found == cache.end()) {
        found = cache.emplace(instrument, SynthesizeDrum(instrument)).first;
    }
    return found->second;
}

std::string NameOf(DrumInstrument instrument) {
    return std::string(DrumInstrumentName(instrument));
}

double Seconds(const Samples& samples) {
    return static_cast<double>(samples.size()) / kDrumSampleRate;
}

double PeakDbfs(const Samples& samples) {
    int peak = 0;
    for (int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return 20.0 * std::log10(peak / kFullScale);
}

double Mean(const Samples& samples) {
    double sum = 0.0;
    for (int16_t sample : samples) {
        sum += sample;
    }
    return sum / static_cast<double>(samples.size());
}

double Energy(const Samples& samples, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return sum;
}

// The power spectrum of the whole sound (zero-padded to a power of two).
class Spectrum {
public:
    explicit Spectrum(const Samples& samples) {
        size_t size = 1;
        while (size < samples.size()) {
            size <<= 1;
        }
        std::vector<std::complex<double>> bins(size);
        for (size_t i = 0; i < samples.size(); ++i) {
            bins[i] = samples[i];
        }
        Transform(bins);
        binHz_ = static_cast<double>(kDrumSampleRate) / static_cast<double>(size);
        power_.resize(size / 2);
        for (size_t k = 0; k < power_.size(); ++k) {
            power_[k] = std::norm(bins[k]);
        }
    }

    // Share of the energy between the two frequencies.
    double Share(double lowHz, double highHz) const {
        double inBand = 0.0;
        double total = 0.0;
        for (size_t k = 0; k < power_.size(); ++k) {
            const double hz = k * binHz_;
            total += power_[k];
            if (hz >= lowHz && hz < highHz) {
                inBand += power_[k];
            }
        }
        return inBand / total;
    }

    // The frequency of the strongest bin between the two frequencies.
    double StrongestHz(double lowHz = 0.0, double highHz = 22050.0) const {
        size_t best = 0;
        for (size_t k = 0; k < power_.size(); ++k) {
            const double hz = k * binHz_;
            if (hz >= lowHz && hz < highHz && power_[k] > power_[best]) {
                best = k;
            }
        }
        return best * binHz_;
    }

private:
    static void Transform(std::vector<std::complex<double>>& a) {
        const size_t n = a.size();
        for (size_t i = 1, j = 0; i < n; ++i) {
            size_t bit = n >> 1;
            for (; j & bit; bit >>= 1) {
                j ^= bit;
            }
            j ^= bit;
            if (i < j) {
                std::swap(a[i], a[j]);
            }
        }
        for (size_t length = 2; length <= n; length <<= 1) {
            const std::complex<double> step = std::polar(1.0, -2.0 * kPi / static_cast<double>(length));
            for (size_t start = 0; start < n; start += length) {
                std::complex<double> w = 1.0;
                for (size_t j = 0; j < length / 2; ++j) {
                    const auto u = a[start + j];
                    const auto v = a[start + j + length / 2] * w;
                    a[start + j] = u + v;
                    a[start + j + length / 2] = u - v;
                    w *= step;
                }
            }
        }
    }

    double binHz_ = 1.0;
    std::vector<double> power_;
};

struct LengthRange {
    double shortest;
    double longest;
};

LengthRange ExpectedLength(DrumInstrument instrument) {
    switch (instrument) {
        case DrumInstrument::ClosedHiHat:
        case DrumInstrument::OpenHiHat: return {0.05, 0.4};
        case DrumInstrument::Crash:
        case DrumInstrument::Ride: return {1.5, 3.0};
        default: return {0.2, 1.0};
    }
}

}  // namespace

TEST(DrumSynth, EverySoundIsLoudCentredAndOfItsLength) {
    for (DrumInstrument instrument : kAllDrumInstruments) {
        SCOPED_TRACE(NameOf(instrument));
        const Samples& sound = SoundOf(instrument);
        ASSERT_FALSE(sound.empty());
        const double peak = PeakDbfs(sound);
        EXPECT_GE(peak, -3.0);
        EXPECT_LE(peak, -0.5);
        EXPECT_LT(std::abs(Mean(sound)), 2.0) << "DC offset in 16-bit steps";
        const LengthRange range = ExpectedLength(instrument);
        EXPECT_GE(Seconds(sound), range.shortest);
        EXPECT_LE(Seconds(sound), range.longest);
    }
}

TEST(DrumSynth, EverySoundStartsAndEndsWithoutAClick) {
    const size_t twoMs = kDrumSampleRate / 500;
    for (DrumInstrument instrument : kAllDrumInstruments) {
        SCOPED_TRACE(NameOf(instrument));
        const Samples& sound = SoundOf(instrument);
        ASSERT_GT(sound.size(), 2 * twoMs);
        EXPECT_EQ(sound.front(), 0);
        EXPECT_EQ(sound.back(), 0);
        // The first step away from silence is small; the last 2 ms are a quiet fade.
        EXPECT_LT(std::abs(sound[1]), 500);
        for (size_t i = sound.size() - twoMs; i < sound.size(); ++i) {
            ASSERT_LT(std::abs(sound[i]), 100) << "at sample " << i;
        }
    }
}

TEST(DrumSynth, EverySoundDiesAwayAfterItsStrike) {
    for (DrumInstrument instrument : kAllDrumInstruments) {
        SCOPED_TRACE(NameOf(instrument));
        const Samples& sound = SoundOf(instrument);
        const size_t tenth = sound.size() / 10;
        const double head = Energy(sound, 0, 2 * tenth);
        const double tail = Energy(sound, sound.size() - 2 * tenth, sound.size());
        // At least 20 dB quieter over the last fifth than over the first.
        EXPECT_LT(tail, head / 100.0);
    }
}

TEST(DrumSynth, SameSoundsEveryTimeAndEachItsOwn) {
    for (DrumInstrument instrument : kAllDrumInstruments) {
        SCOPED_TRACE(NameOf(instrument));
        EXPECT_EQ(SynthesizeDrum(instrument), SoundOf(instrument));
    }
    EXPECT_NE(SoundOf(DrumInstrument::ClosedHiHat), SoundOf(DrumInstrument::OpenHiHat));
    EXPECT_NE(SoundOf(DrumInstrument::HighTom), SoundOf(DrumInstrument::LowTom));
}

TEST(DrumSynth, KicksAndTomsAreLowAndPitchedInOrder) {
    EXPECT_GT(Spectrum(SoundOf(DrumInstrument::Kick)).Share(0, 150), 0.8);
    EXPECT_GT(Spectrum(SoundOf(DrumInstrument::ShortKick)).Share(0, 200), 0.7);

    const double kick = Spectrum(SoundOf(DrumInstrument::Kick)).StrongestHz();
    const double lowTom = Spectrum(SoundOf(DrumInstrument::LowTom)).StrongestHz();
    const double highTom = Spectrum(SoundOf(DrumInstrument::HighTom)).StrongestHz();
    const double conga = Spectrum(SoundOf(DrumInstrument::Conga)).StrongestHz();
    EXPECT_GT(kick, 35.0);
    EXPECT_LT(kick, 70.0);
    EXPECT_GT(lowTom, 80.0);
    EXPECT_LT(lowTom, 130.0);
    EXPECT_GT(highTom, 140.0);
    EXPECT_LT(highTom, 250.0);
    EXPECT_GT(conga, 250.0);
    EXPECT_LT(conga, 400.0);
}

TEST(DrumSynth, SnareHasBothShellAndWires) {
    const Spectrum snare(SoundOf(DrumInstrument::Snare));
    EXPECT_GT(snare.Share(120, 500), 0.3) << "the shell";
    EXPECT_GT(snare.Share(2000, 22050), 0.2) << "the wires";
}

TEST(DrumSynth, MetalAndShakenSoundsAreBright) {
    EXPECT_GT(Spectrum(SoundOf(DrumInstrument::ClosedHiHat)).Share(5000, 22050), 0.9);
    EXPECT_GT(Spectrum(SoundOf(DrumInstrument::OpenHiHat)).Share(5000, 22050), 0.9);
    EXPECT_GT(Spectrum(SoundOf(DrumInstrument::Shaker)).Share(5000, 22050), 0.9);
    EXPECT_GT(Spectrum(SoundOf(DrumInstrument::Tambourine)).Share(4000, 22050), 0.9);
    EXPECT_GT(Spectrum(SoundOf(DrumInstrument::Crash)).Share(2000, 22050), 0.9);
    EXPECT_GT(Spectrum(SoundOf(DrumInstrument::Ride)).Share(2000, 22050), 0.9);
    // Nothing folded down below the band: no aliasing under the hats.
    EXPECT_LT(Spectrum(SoundOf(DrumInstrument::ClosedHiHat)).Share(0, 2000), 0.005);
}

TEST(DrumSynth, CowbellRingsAtItsTwoPartials) {
    const Spectrum cowbell(SoundOf(DrumInstrument::Cowbell));
    EXPECT_NEAR(cowbell.StrongestHz(400, 650), 540.0, 10.0);
    EXPECT_NEAR(cowbell.StrongestHz(650, 1000), 800.0, 10.0);
    EXPECT_GT(cowbell.Share(450, 900), 0.8);
}

TEST(DrumSynth, WoodClapAndRimSitInTheMiddle) {
    const Spectrum block(SoundOf(DrumInstrument::WoodBlock));
    EXPECT_GT(block.StrongestHz(), 700.0);
    EXPECT_LT(block.StrongestHz(), 1200.0);
    EXPECT_GT(Spectrum(SoundOf(DrumInstrument::Rimshot)).Share(400, 2500), 0.5);
    EXPECT_GT(Spectrum(SoundOf(DrumInstrument::Clap)).Share(500, 5000), 0.8);
}

TEST(DrumSynth, ClapIsSeveralQuickBursts) {
    // Within the first 40 ms the clap's loudness rises again after falling
    // at least twice: the hands meeting one after another.
    const Samples& clap = SoundOf(DrumInstrument::Clap);
    const size_t window = kDrumSampleRate / 1000;
    std::vector<double> levels;
    for (size_t start = 0; start + window <= static_cast<size_t>(kDrumSampleRate) * 40 / 1000; start += window) {
        levels.push_back(std::sqrt(Energy(clap, start, start + window) / window));
    }
    int renewals = 0;
    double lowest = levels.front();
    for (double level : levels) {
        if (level > 2.0 * lowest) {
            ++renewals;
            lowest = level;
        }
        lowest = std::min(lowest, level);
    }
    EXPECT_GE(renewals, 3);
}
