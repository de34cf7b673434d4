#include "voxnote/analysis/input/capture_wav_file.h"

#include <algorithm>
#include <fstream>

namespace voxnote {

namespace {

constexpr uint16_t kPcmTag = 1;
constexpr uint16_t kExtensibleTag = 0xFFFE;
constexpr uint32_t kHighestRate = 768000;
constexpr std::streamoff kLargestFile = 1024LL * 1024 * 1024;

uint16_t Read16(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

uint32_t Read32(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

bool HasId(std::span<const uint8_t> bytes, size_t at, const char* id) {
    for (int i = 0; i < 4; ++i) {
        if (bytes[at + i] != static_cast<uint8_t>(id[i])) {
            return false;
        }
    }
    return true;
}

// The format chunk's body: 16-bit PCM of one or two channels.
bool ReadFormat(std::span<const uint8_t> body, CaptureWavSound& sound) {
    if (body.size() < 16) {
        return false;
    }
    uint16_t tag = Read16(body, 0);
    if (tag == kExtensibleTag && body.size() >= 26) {
        tag = Read16(body, 24);  // the sub-format's first two bytes
    }
    sound.channels = Read16(body, 2);
    sound.sampleRate = Read32(body, 4);
    const uint16_t blockAlign = Read16(body, 12);
    const uint16_t bits = Read16(body, 14);
    return tag == kPcmTag && bits == 16 && (sound.channels == 1 || sound.channels == 2) &&
           blockAlign == 2 * sound.channels && sound.sampleRate > 0 && sound.sampleRate <= kHighestRate;
}

void ReadSamples(std::span<const uint8_t> body, CaptureWavSound& sound) {
    const size_t frameBytes = 2u * sound.channels;
    const size_t count = body.size() / frameBytes * sound.channels;
    sound.samples.resize(count);
    for (size_t i = 0; i < count; ++i) {
        sound.samples[i] = static_cast<int16_t>(Read16(body, 2 * i));
    }
}

}  // namespace

std::optional<CaptureWavSound> ParseCaptureWav(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || !HasId(bytes, 0, "RIFF") || !HasId(bytes, 8, "WAVE")) {
        return std::nullopt;
    }
    CaptureWavSound sound;
    bool haveFormat = false;
    size_t at = 12;
    while (bytes.size() - at >= 8) {
        const uint32_t declared = Read32(bytes, at + 4);
        const size_t body = at + 8;
        const size_t size = std::min<size_t>(declared, bytes.size() - body);
        if (HasId(bytes, at, "fmt ")) {
            haveFormat = ReadFormat(bytes.subspan(body, size), sound);
            if (!haveFormat) {
                return std::nullopt;
            }
        } else if (HasId(bytes, at, "data")) {
            if (!haveFormat) {
                return std::nullopt;
            }
            ReadSamples(bytes.subspan(body, size), sound);
            return sound;
        }
        if (declared > bytes.size() - body) {
            break;
        }
        at = body + size + (size & 1);
        if (at > bytes.size()) {
            break;
        }
    }
    return std::nullopt;
}

std::optional<CaptureWavSound> ReadCaptureWavFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return std::nullopt;
    }
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > kLargestFile) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        return std::nullopt;
    }
    return ParseCaptureWav(bytes);
}

}  // namespace voxnote
