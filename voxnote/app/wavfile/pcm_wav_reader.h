#pragma once
// Reading the sound of a WAV file for listening to it: PCM of 8 bit
// (unsigned) or 16 bit, any channel count and any common rate. Frames come
// out as stereo floats from -1 to 1: a mono file on both sides, the first
// two channels of a file with more. A "data" chunk that claims more than the
// file holds plays what is there.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "voxnote/analysis/wavfile/byte_source.h"

namespace voxnote {

enum class PcmWavProblem {
    None,
    NotWav,       // no RIFF/WAVE with a whole "fmt " chunk
    NotPlayable,  // not 8 or 16-bit PCM, or a channel count or rate out of reach
    NoData,       // no "data" chunk
};

class PcmWavReader {
public:
    // Nothing, and the problem, when the file cannot be played.
    static std::unique_ptr<PcmWavReader> Open(std::unique_ptr<ByteSource> source, PcmWavProblem& problem);

    uint32_t SampleRate() const { return sampleRate_; }
    uint64_t FrameCount() const { return frameCount_; }
    // Reads the next frames into `stereo` (two floats a frame), at most
    // LargestRead() at a time; returns the frames read, 0 at the end.
    size_t Read(std::span<float> stereo);
    size_t LargestRead() const { return framesPerRead_; }

private:
    PcmWavReader(std::unique_ptr<ByteSource> source, uint32_t sampleRate, uint16_t channels, uint16_t bytesPerSample,
                 uint64_t dataOffset, uint64_t frameCount);

    std::unique_ptr<ByteSource> source_;
    uint32_t sampleRate_;
    uint16_t channels_;
    uint16_t bytesPerSample_;
    size_t frameBytes_;
    uint64_t dataOffset_;
    uint64_t frameCount_;
    uint64_t nextFrame_ = 0;
    size_t framesPerRead_;
    std::vector<uint8_t> bytes_;
};

}  // namespace voxnote
