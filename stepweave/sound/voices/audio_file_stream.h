#pragma once
// A stream that plays a named WAV file, which it opens and owns.
#include <memory>
#include <string>

#include "stepweave/sound/voices/audio_stream.h"

namespace stepweave {

class WaveFileStream;

class AudioFileStream : public AudioStream {
public:
    explicit AudioFileStream(SoundDevice& device);
    ~AudioFileStream() override;

    const std::string& FileName() const { return fileName_; }
    // Opens the file as the stream's wave (the file layer's error when it
    // cannot be opened, "Wave is invalid" when it is no WAV file, "Sound
    // Buffer cannot be made" when its format cannot be played); an empty
    // name closes it. A failure leaves the stream closed.
    void SetFileName(const std::string& fileName);

private:
    std::unique_ptr<WaveFileStream> file_;
    std::string fileName_;
};

}  // namespace stepweave
