#include "stepweave/sound/wav/recording_wave_writer.h"

#include <cmath>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/files/little_endian.h"
#include "stepweave/sound/wav/wave_stream.h"

namespace stepweave {

namespace {

// The 16-byte PCM format record of the recording.
std::vector<uint8_t> RecordingFormat() {
    const uint32_t rate = 44100;
    const uint16_t channels = 2;
    const uint16_t blockAlign = 4;
    std::vector<uint8_t> record(16);
    StoreLittleEndian16(record.data(), 1);
    StoreLittleEndian16(record.data() + 2, channels);
    StoreLittleEndian32(record.data() + 4, rate);
    StoreLittleEndian32(record.data() + 8, rate * blockAlign);
    StoreLittleEndian16(record.data() + 12, blockAlign);
    StoreLittleEndian16(record.data() + 14, 16);
    return record;
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
    : file_(std::make_unique<WaveFileStream>(path, WaveFileMode::Create)) {
    const std::vector<uint8_t> format = RecordingFormat();
    file_->SetFormat(format.data(), static_cast<int32_t>(format.size()));
    file_->Open(true);
}

RecordingWaveWriter::~RecordingWaveWriter() {
    if (file_) {
        file_->Discard();
    }
}

void RecordingWaveWriter::Append(const float* interleaved, int frames) {
    samples_.resize(static_cast<size_t>(frames) * 2);
    for (size_t i = 0; i < samples_.size(); ++i) {
        samples_[i] = FloatToSample16(interleaved[i]);
    }
    const auto bytes = static_cast<int64_t>(samples_.size() * sizeof(int16_t));
    if (file_->Write(samples_.data(), bytes) != bytes) {
        throw EWaveStreamError("Stream write error");
    }
}

void RecordingWaveWriter::Close() {
    std::unique_ptr<WaveFileStream> file = std::move(file_);
    file->Close();
}

}  // namespace stepweave
