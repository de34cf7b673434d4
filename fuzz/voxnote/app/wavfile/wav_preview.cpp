// Fuzzes the reading of a WAV file for listening to it: the RIFF walk to an
// 8 or 16-bit PCM format and the "data" chunk, then every frame read out as
// stereo floats and converted to a common output rate. A reader never hands
// out more frames than it counted, and every sample lies within -1..1.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/app/wavfile/pcm_wav_reader.h"
#include "voxnote/analysis/resampling/soxr_resampler.h"

namespace {

// Resampling long sounds adds nothing but time: a few pieces show it works.
constexpr int kResampledPieces = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    voxnote::PcmWavProblem problem = voxnote::PcmWavProblem::None;
    auto reader = voxnote::PcmWavReader::Open(
        std::make_unique<voxnote::MemoryByteSource>(std::span<const uint8_t>(data, size)), problem);
    if (!reader) {
        if (problem == voxnote::PcmWavProblem::None) {
            std::abort();
        }
        return 0;
    }
    auto resampler = voxnote::SoxrResampler<float>::Create(reader->SampleRate(), 48000, 2, reader->LargestRead());
    if (!resampler) {
        std::abort();
    }
    std::vector<float> frames(2 * reader->LargestRead());
    std::vector<float> converted;
    uint64_t total = 0;
    int pieces = 0;
    while (size_t got = reader->Read(frames)) {
        total += got;
        for (size_t i = 0; i < 2 * got; ++i) {
            if (!(frames[i] >= -1.0f && frames[i] <= 1.0f)) {
                std::abort();
            }
        }
        if (pieces++ < kResampledPieces) {
            converted.clear();
            resampler->Process(std::span<const float>(frames.data(), 2 * got), converted);
        }
    }
    if (total > reader->FrameCount()) {
        std::abort();
    }
    resampler->Finish(converted);
    return 0;
}
