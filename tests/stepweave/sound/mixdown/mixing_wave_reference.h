#pragma once
// The oracle for the mixing wave's tests: a plain, one-sample-at-a-time
// wave whose mix-in follows the per-sample arithmetic literally, with
// std::nearbyint for every rounding. The product's fast mix must match it
// byte for byte.
#include "tests/support/scratch_folder.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "stepweave/sound/mixdown/mixing_wave_format.h"

namespace mixing_wave_test {

struct ReferenceWave {
    stepweave::WaveFormat format = stepweave::wavaudio::kMixingWaveFormat;
    std::vector<uint8_t> data;
    int64_t frames = 0;
    bool fileBacked = false;  // a file-backed wave recounts its frames after each mix-in

    int SampleBytes() const { return format.bitsPerSample == 8 ? 1 : 2; }
    int64_t Position(int channel, int64_t frame) const {
        return frame * format.blockAlign + channel * SampleBytes();
    }

    int16_t Get(int channel, int64_t frame) const {
        if (channel < 0 || channel >= format.channels || frame < 0 || frame >= frames) {
            return 0;
        }
        const int64_t at = Position(channel, frame);
        if (at + SampleBytes() > static_cast<int64_t>(data.size())) {
            return 0;
        }
        if (SampleBytes() == 1) {
            return static_cast<int16_t>((data[at] - 128) * 255);
        }
        return static_cast<int16_t>(data[at] | data[at + 1] << 8);
    }

    void Set(int channel, int64_t frame, int16_t value) {
        if (channel < 0 || channel >= format.channels || frame < 0) {
            return;
        }
        const int64_t at = Position(channel, frame);
        const uint8_t silence = SampleBytes() == 1 ? 128 : 0;
        if (at >= static_cast<int64_t>(data.size())) {
            data.resize(at, silence);
            frames = frame + 1;
        }
        if (at + SampleBytes() > static_cast<int64_t>(data.size())) {
            data.resize(at + SampleBytes(), silence);
        }
        if (SampleBytes() == 1) {
            data[at] = static_cast<uint8_t>(std::clamp(std::nearbyint(value / 255.0) + 128.0, 0.0, 255.0));
        } else {
            data[at] = static_cast<uint8_t>(value & 0xFF);
            data[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
        }
    }

    void MixIn(const ReferenceWave& source, double frequency, double startTime, double pan, double volume) {
        const auto start = static_cast<int64_t>(
            std::nearbyint(static_cast<double>(format.SignedAvgBytesPerSec()) * startTime / format.blockAlign));
        double gain[2];
        gain[0] = pan > 1 ? 0 : pan < 0 ? 1 : 1 - pan;
        gain[1] = pan < -1 ? 0 : pan > 0 ? 1 : 1 - std::fabs(pan);
        const double sourceRate = source.format.SignedSamplesPerSec();
        const auto n = static_cast<int64_t>(std::nearbyint(
            format.SignedSamplesPerSec() * (source.frames / sourceRate) * sourceRate / frequency));
        const double r = static_cast<double>(n) / static_cast<double>(source.frames);
        for (int64_t k = 0; k < n; ++k) {
            const double x = k / r;
            const auto i0 = static_cast<int64_t>(x);
            const int64_t i1 = std::min(i0 + 1, source.frames - 1);
            const double w0 = 1 - (x - i0);
            const double w1 = 1 - w0;
            for (int ch = 0; ch < 2; ++ch) {
                const int sourceChannel = std::min(ch, source.format.channels - 1);
                const double a0 = source.Get(sourceChannel, i0);
                const double a1 = source.Get(sourceChannel, i1);
                const int16_t b = Get(ch, start + k);
                const double v = std::nearbyint((a0 * w0 + a1 * w1) * volume * gain[ch]) + b;
                Set(ch, start + k, static_cast<int16_t>(std::clamp(v, -32767.0, 32767.0)));
            }
        }
        if (fileBacked) {
            frames = static_cast<int64_t>(std::nearbyint(static_cast<double>(data.size()) / format.blockAlign));
        }
    }
};

// The bytes of a RIFF WAVE image with a 16-byte "fmt " chunk and a "data" chunk.
inline std::vector<uint8_t> WaveImage(const stepweave::WaveFormat& format,
                                      const std::vector<uint8_t>& data) {
    std::vector<uint8_t> image;
    const auto put32 = [&image](uint32_t v) {
        for (int i = 0; i < 4; ++i) image.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    const auto tag = [&image](const char* t) {
        for (int i = 0; i < 4; ++i) image.push_back(static_cast<uint8_t>(t[i]));
    };
    tag("RIFF");
    put32(static_cast<uint32_t>(36 + data.size()));
    tag("WAVE");
    tag("fmt ");
    put32(16);
    const auto record = EncodeWaveFormat(format);
    image.insert(image.end(), record.begin(), record.end());
    tag("data");
    put32(static_cast<uint32_t>(data.size()));
    image.insert(image.end(), data.begin(), data.end());
    return image;
}

inline stepweave::WaveFormat PcmFormat(int channels, int rate, int bits) {
    stepweave::WaveFormat format = stepweave::wavaudio::kMixingWaveFormat;
    format.channels = static_cast<uint16_t>(channels);
    format.samplesPerSec = rate;
    format.bitsPerSample = static_cast<uint16_t>(bits);
    format.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    format.avgBytesPerSec = rate * format.blockAlign;
    return format;
}

}  // namespace mixing_wave_test

#include <filesystem>
#include <random>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace mixing_wave_test {

inline std::filesystem::path FreshFolder(const std::string& name) {
    const auto folder = ScratchFolder("mixing_wave_test_" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void LoadImage(stepweave::wavaudio::MixingWave& wave, const std::vector<uint8_t>& image) {
    stepweave::MemoryStream stream(image);
    wave.LoadFromStream(stream);
}

// The audio bytes of a wave, as its saved file holds them after the header.
inline std::vector<uint8_t> DataBytes(stepweave::wavaudio::MixingWave& wave) {
    // A name of its own: ctest runs test processes side by side.
    const auto path = std::filesystem::temp_directory_path() /
                      ("mixing_wave_test_data_" + std::to_string(std::random_device{}()) + ".wav");
    wave.SaveToFile(path.string());
    const auto file = stepweave::ReadWholeFile(path.string());
    std::filesystem::remove(path);
    return {file.begin() + 44, file.end()};
}

// A wave and its oracle made from the same format and bytes.
inline ReferenceWave MakeReference(const stepweave::WaveFormat& format, std::vector<uint8_t> data) {
    ReferenceWave wave;
    wave.format = format;
    wave.frames = static_cast<int64_t>(std::nearbyint(static_cast<double>(data.size()) / format.blockAlign));
    wave.data = std::move(data);
    return wave;
}

inline std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes;
    for (const int16_t s : samples) {
        bytes.push_back(static_cast<uint8_t>(s & 0xFF));
        bytes.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
    }
    return bytes;
}

}  // namespace mixing_wave_test
