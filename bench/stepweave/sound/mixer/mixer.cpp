// The mixer's cost: one 256-frame callback with many voices sounding, as a
// share of the callback's real-time budget, and the main thread's cost of
// one drum hit (duplicate, pan, volume, play).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "stepweave/sound/output/audio_output.h"
#include "tests/support/stepweave/manual_millisecond_clock.h"
#include "stepweave/sound/voices/sound_device.h"
#include "stepweave/sound/voices/voice.h"
#include "tests/support/stepweave/manual_audio_backend.h"
#include "stepweave/sound/mixer/mixer.h"

using namespace stepweave;

namespace {

constexpr int kBlockFrames = 256;
constexpr double kBlockSeconds = kBlockFrames / 44100.0;

// A second of noise-like bytes, so no voice runs out during the benchmark.
SharedSoundMemory TestSound(const PcmLayout& layout, uint32_t frames) {
    auto memory = std::make_shared<SoundMemory>(frames * static_cast<uint32_t>(layout.BlockAlign()), 0);
    uint32_t state = 12345;
    for (uint32_t i = 0; i < memory->Size(); ++i) {
        state = state * 1664525u + 1013904223u;
        memory->Bytes()[i] = static_cast<uint8_t>(state >> 24);
    }
    memory->Publish();
    return memory;
}

void BM_MixerCallback(benchmark::State& state) {
    const int voiceCount = static_cast<int>(state.range(0));
    ManualMillisecondClock clock;
    Mixer mixer(clock, 20);
    // A mix of what a kit and the user samples bring: rates and formats vary.
    const PcmLayout layouts[] = {{2, 16}, {1, 16}, {1, 8}, {2, 8}};
    const uint32_t rates[] = {44100, 22050, 11025, 48000};
    for (int i = 0; i < voiceCount; ++i) {
        const PcmLayout& layout = layouts[i % 4];
        const uint32_t rate = rates[(i / 4) % 4];
        MixerVoice* voice = mixer.CreateVoice(TestSound(layout, rate), layout, rate);
        voice->SetGains(0.3f, 0.2f);
        voice->Play(true);
    }
    std::vector<float> out(kBlockFrames * 2);
    // Let every play reach the audio side before measuring.
    for (int i = 0; i < 20; ++i) {
        clock.Advance(6);
        mixer.Process(out.data(), kBlockFrames);
    }
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        mixer.Process(out.data(), kBlockFrames);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    // Time per callback over the callback's own length (5.8 ms), in percent.
    state.counters["budget_percent"] =
        elapsed.count() / static_cast<double>(state.iterations()) / kBlockSeconds * 100.0;
}
BENCHMARK(BM_MixerCallback)->Arg(0)->Arg(16)->Arg(64)->Arg(256);

void BM_PlayOneHit(benchmark::State& state) {
    ManualAudioClock clock(kBlockFrames);
    {
        SoundDevice sound;
        sound.Open(AudioOutput::Open(std::make_unique<ManualAudioBackend>(clock, 20)));
        Voice master(sound);
        std::vector<int16_t> hit(22050);
        for (size_t i = 0; i < hit.size(); ++i) {
            hit[i] = static_cast<int16_t>(8000 * std::sin(i * 0.05) * std::exp(-static_cast<double>(i) / 4000));
        }
        master.LoadFromMemory(PcmFormat(44100, 16, 1), reinterpret_cast<const uint8_t*>(hit.data()),
                              static_cast<uint32_t>(hit.size() * 2));
        std::vector<std::unique_ptr<Voice>> playing;
        playing.reserve(256);
        for (auto _ : state) {
            auto duplicate = std::make_unique<Voice>(sound);
            duplicate->Duplicate(master);
            duplicate->SetPan(-1200);
            duplicate->SetVolume(-1500);
            duplicate->Play(false);
            playing.push_back(std::move(duplicate));
            if (playing.size() == 256) {
                // What the sweep and the audio thread do, outside the measurement.
                state.PauseTiming();
                if (playing.front()->Memory() != master.Memory()) {
                    state.SkipWithError("a duplicate copied the samples");
                }
                playing.clear();
                clock.Advance(30);
                state.ResumeTiming();
            }
        }
    }
}
BENCHMARK(BM_PlayOneHit);

}  // namespace
