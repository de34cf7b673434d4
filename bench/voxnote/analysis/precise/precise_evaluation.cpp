// Note transcription scores of both detectors on the generated development
// set: the note F-measure (onset within 50 ms, pitch within 50 cents) per
// category and over all pitched material, the onset F-measure of percussion
// in rhythm mode, and each detector's throughput in seconds of audio per CPU
// second. Every figure exists for the development half ("/dev") and the
// held-out half ("/heldout"); filter with --benchmark_filter=/dev while
// developing. PreciseTenMinutes times one ten-minute recording.
#include <benchmark/benchmark.h>

#include <ctime>
#include <string>
#include <vector>

#include "bench/voxnote/analysis/precise/classic_conversion.h"
#include "bench/voxnote/analysis/precise/evaluation_set.h"
#include "bench/voxnote/analysis/precise/note_scoring.h"
#include "voxnote/analysis/precise/precise_detector.h"

namespace voxnote::evaluation {
namespace {

constexpr int8_t kRhythmNote = 38;
constexpr const char* kAllPitched = "all_pitched";

enum class Detector { Precise, Classic };

const std::vector<EvaluationItem>& Set() {
    static const std::vector<EvaluationItem> set = MakeEvaluationSet();
    return set;
}

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

DetectorHeaderSettings SettingsFor(const EvaluationItem& item) {
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    if (item.rhythm) settings.constantNote = kRhythmNote;
    return settings;
}

std::vector<EstimatedNote> RunPrecise(const EvaluationItem& item, const DetectorHeaderSettings& settings) {
    PreciseDetector detector(item.samples.size());
    detector.Detect(item.samples, settings);
    std::vector<EstimatedNote> notes;
    for (const NoteEvent& event : detector.Events()) {
        if (event.Velocity() > 0) notes.push_back({event.timeMs / 1000.0, event.Note()});
    }
    return notes;
}

struct Result {
    Score score;
    double audioSeconds = 0;
    double cpuSeconds = 0;
};

bool Includes(const std::string& category, const EvaluationItem& item) {
    if (category == kAllPitched) return !item.rhythm;
    return item.category == category;
}

Result Evaluate(Detector detector, const std::string& category, bool heldOut) {
    Result result;
    ClassicConversion classic;
    for (const EvaluationItem& item : Set()) {
        if (item.heldOut != heldOut || !Includes(category, item)) continue;
        const DetectorHeaderSettings settings = SettingsFor(item);
        const std::vector<uint8_t> wavFile = detector == Detector::Classic ? WavFileOf(item.samples) : std::vector<uint8_t>{};
        const double started = CpuSeconds();
        const std::vector<EstimatedNote> notes =
            detector == Detector::Precise ? RunPrecise(item, settings) : classic.Convert(wavFile, settings);
        result.cpuSeconds += CpuSeconds() - started;
        result.audioSeconds += static_cast<double>(item.samples.size()) / kRate;
        result.score.Add(ScoreNotes(item.notes, notes, item.rhythm));
    }
    return result;
}

void EvaluateCategory(benchmark::State& state, Detector detector, const std::string& category, bool heldOut) {
    if (Set().empty()) {
        state.SkipWithError("no General MIDI soundfont could be played: the set cannot be made");
        return;
    }
    Result result;
    for (auto _ : state) result = Evaluate(detector, category, heldOut);
    state.counters["F1"] = result.score.F1();
    state.counters["precision"] = result.score.Precision();
    state.counters["recall"] = result.score.Recall();
    state.counters["notes"] = static_cast<double>(result.score.references);
    state.counters["audio_s_per_cpu_s"] = result.cpuSeconds > 0 ? result.audioSeconds / result.cpuSeconds : 0.0;
}

// Ten minutes of the development half's synthetic runs, back to back.
void PreciseTenMinutes(benchmark::State& state) {
    std::vector<int16_t> recording;
    const size_t tenMinutes = static_cast<size_t>(600 * kRate);
    while (recording.size() < tenMinutes) {
        for (const EvaluationItem& item : Set()) {
            if (item.heldOut || item.rhythm || recording.size() >= tenMinutes) continue;
            recording.insert(recording.end(), item.samples.begin(), item.samples.end());
        }
        if (Set().empty()) break;
    }
    recording.resize(tenMinutes);
    size_t events = 0;
    double cpu = 0;
    for (auto _ : state) {
        const double started = CpuSeconds();
        PreciseDetector detector(recording.size());
        detector.Detect(recording, kStartUpDetectorSettings);
        events = detector.Events().size();
        cpu = CpuSeconds() - started;
    }
    state.counters["events"] = static_cast<double>(events);
    state.counters["audio_s_per_cpu_s"] = cpu > 0 ? 600.0 / cpu : 0.0;
}

bool RegisterEvaluations() {
    std::vector<std::string> categories = PitchedCategories();
    categories.push_back(kAllPitched);
    categories.push_back("percussion");
    for (bool heldOut : {false, true}) {
        for (const std::string& category : categories) {
            for (Detector detector : {Detector::Precise, Detector::Classic}) {
                const std::string name = std::string(detector == Detector::Precise ? "Precise/" : "Classic/") +
                                         category + (heldOut ? "/heldout" : "/dev");
                benchmark::RegisterBenchmark(name.c_str(), EvaluateCategory, detector, category, heldOut)
                    ->Iterations(1)
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
    benchmark::RegisterBenchmark("PreciseTenMinutes", PreciseTenMinutes)->Iterations(3)->Unit(benchmark::kMillisecond);
    return true;
}

const bool kRegistered = RegisterEvaluations();

}  // namespace
}  // namespace voxnote::evaluation
