// Feeds arbitrary bytes to the mixing wave's loader from a file into a work
// file, reads every sample the loader accepted, writes one past the end, and
// saves the wave to a file. (Loading in memory and mixing is mixing_wave,
// many times faster without the file system.)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <random>
#include <system_error>

#include "stepweave/sound/files/errors.h"
#include "fuzz/stepweave/sound/mixdown/read_every_sample.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace {

using namespace stepweave;
using namespace stepweave::wavaudio;
using stepweave::fuzzing::ReadEverySample;

// Every sample of a file-backed wave is read through a window of its work
// file: larger files add reads, not paths.
constexpr size_t kLargestFile = 4096;

// A folder of this process's own for the files an input goes through, in
// memory where the machine has a memory file system, removed when the fuzzer
// exits.
std::filesystem::path ScratchRoot() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                            : std::filesystem::temp_directory_path();
}

class TScratchFolder {
public:
    TScratchFolder()
        : path_(ScratchRoot() / ("fuzz_mixing_wave_" + std::to_string(std::random_device{}()))) {
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

void LoadThroughWorkFile(const uint8_t* data, size_t size) {
    // The input is only the loader's source: written plainly, not as the
    // program writes its files.
    const auto input = ScratchFolder() / "in.wav";
    if (FILE* file = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    MixingWave wave;
    wave.SetWorkFileName((ScratchFolder() / "work1.tmp").string());
    wave.SetFileBacked(true);
    wave.LoadFromFile(input.string());
    ReadEverySample(wave);
    wave.SetSample(1, wave.Frames() + 3, 1234);
    wave.SetFileBacked(false);
    wave.SaveToFile((ScratchFolder() / "out.wav").string());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size = std::min(size, kLargestFile);
    try {
        LoadThroughWorkFile(data, size);
    } catch (const StepweaveError&) {
        // The system's message for a damaged file: what the user would see.
    }
    return 0;
}
