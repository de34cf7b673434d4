// compare_onsets A.wav B.wav [A.log B.log]: checks that two recordings of the
// same music (16-bit stereo, 44100 Hz, as the file output records) have their
// onsets at the same times, measured from each recording's first onset, to
// within 1 ms. The onsets are found in A; each one's time in B is where B's
// sound around it matches A's best (cross-correlation over +-5 ms), so a sound
// heard in both is timed exactly whatever its loudness.
//
// With the step timing logs of both runs (STEPWEAVE_TIMING_LOG), the two runs
// must have played the same sounds in the same order, step for step. A step
// polled so late that it was played at the poll's time moves what follows it:
// each onset is then expected where its own step played in each run. Only the
// onsets of steps whose sounds were started on time in both runs (at most
// kOnTimeMilliseconds after their stamp) are held to 1 ms and to the same
// sound; the others are printed, marked.
//
// Prints every onset with its offset; exits 0 when all held onsets are within
// 1 ms, 1 when not, 2 on an error.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "stepweave/sound/wav/wave_data.h"

namespace {

constexpr int kRate = 44100;
constexpr int kFrameSamples = kRate / 1000;  // 1 ms
constexpr double kTolerance = 1.0;            // ms
constexpr int kSearch = 5 * kFrameSamples;     // +-5 ms
constexpr int kWindowBefore = 2 * kFrameSamples;
constexpr int kWindowAfter = 25 * kFrameSamples;
// A step's sounds started this long after their stamp still land on their sample.
constexpr int kOnTimeMilliseconds = 5;
// How far an onset may stand from its step's time (beyond the step's lateness).
constexpr double kStepMatchMilliseconds = 3.0;

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

// One line of a step timing log.
struct LoggedStep {
    double played = 0;  // ms, the time its sounds are stamped with
    int late = 0;       // ms after that stamp the sounds were started
    std::string sounds;
};

std::vector<LoggedStep> ReadTimingLog(const char* path) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error(std::string("cannot read ") + path);
    }
    std::vector<LoggedStep> steps;
    std::string line;
    while (std::getline(file, line)) {
        unsigned number = 0, due = 0, fired = 0, played = 0;
        int late = 0;
        int consumed = 0;
        if (std::sscanf(line.c_str(), "step %u due %u fired %u played %u late %d:%n", &number, &due, &fired,
                        &played, &late, &consumed) == 5) {
            std::string sounds = line.substr(static_cast<size_t>(consumed));
            sounds.erase(0, sounds.find_first_not_of(' '));
            steps.push_back({static_cast<double>(played), late, sounds});
        }
    }
    return steps;
}

// The first step whose sounds differ between the two logs, or -1 when both
// played the same sounds in the same order.
long FirstDifferentStep(const std::vector<LoggedStep>& a, const std::vector<LoggedStep>& b) {
    for (size_t k = 0; k < std::max(a.size(), b.size()); ++k) {
        if (k >= a.size() || k >= b.size() || a[k].sounds != b[k].sounds) {
            return static_cast<long>(k);
        }
    }
    return -1;
}

