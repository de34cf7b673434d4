#pragma once
// Writes the output of the file backend: 16-bit stereo 44100 Hz PCM through
// the wave container's writer, into a temporary file beside the target that
// replaces the target on Close. Its sizes are exact: whole frames of data and
// no pad byte after them, so that any WAV reader takes the file as it is.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace stepweave {

class WaveFileStream;

class RecordingWaveWriter {
public:
    // FileCreateError when the temporary file cannot be created.
    explicit RecordingWaveWriter(const std::string& path);
    // Without Close the target is left as it was.
    ~RecordingWaveWriter();

    // Appends frames of interleaved stereo floats, clipped to 16 bits.
    void Append(const float* interleaved, int frames);
    // Finishes the file and puts it in place.
    void Close();

private:
    std::unique_ptr<WaveFileStream> file_;
    std::vector<int16_t> samples_;
};

// A float sample in -1 ... 1 as a 16-bit sample, rounded and clipped.
int16_t FloatToSample16(float value);

}  // namespace stepweave
