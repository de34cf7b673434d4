// How closely real-time playback keeps time, and what it costs.
//
// Plays the demo song through the play command in real time into a
// recording (STEPWEAVE_AUDIO=file:...), measuring the process's CPU time
// while it plays. Then finds in the recording where every step that plays
// kit sounds begins: the kit sounds are mixed unresampled, so the step's
// known attacks (each kit wave's first milliseconds at its level and pan) are
// matched against the recording around the step's due time, to the sample.
// The steps' offsets from their due times, less the constant output latency
// (their median), are the timing errors.
//
// Counters: steps matched, mean and worst timing error in milliseconds,
// steps off by more than one millisecond, CPU use in percent of one core.
//
// To analyse a recording made by the program itself instead:
//   PLAY_TIMING_RECORDING=out.wav PLAY_TIMING_DIR=<workspace> bench_play_timing
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "stepweave/data/demo_song.h"
#include "stepweave/sequencer/model/cell_resolution.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/files/panning_file.h"
#include "stepweave/sequencer/cli/play_command.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/model/tempo.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sequencer/session/workspace.h"
#include "stepweave/sound/backend/audio_backend_choice.h"
#include "stepweave/sound/mixer/decibel_gain.h"
#include "stepweave/sound/files/little_endian.h"
#include "stepweave/sound/wav/wave_data.h"
#include "stepweave/sound/kit/wave_collection.h"

namespace fs = std::filesystem;
using namespace stepweave;

