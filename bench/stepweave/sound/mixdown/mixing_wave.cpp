// How fast the mixing wave renders a dense drum song: six hits on every
// 0.12 s step for two or ten minutes, 14 instruments (some pitched, one at half
// rate), mixed one instrument pass at a time into a file-backed 44.1 kHz
// stereo output and saved, as the song renderer does. The counter
// "realtime_x" is seconds of output per second of rendering.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "stepweave/sound/mixdown/mix_source.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace {

using namespace stepweave::wavaudio;

constexpr double kStepSeconds = 0.12;
constexpr int kInstruments = 14;

struct THit {
    int Instrument;
    double Time;
    double Volume;
};

struct TSong {
    double Seconds = 0;
    std::vector<std::unique_ptr<MixingWave>> Sounds;
    std::vector<std::unique_ptr<MixSource>> Sources;
    std::vector<double> Frequencies;
    std::vector<double> Pans;
    std::vector<THit> Hits;  // in time order
};

// A decaying noisy tone: long enough and loud enough to overlap and clip.
std::unique_ptr<MixingWave> DrumLikeSound(int instrument, std::mt19937& random) {
    auto wave = std::make_unique<MixingWave>();
    stepweave::WaveFormat format = kMixingWaveFormat;
    format.channels = instrument % 3 == 0 ? 2 : 1;
    format.samplesPerSec = instrument == 5 ? 22050 : 44100;
    format.blockAlign = static_cast<uint16_t>(2 * format.channels);
    format.avgBytesPerSec = format.SignedSamplesPerSec() * format.blockAlign;
    wave->SetFormat(format);
    const double seconds = 0.1 + 0.15 * (instrument % 6);
    const auto frames = static_cast<int64_t>(seconds * format.SignedSamplesPerSec());
    const double pitch = 60.0 + 70.0 * instrument;
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    for (int64_t frame = 0; frame < frames; ++frame) {
        const double t = static_cast<double>(frame) / format.SignedSamplesPerSec();
        const double envelope = std::exp(-t * 9.0);
        const double tone = std::sin(2.0 * M_PI * pitch * t) * 0.7 + noise(random) * 0.3;
        for (int channel = 0; channel < format.channels; ++channel) {
            wave->SetSample(channel, frame, static_cast<int16_t>(30000.0 * envelope * tone));
        }
    }
    return wave;
}

TSong MakeDenseSong(double seconds) {
    TSong song;
    song.Seconds = seconds;
    std::mt19937 random(42);
    for (int i = 0; i < kInstruments; ++i) {
        song.Sounds.push_back(DrumLikeSound(i, random));
        song.Sources.push_back(std::make_unique<MixSource>(*song.Sounds.back()));
        const double rate = song.Sounds.back()->Format().SignedSamplesPerSec();
        song.Frequencies.push_back(i >= 12 ? rate * (i == 12 ? 0.75 : 1.26) : rate);
        song.Pans.push_back((i % 5 - 2) * 0.4);
    }
    const auto steps = static_cast<int>(seconds / kStepSeconds);
    for (int step = 0; step < steps; ++step) {
        for (int channel = 0; channel < 6; ++channel) {
            const int instrument = static_cast<int>((step * 7 + channel * 3 + step / 16) % kInstruments);
            const int level = 1 + static_cast<int>(random() % 3) * 3;
            song.Hits.push_back({instrument, step * kStepSeconds, (4000.0 - 500.0 * level) / 4000.0});
        }
    }
    return song;
}

const TSong& DenseSong(int seconds = 120) {
    static std::map<int, TSong> songs;
    auto found = songs.find(seconds);
    if (found == songs.end()) {
        found = songs.emplace(seconds, MakeDenseSong(seconds)).first;
    }
    return found->second;
}

std::filesystem::path BenchFolder() {
    auto folder = std::filesystem::temp_directory_path() / "bench_mixing_wave";
    std::filesystem::create_directories(folder);
    return folder;
}

// The renderer's order: one pass over the song per instrument.
void RenderByPasses(const TSong& song, MixingWave& output) {
    for (int instrument = 0; instrument < kInstruments; ++instrument) {
        for (const THit& hit : song.Hits) {
            if (hit.Instrument == instrument) {
                output.MixIn(*song.Sources[instrument], song.Frequencies[instrument], hit.Time,
                             song.Pans[instrument], hit.Volume);
            }
        }
    }
}

// The same mix-ins, every pass over one window of output before the next:
// the work file is read and written once instead of once per instrument.
void RenderByStretches(const TSong& song, MixingWave& output) {
    const int64_t stretch = MixingWave::kWindowFrames;
    const auto songFrames = static_cast<int64_t>((song.Seconds + 2.0) * 44100);
    for (int64_t first = 0; first < songFrames; first += stretch) {
        const double from = static_cast<double>(first) / 44100 - 2.0;  // hits reach back at most 2 s
        const double to = static_cast<double>(first + stretch) / 44100;
        for (int instrument = 0; instrument < kInstruments; ++instrument) {
            for (const THit& hit : song.Hits) {
                if (hit.Instrument == instrument && hit.Time >= from && hit.Time < to) {
                    output.MixIn(*song.Sources[instrument], song.Frequencies[instrument], hit.Time,
                                 song.Pans[instrument], hit.Volume, FrameRange{first, first + stretch});
                }
            }
        }
    }
}

template <void (*Render)(const TSong&, MixingWave&)>
void BM_RenderDenseSong(benchmark::State& state) {
    const TSong& song = DenseSong(static_cast<int>(state.range(0)));
    const auto folder = BenchFolder();
    for (auto _ : state) {
        MixingWave output;
        output.SetWorkFileName((folder / "work1.tmp").string());
        output.SetFileBacked(true);
        Render(song, output);
        output.SaveToFile((folder / "song.wav").string());
        benchmark::DoNotOptimize(output.Frames());
    }
    state.counters["realtime_x"] = benchmark::Counter(song.Seconds * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
    state.counters["hits"] = static_cast<double>(song.Hits.size());
}
BENCHMARK_TEMPLATE(BM_RenderDenseSong, RenderByPasses)->Arg(120)->Arg(600)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_RenderDenseSong, RenderByStretches)->Arg(120)->Arg(600)->Unit(benchmark::kMillisecond)->UseRealTime();

// The per-sample arithmetic alone (no reuse of whole hits): output frames of
// a resampled, panned hit computed per second.
void BM_ComputeContributions(benchmark::State& state) {
    const TSong& song = DenseSong();
    const MixSource& source = *song.Sources[12];
    const auto plan = PlanHit(44100, source.Frames(), source.SampleRate(), song.Frequencies[12], 0.3, 0.875);
    std::vector<int32_t> out(static_cast<size_t>(2 * plan->Length));
    for (auto _ : state) {
        source.ComputeContributions(*plan, 0, plan->Length, out.data());
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(plan->Length * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComputeContributions);

// Adding a kept hit into memory-resident output: the inner loop of a render.
void BM_AddCachedHit(benchmark::State& state) {
    const TSong& song = DenseSong();
    const MixSource& source = *song.Sources[3];
    MixingWave output;
    int64_t frames = 0;
    for (auto _ : state) {
        output.MixIn(source, 44100, 0.0, -0.4, 0.875);
        frames += source.Frames();
    }
    state.counters["frames_per_s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AddCachedHit);

}  // namespace
