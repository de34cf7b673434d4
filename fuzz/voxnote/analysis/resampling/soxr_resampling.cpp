// Converts a few pieces of arbitrary sound, at any input rate a WAV file may
// be played at (1000..768000 Hz, or 0), with one or two channels, to the
// output rates the programs use, as the WAV preview and the conversion do. A
// converter is made or refused; whatever it hands out is whole frames, and
// from 16-bit input no more than the rates allow (plus the filter's rounding).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

#include "fuzz/voxnote/analysis/fuzz_input.h"
#include "voxnote/analysis/resampling/soxr_resampler.h"

namespace {

using voxnote::fuzzing::FuzzInput;

constexpr size_t kLargestPiece = 128;  // frames
constexpr int kLargestPieces = 4;
constexpr uint32_t kOutputRates[] = {11025, 22050, 44100, 48000};
constexpr uint32_t kLowestRate = 1000;
constexpr uint32_t kHighestRate = 768000;

void Require(bool condition) {
    if (!condition) std::abort();
}

// Up to a piece of whole frames from the input, as samples of type Sample.
template <typename Sample>
size_t TakePiece(FuzzInput& in, unsigned channels, std::vector<Sample>& piece) {
    const size_t frames = std::min(kLargestPiece, in.size / (channels * sizeof(Sample)));
    piece.resize(frames * channels);
    if (!piece.empty()) std::memcpy(piece.data(), in.data, piece.size() * sizeof(Sample));
    in.data += piece.size() * sizeof(Sample);
    in.size -= piece.size() * sizeof(Sample);
    return frames;
}

template <typename Sample>
void Convert(FuzzInput& in, uint32_t inputRate, uint32_t outputRate, unsigned channels) {
    auto resampler = voxnote::SoxrResampler<Sample>::Create(inputRate, outputRate, channels, kLargestPiece);
    if (!resampler) return;
    std::vector<Sample> piece;
    std::vector<Sample> output;
    uint64_t framesIn = 0;
    for (int i = 0; i < kLargestPieces && in.size > 0; ++i) {
        const size_t frames = TakePiece(in, channels, piece);
        if constexpr (std::is_same_v<Sample, float>) {
            // Not-a-number and infinite samples never come from a WAV file.
            for (Sample& sample : piece) {
                if (!std::isfinite(sample)) sample = 0.0f;
            }
        }
        resampler->Process(std::span<const Sample>(piece), output);
        framesIn += frames;
        if (frames == 0) break;
    }
    resampler->Finish(output);
    Require(output.size() % channels == 0);
    const double framesAllowed = static_cast<double>(framesIn) * outputRate / inputRate + 2.0;
    Require(static_cast<double>(output.size() / channels) <= framesAllowed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    uint32_t rateBits = 0;
    for (int i = 0; i < 3; ++i) rateBits = (rateBits << 8) | in.Byte();
    // Lower rates are refused by the readers, and would ask for outputs
    // many thousand times their input.
    const uint32_t inputRate = rateBits == 0 ? 0 : kLowestRate + rateBits % (kHighestRate - kLowestRate + 1);
    const uint8_t choice = in.Byte();
    const uint32_t outputRate = kOutputRates[choice & 3];
    const unsigned channels = 1 + ((choice >> 2) & 1);
    if (choice & 8) {
        Convert<float>(in, inputRate, outputRate, channels);
    } else {
        Convert<int16_t>(in, inputRate, outputRate, channels);
    }
    return 0;
}
