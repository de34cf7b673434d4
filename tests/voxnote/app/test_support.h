#pragma once
// Helpers of the voxnote_app tests: WAV images built in memory, a folder
// that is removed after the test, and a reporter that keeps the messages.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "voxnote/app/shell/message_reporter.h"

namespace voxnote::test {

inline void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

inline void PutId(std::vector<uint8_t>& bytes, const char* id) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<uint8_t>(id[i]));
    }
}

struct WavShape {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t sampleRate = 11025;
    uint16_t bitsPerSample = 16;
};

inline std::vector<uint8_t> FmtChunk(const WavShape& shape, uint32_t size = 16) {
    std::vector<uint8_t> bytes;
    PutId(bytes, "fmt ");
    PutLittleEndian(bytes, size, 4);
    uint16_t blockAlign = static_cast<uint16_t>(shape.channels * shape.bitsPerSample / 8);
    PutLittleEndian(bytes, shape.formatTag, 2);
    PutLittleEndian(bytes, shape.channels, 2);
    PutLittleEndian(bytes, shape.sampleRate, 4);
    PutLittleEndian(bytes, shape.sampleRate * blockAlign, 4);
    PutLittleEndian(bytes, blockAlign, 2);
    PutLittleEndian(bytes, shape.bitsPerSample, 2);
    bytes.resize(bytes.size() + (size > 16 ? size - 16 : 0), 0);
    return bytes;
}

inline std::vector<uint8_t> Chunk(const char* id, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> bytes;
    PutId(bytes, id);
    PutLittleEndian(bytes, static_cast<uint32_t>(data.size()), 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    if (data.size() % 2) {
        bytes.push_back(0);
    }
    return bytes;
}

// "RIFF" <size> "WAVE" followed by the chunks.
inline std::vector<uint8_t> RiffWave(const std::vector<std::vector<uint8_t>>& chunks) {
    std::vector<uint8_t> body;
    PutId(body, "WAVE");
    for (const auto& chunk : chunks) {
        body.insert(body.end(), chunk.begin(), chunk.end());
    }
    std::vector<uint8_t> bytes;
    PutId(bytes, "RIFF");
    PutLittleEndian(bytes, static_cast<uint32_t>(body.size()), 4);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

inline std::vector<uint8_t> SampleBytes(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes;
    for (int16_t sample : samples) {
        PutLittleEndian(bytes, static_cast<uint16_t>(sample), 2);
    }
    return bytes;
}

// A plain 44-byte-header WAV image of interleaved 16-bit samples.
inline std::vector<uint8_t> WavImage(const std::vector<int16_t>& samples, uint16_t channels = 1,
                                     uint32_t sampleRate = 11025) {
    WavShape shape;
    shape.channels = channels;
    shape.sampleRate = sampleRate;
    return RiffWave({FmtChunk(shape), Chunk("data", SampleBytes(samples))});
}

inline std::vector<int16_t> NoiseSamples(size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-32768, 32767);
    std::vector<int16_t> samples(count);
    for (auto& sample : samples) {
        sample = static_cast<int16_t>(value(random));
    }
    return samples;
}

inline std::vector<int16_t> SineSamples(double frequency, double amplitude, size_t count, uint32_t rate = 11025) {
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * frequency * i / rate)));
    }
    return samples;
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::random_device entropy;
        path_ = std::filesystem::temp_directory_path() / ("voxnote_test_" + std::to_string(entropy()));
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code error;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     error);
        std::filesystem::remove_all(path_, error);
    }
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

class RecordingReporter : public MessageReporter {
public:
    void Report(MessageKind kind, const std::string& text) override {
        kinds.push_back(kind);
        texts.push_back(text);
    }
    std::vector<MessageKind> kinds;
    std::vector<std::string> texts;
};

}  // namespace voxnote::test
