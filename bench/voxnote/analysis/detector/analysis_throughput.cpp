// Analysis throughput: seconds of audio analysed per second of one core, on a
// ten-minute synthetic melody with vibrato and noise, in 4096-sample blocks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/voxnote/analysis/detector/synthetic_melody.h"
#include "voxnote/analysis/detector/detector.h"

namespace {

constexpr double kSeconds = 600.0;

const std::vector<int16_t>& Melody() {
    static const std::vector<int16_t> signal = voxnote::testing::SyntheticMelody(kSeconds);
    return signal;
}

void BM_AnalyseTenMinutes(benchmark::State& benchmarkState) {
    const std::vector<int16_t>& signal = Melody();
    auto state = std::make_unique<voxnote::DetectorState>();
    size_t notes = 0;
    for (auto _ : benchmarkState) {
        voxnote::RefreshDetectorSettings(*state, voxnote::kStartUpDetectorSettings);
        voxnote::ResetDetector(*state, 0);
        voxnote::NoteEvent event;
        notes = 0;
        for (size_t at = 0; at < signal.size(); at += voxnote::kBlockSamples) {
            size_t count = std::min(signal.size() - at, static_cast<size_t>(voxnote::kBlockSamples));
            std::copy_n(signal.begin() + static_cast<long>(at), count, voxnote::InputArea(*state));
            voxnote::AnalyseBlock(*state, static_cast<uint32_t>(count * 2));
            while (voxnote::DrainEvents(*state, event)) notes += event.Velocity() > 0;
        }
        voxnote::FlushDetector(*state);
        while (voxnote::DrainEvents(*state, event)) notes += event.Velocity() > 0;
        benchmark::DoNotOptimize(notes);
    }
    benchmarkState.counters["notes"] = static_cast<double>(notes);
    // Audio seconds per second of the analysing thread's CPU time: "x real time".
    benchmarkState.counters["realtime_factor"] = benchmark::Counter(
        kSeconds * static_cast<double>(benchmarkState.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnalyseTenMinutes)->Unit(benchmark::kMillisecond);

}  // namespace