namespace {

constexpr double kFramesPerMillisecond = 44.1;
constexpr int kTemplateFrames = 353;      // 8 ms of each step's attacks
constexpr int kSearchFrames = 441;        // +-10 ms around the due frame
constexpr double kFirstStepMilliseconds = 1000.0;  // the song clock's first interval

struct Stereo {
    std::vector<float> left;
    std::vector<float> right;
};

struct KitHit {
    int instrument;
    int volume;
};

struct DueStep {
    double milliseconds;  // after the first step
    std::vector<KitHit> hits;
};

// Walks the compiled song as the song player does: a tempo marker sets the
// interval to the next firing, each firing plays six cell lines.
std::vector<DueStep> DueSteps(const std::vector<std::string>& lines) {
    std::vector<DueStep> steps;
    double now = 0.0;
    int interval = 0;
    size_t position = 0;
    while (position < lines.size() && lines[position] != kSongEndMarker) {
        if (lines[position] == kTempoMarker) {
            interval = StepIntervalMilliseconds(std::stoi(lines[position + 1]));
            position += 2;
        }
        DueStep step{now, {}};
        for (int channel = 0; channel < 6 && position < lines.size(); ++channel, ++position) {
            const ResolvedCell cell = ResolveCell(lines[position]);
            if (cell.sound == CellSound::KitInstrument) {
                step.hits.push_back({cell.instrument, cell.Volume()});
            }
        }
        steps.push_back(step);
        now += interval;
    }
    return steps;
}

// The first difference: transients stand out, the low tails of earlier
// sounds (kick bodies, the bass) fade into the background.
void Differentiate(std::vector<float>& samples) {
    for (size_t i = samples.size(); i-- > 1;) {
        samples[i] -= samples[i - 1];
    }
}

Stereo ReadRecording(const std::string& path) {
    WaveData wave;
    wave.LoadFromFile(path);
    Stereo out;
    const int32_t frames = wave.Size() / 4;
    for (int32_t frame = 0; frame < frames; ++frame) {
        out.left.push_back(static_cast<int16_t>(ReadLittleEndian16(wave.Data() + 4 * frame)) / 32768.0f);
        out.right.push_back(static_cast<int16_t>(ReadLittleEndian16(wave.Data() + 4 * frame + 2)) / 32768.0f);
    }
    Differentiate(out.left);
    Differentiate(out.right);
    return out;
}

// The first frames of each kit instrument (16-bit mono waves), and its pan.
struct KitAttacks {
    std::vector<std::vector<float>> attacks;  // by instrument 1..16
    KitPanTable pans{};
};

KitAttacks ReadKit(const fs::path& folder) {
    WaveCollection kit;
    kit.LoadFromFile((folder / "standard.dxg").string());
    KitAttacks result;
    result.attacks.resize(17);
    if (fs::exists(folder / "Panning.dat")) {
        result.pans = ReadPanningFile((folder / "Panning.dat").string());
    }
    for (int instrument = 1; instrument <= 16; ++instrument) {
        const int index = kit.IndexOf(InstrumentList::Label(instrument));
        if (index < 0) {
            continue;
        }
        const WaveData& wave = kit.Items(index).Wave();
        auto& attack = result.attacks[static_cast<size_t>(instrument)];
        for (int32_t frame = 0; frame < kTemplateFrames && 2 * frame + 1 < wave.Size(); ++frame) {
            attack.push_back(static_cast<int16_t>(ReadLittleEndian16(wave.Data() + 2 * frame)) / 32768.0f);
        }
        Differentiate(attack);
    }
    return result;
}

Stereo StepTemplate(const DueStep& step, const KitAttacks& kit) {
    Stereo sum{std::vector<float>(kTemplateFrames, 0.0f), std::vector<float>(kTemplateFrames, 0.0f)};
    for (const KitHit& hit : step.hits) {
        const StereoGains gains = GainsForVolumeAndPan(hit.volume, kit.pans[static_cast<size_t>(hit.instrument)]);
        const auto& attack = kit.attacks[static_cast<size_t>(hit.instrument)];
        for (size_t i = 0; i < attack.size(); ++i) {
            sum.left[i] += gains.left * attack[i];
            sum.right[i] += gains.right * attack[i];
        }
    }
    return sum;
}

struct Match {
    int64_t frame = -1;
    double score = 0.0;  // normalised correlation at the best frame
};

Match BestMatch(const Stereo& recording, const Stereo& pattern, int64_t from, int64_t to) {
    Match best;
    double bestDot = -1e300;
    const auto frames = static_cast<int64_t>(recording.left.size());
    double patternEnergy = 0.0;
    for (int i = 0; i < kTemplateFrames; ++i) {
        patternEnergy += pattern.left[i] * pattern.left[i] + pattern.right[i] * pattern.right[i];
    }
    for (int64_t start = std::max<int64_t>(from, 0); start <= to && start + kTemplateFrames < frames; ++start) {
        double dot = 0.0;
        double energy = 0.0;
        for (int i = 0; i < kTemplateFrames; ++i) {
            const float l = recording.left[static_cast<size_t>(start + i)];
            const float r = recording.right[static_cast<size_t>(start + i)];
            dot += l * pattern.left[i] + r * pattern.right[i];
            energy += l * l + r * r;
        }
        if (dot > bestDot) {
            bestDot = dot;
            best.frame = start;
            best.score = energy > 0 && patternEnergy > 0 ? dot / std::sqrt(energy * patternEnergy) : 0.0;
        }
    }
    return best;
}

int64_t FirstSoundingFrame(const Stereo& recording) {
    for (size_t frame = 0; frame < recording.left.size(); ++frame) {
        if (std::fabs(recording.left[frame]) > 1e-4f || std::fabs(recording.right[frame]) > 1e-4f) {
            return static_cast<int64_t>(frame);
        }
    }
    return -1;
}

struct TimingReport {
    int matched = 0;
    int weak = 0;            // matches with a correlation below 0.5
    double meanError = 0.0;  // ms
    double worstError = 0.0;
    int beyondOneMillisecond = 0;
    double latencyFromFirst = 0.0;
};

TimingReport MeasureTiming(const fs::path& folder, const std::string& recordingPath) {
    UserSampleTable samples;
    SequencerDocument document(folder.string(), samples);
    OpenSong(document, (folder / kDemoSongFileName).string());
    const std::vector<DueStep> steps = DueSteps(CompileSong(folder.string(), document.playList.Names()).lines);
    const KitAttacks kit = ReadKit(folder);
    const Stereo recording = ReadRecording(recordingPath);

    // The first step with kit sounds starts out of silence.
    size_t first = 0;
    while (first < steps.size() && steps[first].hits.empty()) {
        ++first;
    }
    const int64_t sounding = FirstSoundingFrame(recording);
    const Match anchor = BestMatch(recording, StepTemplate(steps[first], kit), sounding - kSearchFrames,
                                   sounding + kSearchFrames);
    const double anchorFrame = static_cast<double>(anchor.frame) - steps[first].milliseconds * kFramesPerMillisecond;

    std::vector<double> offsets;  // ms, found minus due
    TimingReport report;
    for (const DueStep& step : steps) {
        if (step.hits.empty()) {
            continue;
        }
        const auto due = static_cast<int64_t>(std::lround(anchorFrame + step.milliseconds * kFramesPerMillisecond));
        const Match match = BestMatch(recording, StepTemplate(step, kit), due - kSearchFrames, due + kSearchFrames);
        if (match.frame < 0) {
            continue;
        }
        report.weak += match.score < 0.5 ? 1 : 0;
        offsets.push_back((static_cast<double>(match.frame - due)) / kFramesPerMillisecond);
        if (std::getenv("PLAY_TIMING_VERBOSE") != nullptr) {
            std::cerr << "step at " << step.milliseconds << " ms: " << offsets.back() << " ms, match " << match.score
                      << '\n';
        }
    }
    std::vector<double> sorted = offsets;
    std::sort(sorted.begin(), sorted.end());
    const double latency = sorted[sorted.size() / 2];
    for (double offset : offsets) {
        const double error = std::fabs(offset - latency);
        report.meanError += error;
        report.worstError = std::max(report.worstError, error);
        report.beyondOneMillisecond += error > 1.0 ? 1 : 0;
    }
    report.matched = static_cast<int>(offsets.size());
    report.meanError /= std::max(report.matched, 1);
    report.latencyFromFirst = latency;
    return report;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_PlayDemoSongInRealTime(benchmark::State& state) {
    const char* givenRecording = std::getenv("PLAY_TIMING_RECORDING");
    const char* givenFolder = std::getenv("PLAY_TIMING_DIR");
    const fs::path folder = givenFolder != nullptr ? fs::path(givenFolder)
                                                   : fs::temp_directory_path() / "stepweave_play_timing";
    if (givenFolder == nullptr) {
        fs::remove_all(folder);
        SeedWorkspace(folder.string());
    }
    const std::string recording =
        givenRecording != nullptr ? std::string(givenRecording) : (folder / "recording.wav").string();

    for (auto _ : state) {
        if (givenRecording == nullptr) {
            PlayArguments arguments;
            arguments.songPath = (folder / kDemoSongFileName).string();
            arguments.folder = folder.string();
            std::ostringstream out;
            const double cpuBefore = CpuSeconds();
            const auto wallBefore = std::chrono::steady_clock::now();
            if (PlayCommand(arguments, AudioBackendNamed("file:" + recording), out, std::cerr) != 0) {
                state.SkipWithError("the play command failed");
                return;
            }
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
            state.counters["cpu_percent"] = 100.0 * (CpuSeconds() - cpuBefore) / wall;
            state.counters["seconds_played"] = wall;
        }
        const TimingReport report = MeasureTiming(folder, recording);
        state.counters["steps_matched"] = report.matched;
        state.counters["weak_matches"] = report.weak;
        state.counters["mean_error_ms"] = report.meanError;
        state.counters["worst_error_ms"] = report.worstError;
        state.counters["steps_beyond_1ms"] = report.beyondOneMillisecond;
    }
}

BENCHMARK(BM_PlayDemoSongInRealTime)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
