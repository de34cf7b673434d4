// compare_onsets A.wav B.wav: checks that two recordings of the same music
// (16-bit stereo, 44100 Hz, as the file output records) have their onsets at
// the same times, measured from each recording's first onset, to within 1 ms.
// The onsets are found in A; each one's time in B is where B's sound around it
// matches A's best (cross-correlation over +-5 ms), so a sound heard in both
// is timed exactly whatever its loudness. Prints every onset with its offset;
// exits 0 when all are within 1 ms, 1 when not, 2 on an error.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "stepweave/sound/wav/wave_data.h"

namespace {

constexpr int kRate = 44100;
constexpr int kFrameSamples = kRate / 1000;  // 1 ms
constexpr double kTolerance = 1.0;            // ms
constexpr int kSearch = 5 * kFrameSamples;     // +-5 ms
constexpr int kWindowBefore = 2 * kFrameSamples;
constexpr int kWindowAfter = 25 * kFrameSamples;

// Left and right summed, one value per frame.
std::vector<double> Mono(const stepweave::WaveData& wave) {
    const auto* samples = reinterpret_cast<const int16_t*>(wave.Data());
    std::vector<double> mono(static_cast<size_t>(wave.Size()) / 4);
    for (size_t i = 0; i < mono.size(); ++i) {
        mono[i] = (samples[2 * i] + samples[2 * i + 1]) / 65536.0;
    }
    return mono;
}

struct Match {
    long lag = 0;        // frames: B's sound stands this much later than A's
    double score = -1;   // normalised correlation
};

// Where B's sound around B's frame `centre` matches A's around frame `at` best.
Match BestLag(const std::vector<double>& a, long at, const std::vector<double>& b, long centre) {
    Match best;
    for (long lag = -kSearch; lag <= kSearch; ++lag) {
        double ab = 0, aa = 0, bb = 0;
        for (long i = -kWindowBefore; i < kWindowAfter; ++i) {
            const long ia = at + i;
            const long ib = centre + lag + i;
            if (ia < 0 || ib < 0 || ia >= static_cast<long>(a.size()) || ib >= static_cast<long>(b.size())) {
                continue;
            }
            ab += a[static_cast<size_t>(ia)] * b[static_cast<size_t>(ib)];
            aa += a[static_cast<size_t>(ia)] * a[static_cast<size_t>(ia)];
            bb += b[static_cast<size_t>(ib)] * b[static_cast<size_t>(ib)];
        }
        const double score = aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : -1;
        if (score > best.score) {
            best = {lag, score};
        }
    }
    return best;
}

// The loudest sample of each millisecond, both channels together.
std::vector<double> MillisecondPeaks(const stepweave::WaveData& wave) {
    const auto* samples = reinterpret_cast<const int16_t*>(wave.Data());
    const size_t count = static_cast<size_t>(wave.Size()) / sizeof(int16_t);
    std::vector<double> peaks(count / 2 / kFrameSamples, 0.0);
    for (size_t i = 0; i < peaks.size() * kFrameSamples * 2; ++i) {
        double& peak = peaks[i / 2 / kFrameSamples];
        peak = std::max(peak, std::abs(static_cast<double>(samples[i])) / 32768.0);
    }
    return peaks;
}

// An onset: a millisecond three times as loud as the loudest of the 15 before
// it, and loud enough to hear. The exact sample is where the rise starts.
std::vector<double> Onsets(const stepweave::WaveData& wave) {
    const std::vector<double> peaks = MillisecondPeaks(wave);
    const auto* samples = reinterpret_cast<const int16_t*>(wave.Data());
    std::vector<double> onsets;
    for (size_t ms = 15; ms < peaks.size(); ++ms) {
        const double before = *std::max_element(peaks.begin() + static_cast<long>(ms - 15), peaks.begin() + static_cast<long>(ms));
        if (peaks[ms] > 0.02 && peaks[ms] > 3 * before && (onsets.empty() || ms - onsets.back() > 40)) {
            size_t first = ms * kFrameSamples;
            const double threshold = std::max(before, 0.002) * 32768.0;
            while (first < (ms + 1) * kFrameSamples &&
                   std::abs(samples[2 * first]) <= threshold && std::abs(samples[2 * first + 1]) <= threshold) {
                ++first;
            }
            onsets.push_back(static_cast<double>(first) * 1000.0 / kRate);
        }
    }
    return onsets;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: compare_onsets A.wav B.wav\n");
        return 2;
    }
    try {
        stepweave::WaveData waveA;
        stepweave::WaveData waveB;
        waveA.LoadFromFile(argv[1]);
        waveB.LoadFromFile(argv[2]);
        const std::vector<double> onsetsA = Onsets(waveA);
        const std::vector<double> onsetsB = Onsets(waveB);
        if (onsetsA.empty() || onsetsB.empty()) {
            std::printf("no onsets found\n");
            return 1;
        }
        const std::vector<double> a = Mono(waveA);
        const std::vector<double> b = Mono(waveB);
        // Both recordings start when their program started: the first onsets pair them up.
        const auto firstA = static_cast<long>(std::lround(onsetsA[0] * kRate / 1000));
        const Match start = BestLag(a, firstA, b, static_cast<long>(std::lround(onsetsB[0] * kRate / 1000)));
        const long offset = static_cast<long>(std::lround(onsetsB[0] * kRate / 1000)) + start.lag - firstA;
        double worst = 0;
        bool all = true;
        std::printf("%zu onsets in %s; %s starts %.3f ms later\n", onsetsA.size(), argv[1], argv[2],
                    offset * 1000.0 / kRate);
        for (double onset : onsetsA) {
            const auto at = static_cast<long>(std::lround(onset * kRate / 1000));
            const Match match = BestLag(a, at, b, at + offset);
            const double difference = match.lag * 1000.0 / kRate;
            const bool heard = match.score > 0.9;
            all = all && heard;
            worst = std::max(worst, std::abs(difference));
            std::printf("%10.3f ms  %+7.3f ms  match %.3f%s\n", onset - onsetsA[0], difference, match.score,
                        heard ? "" : "  (not the same sound)");
        }
        std::printf("largest difference %.3f ms\n", worst);
        return all && worst <= kTolerance ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
}
