#pragma once
// Signals and a small driver for the analysis tests: runs a whole signal
// through a detector in blocks of a chosen size and collects frames and events.
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "voxnote/analysis/detector/detector.h"

namespace voxnote::testing {

constexpr double kSampleRate = 11025.0;
constexpr double kPi = 3.14159265358979323846;

inline void AppendSilence(std::vector<int16_t>& signal, int samples) {
    signal.insert(signal.end(), static_cast<size_t>(samples), 0);
}

inline void AppendSine(std::vector<int16_t>& signal, double hertz, double amplitude, int samples) {
    for (int n = 0; n < samples; ++n) {
        signal.push_back(static_cast<int16_t>(std::lround(amplitude * std::sin(2 * kPi * hertz * n / kSampleRate))));
    }
}

inline void AppendNoise(std::vector<int16_t>& signal, double amplitude, int samples, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(-amplitude, amplitude);
    for (int n = 0; n < samples; ++n) signal.push_back(static_cast<int16_t>(std::lround(uniform(random))));
}

// Pitch step of a frequency: 459.5 + 120 * log2(f / 440).
inline double StepOf(double hertz) { return 459.5 + 120.0 * std::log2(hertz / 440.0); }
inline double HertzOf(double step) { return 440.0 * std::pow(2.0, (step - 459.5) / 120.0); }

struct ObservedFrame {
    uint32_t index;
    PitchFrame frame;
};

struct AnalysisRun {
    std::vector<NoteEvent> events;
    std::vector<ObservedFrame> frames;
    std::vector<uint8_t> okAfterBlock;
    uint8_t flushOk = 1;
};

inline void RecordFrame(void* context, uint32_t index, const PitchFrame& frame) {
    static_cast<AnalysisRun*>(context)->frames.push_back({index, frame});
}

inline void DrainInto(DetectorState& state, std::vector<NoteEvent>& events) {
    NoteEvent event;
    while (DrainEvents(state, event)) events.push_back(event);
}

// Analyses the signal in blocks of blockSamples with the given settings,
// flushes, and returns everything the detector produced.
inline AnalysisRun Analyse(const std::vector<int16_t>& signal, int blockSamples,
                           const DetectorHeaderSettings& settings = kStartUpDetectorSettings,
                           DetectorState* reuse = nullptr) {
    std::unique_ptr<DetectorState> owned;
    DetectorState* state = reuse;
    if (state == nullptr) {
        owned = std::make_unique<DetectorState>();
        state = owned.get();
    }
    AnalysisRun run;
    RefreshDetectorSettings(*state, settings);
    ResetDetector(*state, 0);
    SetFrameObserver(*state, RecordFrame, &run);
    for (size_t at = 0; at < signal.size(); at += static_cast<size_t>(blockSamples)) {
        size_t count = std::min(signal.size() - at, static_cast<size_t>(blockSamples));
        std::copy(signal.begin() + static_cast<long>(at), signal.begin() + static_cast<long>(at + count),
                  InputArea(*state));
        run.okAfterBlock.push_back(AnalyseBlock(*state, static_cast<uint32_t>(count * 2)));
        DrainInto(*state, run.events);
    }
    run.flushOk = FlushDetector(*state);
    DrainInto(*state, run.events);
    SetFrameObserver(*state, nullptr, nullptr);
    return run;
}

}  // namespace voxnote::testing
