// The WAV reader of the file: capture input, on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "voxnote/analysis/input/capture_wav_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto sound = voxnote::ParseCaptureWav(std::span(data, size));
    if (sound && sound->channels != 0 && sound->samples.size() % sound->channels != 0) {
        __builtin_trap();  // only whole frames are handed out
    }
    return 0;
}
