// Fuzzes the reading of a WAV file for listening to it: the RIFF walk to an
// 8 or 16-bit PCM format and the "data" chunk, then every frame read out as
// stereo floats. A reader never hands out more frames than it counted, and
// every sample lies within -1..1. (Converting them to the output rate is
// explored by soxr_resampling: making a converter for every input would
// outweigh the reading many times.)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/app/wavfile/pcm_wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Kept from input to input: only the frames a read hands out are looked at.
    static std::vector<float> frames;
    voxnote::PcmWavProblem problem = voxnote::PcmWavProblem::None;
    auto reader = voxnote::PcmWavReader::Open(
        std::make_unique<voxnote::MemoryByteSource>(std::span<const uint8_t>(data, size)), problem);
    if (!reader) {
        if (problem == voxnote::PcmWavProblem::None) {
            std::abort();
        }
        return 0;
    }
    if (frames.size() < 2 * reader->LargestRead()) {
        frames.resize(2 * reader->LargestRead());
    }
    const std::span<float> piece(frames.data(), 2 * reader->LargestRead());
    uint64_t total = 0;
    while (size_t got = reader->Read(piece)) {
        total += got;
        for (size_t i = 0; i < 2 * got; ++i) {
            if (!(frames[i] >= -1.0f && frames[i] <= 1.0f)) {
                std::abort();
            }
        }
    }
    if (total > reader->FrameCount()) {
        std::abort();
    }
    return 0;
}