// The step of the log that each onset of a recording belongs to: the last
// step that sounded at or before it. The recording's time and the clock's
// differ by a constant, found from the first onset: of the first steps that
// sound, it belongs to the one that puts the most onsets near a step's time.
std::vector<long> StepsOfOnsets(const std::vector<double>& onsets, const std::vector<LoggedStep>& steps) {
    std::vector<size_t> sounding;
    for (size_t k = 0; k < steps.size(); ++k) {
        if (!steps[k].sounds.empty()) {
            sounding.push_back(k);
        }
    }
    const auto nearAStep = [&](double time) {
        return std::any_of(sounding.begin(), sounding.end(), [&](size_t k) {
            const double distance = time - steps[k].played;
            return distance >= -kStepMatchMilliseconds && distance <= steps[k].late + kStepMatchMilliseconds;
        });
    };
    double shift = 0;
    long bestCount = -1;
    for (size_t first = 0; first < std::min<size_t>(sounding.size(), 8) && !onsets.empty(); ++first) {
        const double candidate = onsets[0] - steps[sounding[first]].played;
        const long count = std::count_if(onsets.begin(), onsets.end(),
                                         [&](double onset) { return nearAStep(onset - candidate); });
        if (count > bestCount) {
            bestCount = count;
            shift = candidate;
        }
    }
    std::vector<long> stepOf;
    for (double onset : onsets) {
        long step = -1;
        for (size_t k : sounding) {
            if (steps[k].played <= onset - shift + kStepMatchMilliseconds) {
                step = static_cast<long>(k);
            }
        }
        stepOf.push_back(step);
    }
    return stepOf;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: compare_onsets A.wav B.wav [A.log B.log]\n");
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
        // Without logs every onset is held, each at its own time in both.
        std::vector<long> stepsA(onsetsA.size(), -1);
        std::vector<long> stepsB(onsetsB.size(), -1);
        std::vector<LoggedStep> logA, logB;
        const bool logged = argc == 5;
        if (logged) {
            logA = ReadTimingLog(argv[3]);
            logB = ReadTimingLog(argv[4]);
            const long different = FirstDifferentStep(logA, logB);
            if (different >= 0) {
                const auto sounds = [&](const std::vector<LoggedStep>& log) {
                    return static_cast<size_t>(different) < log.size() ? "\"" + log[different].sounds + "\""
                                                                      : std::string("nothing (the log ends)");
                };
                std::printf("step %ld: %s played %s, %s played %s (not the same sounds)\n", different + 1,
                            argv[3], sounds(logA).c_str(), argv[4], sounds(logB).c_str());
                return 1;
            }
            std::printf("%zu steps, the same sounds in both logs\n", logA.size());
            stepsA = StepsOfOnsets(onsetsA, logA);
            stepsB = StepsOfOnsets(onsetsB, logB);
        }
        const auto onTime = [&](long step) {
            return !logged || (step >= 0 && logA[step].late <= kOnTimeMilliseconds &&
                               logB[step].late <= kOnTimeMilliseconds);
        };
        // How much later B played a step than A did, beyond what the recordings' starts differ by.
        const auto shiftOf = [&](long step) {
            return logged && step >= 0 ? std::lround((logB[step].played - logA[step].played) * kRate / 1000) : 0L;
        };

        const std::vector<double> a = Mono(waveA);
        const std::vector<double> b = Mono(waveB);
        // Both recordings start when their program started: the first onsets
        // whose steps were on time in both pair them up.
        size_t first = 0;
        while (first < onsetsA.size() && !onTime(stepsA[first])) {
            ++first;
        }
        if (first == onsetsA.size()) {
            std::printf("no onset of a step on time in both runs\n");
            return 1;
        }
        size_t firstB = 0;
        while (firstB < onsetsB.size() && logged && stepsB[firstB] != stepsA[first]) {
            ++firstB;
        }
        if (firstB == onsetsB.size()) {
            std::printf("the step of the first onset in %s has no onset in %s\n", argv[1], argv[2]);
            return 1;
        }
        const auto firstA = static_cast<long>(std::lround(onsetsA[first] * kRate / 1000));
        const auto firstAtB = static_cast<long>(std::lround(onsetsB[firstB] * kRate / 1000));
        const Match start = BestLag(a, firstA, b, firstAtB);
        const long offset = firstAtB + start.lag - firstA - shiftOf(stepsA[first]);
        double worst = 0;
        bool all = true;
        size_t heldCount = 0;
        std::printf("%zu onsets in %s; %s starts %.3f ms later\n", onsetsA.size(), argv[1], argv[2],
                    static_cast<double>(firstAtB + start.lag - firstA) * 1000.0 / kRate);
        for (size_t i = 0; i < onsetsA.size(); ++i) {
            const double onset = onsetsA[i];
            const auto at = static_cast<long>(std::lround(onset * kRate / 1000));
            const Match match = BestLag(a, at, b, at + offset + shiftOf(stepsA[i]));
            const double difference = match.lag * 1000.0 / kRate;
            const bool held = onTime(stepsA[i]);
            const bool heard = match.score > 0.9;
            if (held) {
                ++heldCount;
                all = all && heard;
                worst = std::max(worst, std::abs(difference));
            }
            std::printf("%10.3f ms  %+7.3f ms  match %.3f%s\n", onset - onsetsA[first], difference, match.score,
                        !held ? "  (a late step: not held)" : heard ? "" : "  (not the same sound)");
        }
        std::printf("largest difference %.3f ms over the %zu onsets held\n", worst, heldCount);
        return all && worst <= kTolerance ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
}
