#include "stepweave/sound/wav/recording_wave_writer.h"

#include <cmath>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/wav/wave_format.h"
#include "stepweave/sound/wav/wave_stream.h"

namespace stepweave {

namespace {

// The recording's format: 16-bit stereo PCM at 44100 Hz.
constexpr WaveFormat kRecordingFormat = PcmFormat(44100, 16, 2);

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
    const WaveFormatRecord format = EncodeWaveFormat(kRecordingFormat);
    file_->SetFormat(format.data(), kWaveFormatRecordSize);
    file_->SetPadding(WavePadding::ToEvenLength);
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
        throw WaveStreamError("Stream write error");
    }
}

void RecordingWaveWriter::Close() {
    std::unique_ptr<WaveFileStream> file = std::move(file_);
    file->Close();
}

}  // namespace stepweave
