// Feeds arbitrary bytes to the mixing wave's loader, from memory and, for
// some inputs, from a file into a work file; then reads every sample the
// loader accepted, mixes the wave into a stereo output and saves that.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <random>
#include <system_error>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/mixdown/mix_arithmetic.h"
#include "stepweave/sound/mixdown/mix_source.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace {

using namespace stepweave;
using namespace stepweave::wavaudio;

// Mixes that would write more output frames than this are left out: a
// hostile rate can stretch a few bytes into hours of audio.
constexpr int64_t kLargestMix = 200000;

// A folder of this process's own for the files an input goes through,
// removed when the fuzzer exits.
class TScratchFolder {
public:
    TScratchFolder()
        : path_(std::filesystem::temp_directory_path() / ("fuzz_mixing_wave_" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(path_);
    }
    ~TScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path& ScratchFolder() {
    static const TScratchFolder folder;
    return folder.Path();
}

void ReadEverySample(TWave& wave) {
    const int channels = std::min<int>(wave.Format().Channels, 3);
    for (int64_t frame = -1; frame <= wave.Frames(); ++frame) {
        for (int channel = -1; channel <= channels; ++channel) {
            volatile int16_t sample = wave.GetSample(channel, frame);
            (void)sample;
        }
    }
}

void MixAndSave(TWave& wave) {
    const TMixSource source(wave);
    const double frequency = source.SampleRate();
    const auto plan = PlanHit(44100, source.Frames(), source.SampleRate(), frequency, 0.3, 0.9);
    if (!plan || plan->Length > kLargestMix) {
        return;
    }
    TWave output;
    output.MixIn(source, frequency, 0.001, 0.3, 0.9);
    output.MixIn(wave, frequency * 0.75, 0.0, -1.5, -0.125);
    output.SaveToFile((ScratchFolder() / "out.wav").string());
}

void LoadThroughWorkFile(const uint8_t* data, size_t size) {
    const auto input = ScratchFolder() / "in.wav";
    WriteFileSafely(input.string(), data, static_cast<int64_t>(size));
    TWave wave;
    wave.SetWorkFileName((ScratchFolder() / "work1.tmp").string());
    wave.SetFileBacked(true);
    wave.LoadFromFile(input.string());
    ReadEverySample(wave);
    wave.SetSample(1, wave.Frames() + 3, 1234);
    wave.SetFileBacked(false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        TMemoryStream stream(data, static_cast<int64_t>(size));
        TWave wave;
        wave.LoadFromStream(stream);
        ReadEverySample(wave);
        MixAndSave(wave);
        if (size > 0 && data[size - 1] % 4 == 0) {
            LoadThroughWorkFile(data, size);
        }
    } catch (const EStepweaveError&) {
        // The system's message for a damaged file: what the user would see.
    }
    return 0;
}
