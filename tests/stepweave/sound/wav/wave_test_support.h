#pragma once
// Helpers shared by the wave and kit tests: real WAV files from the test
// data folder, hand-built RIFF images, scratch folders.
#include "tests/support/scratch_folder.h"
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "stepweave/sound/files/byte_stream.h"

namespace wave_test {

using Bytes = std::vector<uint8_t>;

inline std::string TestWavePath(const std::string& name) {
    return std::string(TEST_DATA_DIR) + "/waves/" + name;
}

inline Bytes ReadTestWave(const std::string& name) { return stepweave::ReadWholeFile(TestWavePath(name)); }

inline std::filesystem::path FreshFolder(const std::string& name) {
    const auto folder = ScratchFolder("stepweave_sound_test_" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void Append32(Bytes& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

inline uint32_t Read32(const Bytes& bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

inline void AppendText(Bytes& bytes, std::string_view text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

// One chunk: identifier, stated size, body (the body may differ from the size).
inline Bytes Chunk(std::string_view identifier, const Bytes& body, int64_t statedSize = -1) {
    Bytes chunk;
    AppendText(chunk, identifier);
    Append32(chunk, static_cast<uint32_t>(statedSize < 0 ? static_cast<int64_t>(body.size()) : statedSize));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

// "RIFF", a size, the form type, then the chunks one after another.
inline Bytes RiffImage(std::initializer_list<Bytes> chunks, std::string_view form = "WAVE") {
    Bytes image;
    AppendText(image, "RIFF");
    Append32(image, 0);
    AppendText(image, form);
    for (const Bytes& chunk : chunks) {
        image.insert(image.end(), chunk.begin(), chunk.end());
    }
    const uint32_t size = static_cast<uint32_t>(image.size() - 8);
    for (int i = 0; i < 4; ++i) {
        image[4 + i] = static_cast<uint8_t>(size >> (8 * i));
    }
    return image;
}

// A 16-byte PCM format record.
inline Bytes PcmFormat(uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes format;
    const uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
    const uint16_t fields16[] = {1, channels};
    for (uint16_t v : fields16) {
        format.push_back(static_cast<uint8_t>(v));
        format.push_back(static_cast<uint8_t>(v >> 8));
    }
    Append32(format, rate);
    Append32(format, rate * blockAlign);
    format.push_back(static_cast<uint8_t>(blockAlign));
    format.push_back(static_cast<uint8_t>(blockAlign >> 8));
    format.push_back(static_cast<uint8_t>(bits));
    format.push_back(static_cast<uint8_t>(bits >> 8));
    return format;
}

inline Bytes Counting(size_t count, uint8_t start = 0) {
    Bytes bytes(count);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(start + i);
    }
    return bytes;
}

}  // namespace wave_test
