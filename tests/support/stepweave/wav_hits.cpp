// wav_hits FILE.wav: the hits of a recording of the file output (16-bit
// stereo, 44100 Hz), one line each: the time in milliseconds of the first
// frame louder than 1% of full scale after at least 20 ms of quiet, and the
// loudest sample of either side in the 5 ms from there (as a fraction of
// full scale). Exits 2 when the file cannot be read.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>

#include "stepweave/sound/wav/wave_data.h"

int main(int argc, char** argv) {
    constexpr int kRate = 44100;
    constexpr double kLoud = 0.01;
    constexpr long kQuietFrames = kRate / 50;
    constexpr long kPeakFrames = kRate / 200;
    if (argc != 2) {
        std::fprintf(stderr, "usage: wav_hits FILE.wav\n");
        return 2;
    }
    stepweave::WaveData wave;
    try {
        wave.LoadFromFile(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 2;
    }
    const auto* samples = reinterpret_cast<const int16_t*>(wave.Data());
    const long frames = wave.Size() / 4;
    const auto level = [&](long frame) {
        return std::max(std::abs(samples[2 * frame] / 32768.0), std::abs(samples[2 * frame + 1] / 32768.0));
    };
    long quiet = kQuietFrames;
    for (long frame = 0; frame < frames; ++frame) {
        if (level(frame) < kLoud) {
            ++quiet;
            continue;
        }
        if (quiet >= kQuietFrames) {
            double peak = 0.0;
            for (long at = frame; at < frames && at < frame + kPeakFrames; ++at) {
                peak = std::max(peak, level(at));
            }
            std::printf("%.2f %.4f\n", frame * 1000.0 / kRate, peak);
        }
        quiet = 0;
    }
    return 0;
}
