#include "stepweave/sound/voices/audio_file_stream.h"

#include "stepweave/sound/wav/wave_stream.h"

namespace stepweave {

AudioFileStream::AudioFileStream(SoundDevice& device) : AudioStream(device) {}

AudioFileStream::~AudioFileStream() { SetWaveStream(nullptr); }

void AudioFileStream::SetFileName(const std::string& fileName) {
    SetWaveStream(nullptr);
    file_.reset();
    fileName_.clear();
    if (fileName.empty()) {
        return;
    }
    auto file = std::make_unique<WaveFileStream>(fileName, WaveFileMode::Read);
    file->Open(false);
    SetWaveStream(file.get());
    file_ = std::move(file);
    fileName_ = fileName;
}

}  // namespace stepweave
