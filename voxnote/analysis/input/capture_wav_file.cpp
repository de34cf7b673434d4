#include "voxnote/analysis/input/capture_wav_file.h"

#include "voxnote/analysis/wavfile/wav_format.h"

namespace voxnote {

namespace {

constexpr uint32_t kHighestRate = 768000;
constexpr uint64_t kLargestFile = 1024ULL * 1024 * 1024;

bool IsCapturable(const WavFormat& format) {
    return format.CodingTag() == kPcmFormatTag && format.bitsPerSample == 16 &&
           (format.channels == 1 || format.channels == 2) && format.blockAlign == 2 * format.channels &&
           format.sampleRate > 0 && format.sampleRate <= kHighestRate;
}

}  // namespace

std::optional<CaptureWavSound> ReadCaptureWav(ByteSource& source) {
    const std::optional<WavLayout> layout = ReadWavLayout(source, RiffExtent::WholeFile);
    if (!layout || !IsCapturable(layout->format)) {
        return std::nullopt;
    }
    const std::optional<RiffChunk> data = FindDataChunk(source, *layout);
    if (!data) {
        return std::nullopt;
    }
    CaptureWavSound sound;
    sound.sampleRate = layout->format.sampleRate;
    sound.channels = layout->format.channels;
    const size_t frameBytes = layout->format.blockAlign;
    std::vector<uint8_t> bytes(static_cast<size_t>(BytesPresent(source, *data) / frameBytes * frameBytes));
    if (!source.ReadExactly(data->dataOffset, bytes)) {
        return std::nullopt;
    }
    sound.samples.resize(bytes.size() / 2);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        sound.samples[i] = static_cast<int16_t>(ReadLittleEndian16(&bytes[2 * i]));
    }
    return sound;
}

std::optional<CaptureWavSound> ParseCaptureWav(std::span<const uint8_t> bytes) {
    MemoryByteSource source(bytes);
    return ReadCaptureWav(source);
}

std::optional<CaptureWavSound> ReadCaptureWavFile(const std::string& path) {
    const std::unique_ptr<FileByteSource> source = FileByteSource::Open(path);
    if (!source || source->Size() == 0 || source->Size() > kLargestFile) {
        return std::nullopt;
    }
    return ReadCaptureWav(*source);
}

}  // namespace voxnote
