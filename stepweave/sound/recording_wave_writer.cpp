#include "stepweave/sound/recording_wave_writer.h"

#include <algorithm>
#include <cmath>

#include "stepweave/sound/byte_stream.h"

namespace stepweave {

namespace {

constexpr int kHeaderBytes = 44;

void PutUint32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

void PutUint16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void MakeHeader(uint8_t* header, uint32_t dataBytes) {
    const uint32_t rate = 44100;
    const uint16_t channels = 2;
    const uint16_t blockAlign = 4;
    std::copy_n("RIFF", 4, header);
    PutUint32(header + 4, 36 + dataBytes);
    std::copy_n("WAVEfmt ", 8, header + 8);
    PutUint32(header + 16, 16);
    PutUint16(header + 20, 1);
    PutUint16(header + 22, channels);
    PutUint32(header + 24, rate);
    PutUint32(header + 28, rate * blockAlign);
    PutUint16(header + 32, blockAlign);
    PutUint16(header + 34, 16);
    std::copy_n("data", 4, header + 36);
    PutUint32(header + 40, dataBytes);
}

}  // namespace

int16_t FloatToSample16(float value) {
    const float scaled = std::nearbyint(value * 32768.0f);
    if (scaled >= 32767.0f) {
        return 32767;
    }
    if (scaled <= -32768.0f) {
        return -32768;
    }
    return static_cast<int16_t>(scaled);
}

RecordingWaveWriter::RecordingWaveWriter(const std::string& path)
    : file_(std::make_unique<TSafeFileStream>(path)) {
    uint8_t header[kHeaderBytes];
    MakeHeader(header, 0);
    file_->WriteBuffer(header, kHeaderBytes);
}

RecordingWaveWriter::~RecordingWaveWriter() = default;

void RecordingWaveWriter::Append(const float* interleaved, int frames) {
    samples_.resize(static_cast<size_t>(frames) * 2);
    for (size_t i = 0; i < samples_.size(); ++i) {
        samples_[i] = FloatToSample16(interleaved[i]);
    }
    const int64_t bytes = static_cast<int64_t>(samples_.size() * sizeof(int16_t));
    file_->WriteBuffer(samples_.data(), bytes);
    dataBytes_ += bytes;
}

void RecordingWaveWriter::Close() {
    uint8_t header[kHeaderBytes];
    MakeHeader(header, static_cast<uint32_t>(dataBytes_));
    file_->SetPosition(0);
    file_->WriteBuffer(header, kHeaderBytes);
    file_->Commit();
}

}  // namespace stepweave
