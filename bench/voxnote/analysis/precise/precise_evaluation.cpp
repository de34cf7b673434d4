// Note transcription scores of both detectors on the generated evaluation
// set, side by side: per category, per source (synthetic, voice, instrument)
// and over all pitched material, the note F-measure (onset within 50 ms,
// pitch within 50 cents), the F-measure of notes whose offset is right as
// well, the octave errors, and where the material re-sings (or replays) a
// pitch without a silence, how many of those notes each detector found; for
// percussion, the onset F-measure in rhythm mode. Each detector's throughput
// is given in seconds of audio per CPU second. Every figure exists for the
// development half ("/dev") and the held-out half ("/heldout"); filter with
// --benchmark_filter=/dev while developing. PreciseTenMinutes times one
// ten-minute recording.
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
    std::vector<TimedNoteEvent> events;
    for (const NoteEvent& event : detector.Events()) events.push_back({event.timeMs, event.Note(), event.Velocity()});
    return EstimatedNotesOf(events);
}

struct DetectorResult {
    Score score;
    double cpuSeconds = 0;
};

struct ItemResult {
    DetectorResult precise;
    DetectorResult classic;
};

// Each item is converted once by each detector; the rows sum what they include.
const std::vector<ItemResult>& Results() {
    static const std::vector<ItemResult> results = [] {
        std::vector<ItemResult> all;
        ClassicConversion classic;
        for (const EvaluationItem& item : Set()) {
            const DetectorHeaderSettings settings = SettingsFor(item);
            ItemResult result;
            double started = CpuSeconds();
            const std::vector<EstimatedNote> precise = RunPrecise(item, settings);
            result.precise.cpuSeconds = CpuSeconds() - started;
            result.precise.score = ScoreNotes(item.notes, precise, item.rhythm);
            const std::vector<uint8_t> wavFile = WavFileOf(item.samples);
            started = CpuSeconds();
            const std::vector<EstimatedNote> exact = classic.Convert(wavFile, settings);
            result.classic.cpuSeconds = CpuSeconds() - started;
            result.classic.score = ScoreNotes(item.notes, exact, item.rhythm);
            all.push_back(result);
        }
        return all;
    }();
    return results;
}

bool Includes(const std::string& row, const EvaluationItem& item) {
    if (row == kAllPitched) return !item.rhythm;
    return item.category == row || (!item.rhythm && SourceName(item.source) == row);
}

void Report(benchmark::State& state, const char* detector, const DetectorResult& result, double audioSeconds,
            bool rhythm) {
    const std::string name(detector);
    state.counters["F1_" + name] = result.score.F1();
    state.counters["audio_s_per_cpu_s_" + name] = result.cpuSeconds > 0 ? audioSeconds / result.cpuSeconds : 0.0;
    if (rhythm) return;
    state.counters["offset_F1_" + name] = result.score.OffsetF1();
    state.counters["octave_errors_" + name] = static_cast<double>(result.score.octaveErrors);
    if (result.score.resung > 0) state.counters["resung_found_" + name] = static_cast<double>(result.score.resungFound);
}

void EvaluateRow(benchmark::State& state, const std::string& row, bool heldOut) {
    if (Set().empty()) {
        state.SkipWithError("no General MIDI soundfont could be played: the set cannot be made");
        return;
    }
    DetectorResult precise, classic;
    double audioSeconds = 0;
    bool rhythm = false;
    for (auto _ : state) {
        precise = classic = {};
        audioSeconds = 0;
        for (size_t i = 0; i < Set().size(); ++i) {
            const EvaluationItem& item = Set()[i];
            if (item.heldOut != heldOut || !Includes(row, item)) continue;
            const ItemResult& result = Results()[i];
            precise.score.Add(result.precise.score);
            precise.cpuSeconds += result.precise.cpuSeconds;
            classic.score.Add(result.classic.score);
            classic.cpuSeconds += result.classic.cpuSeconds;
            audioSeconds += static_cast<double>(item.samples.size()) / kRate;
            rhythm = item.rhythm;
        }
    }
    state.counters["notes"] = static_cast<double>(precise.score.references);
    if (precise.score.resung > 0) state.counters["resung_notes"] = static_cast<double>(precise.score.resung);
    Report(state, "precise", precise, audioSeconds, rhythm);
    Report(state, "classic", classic, audioSeconds, rhythm);
}

// Ten minutes of the development half's pitched items, back to back.
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
    std::vector<std::string> rows = PitchedCategories();
    for (SoundSource source : {SoundSource::Synthetic, SoundSource::Voice, SoundSource::Instrument}) {
        rows.push_back(SourceName(source));
    }
    rows.push_back(kAllPitched);
    rows.push_back("percussion");
    for (bool heldOut : {false, true}) {
        for (const std::string& row : rows) {
            const std::string name = row + (heldOut ? "/heldout" : "/dev");
            benchmark::RegisterBenchmark(name.c_str(), EvaluateRow, row, heldOut)
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RegisterBenchmark("PreciseTenMinutes", PreciseTenMinutes)->Iterations(3)->Unit(benchmark::kMillisecond);
    return true;
}

const bool kRegistered = RegisterEvaluations();

}  // namespace
}  // namespace voxnote::evaluation
