#pragma once
// The mixing wave: PCM audio described by a 16-byte format record, read from
// and written to plain 44-byte-header WAV files, with sample access (8-bit and
// 16-bit) and a mix-in that adds one wave into another with resampling, pan,
// volume and clipping. The song renderer builds its output in one.
//
// A long output lives in a work file (a temporary beside the work file name,
// removed with the wave) with at most 500000 frames held in memory at once;
// saving copies it into the chosen WAV file through a temporary file that is
// renamed into place, so the output appears only when it is complete.
//
// Mixing is fast and exact: MixSource decodes a source once, a hit's
// contributions are reused, and the memory window moves over the work file in
// blocks. Every output sample is the one the per-sample arithmetic gives.
//
// A render: create the output, name its work file, SetFileBacked(true), then
// for each instrument pass build one MixSource from the sound's file and
// MixIn every note of it; SaveToFile when done or stopped (the file saved on
// a stop is a complete WAV of what was mixed so far). Memory stays near the
// window's 2 MB plus the sources, however long the song.
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/mixdown/mix_kernel.h"
#include "stepweave/sound/mixdown/mixing_wave_format.h"

namespace stepweave::wavaudio {

class MixSource;
class WorkFile;
struct HitPlan;

// The output frames [First, End) a mix-in may touch. A renderer that mixes
// its song one stretch of output at a time, and within each stretch every
// note in the order the passes would mix them, gets the same samples as pass
// after pass over the whole song (for an output of whole frames, as a fresh
// one is) while reading and writing the work file only once.
struct FrameRange {
    int64_t First = 0;
    int64_t End = std::numeric_limits<int64_t>::max();
};

class MixingWave {
public:
    static constexpr int64_t kWindowFrames = 500000;

    MixingWave();
    ~MixingWave();
    MixingWave(const MixingWave&) = delete;
    MixingWave& operator=(const MixingWave&) = delete;

    const WaveFormat& Format() const { return format_; }
    // Replaces the format record (for instance the rate of a render); fails
    // with WaveStreamError "Format is invalid" when it cannot describe audio.
    void SetFormat(const WaveFormat& format);
    int64_t Frames() const { return frames_; }
    double Duration() const;
    // Bytes of audio held, in memory or in the work file.
    int64_t DataSize() const;

    // Reads a WAV file; a file that is not RIFF WAVE leaves the wave as it
    // was. Failures (file layer errors, "Stream read error" for a chunk that
    // claims more than the file holds, WaveStreamError "Format is invalid")
    // also leave it as it was.
    void LoadFromFile(const std::string& path);
    void LoadFromStream(ByteStream& stream);
    void SaveToFile(const std::string& path);

    const std::string& WorkFileName() const { return workFileName_; }
    void SetWorkFileName(const std::string& path) { workFileName_ = path; }
    bool FileBacked() const { return workFile_ != nullptr; }
    // Moves the audio into a work file (named first) or back into memory.
    void SetFileBacked(bool on);

    // 0 for a channel or frame outside the audio, or a sample not fully held.
    int16_t GetSample(int channel, int64_t frame);
    // Ignored for a channel outside the wave or a negative frame; writing
    // past the end fills the gap with silence and extends the audio.
    void SetSample(int channel, int64_t frame, int16_t value);
    // GetSample for `count` consecutive frames of one channel.
    void ReadSamples(int channel, int64_t firstFrame, int64_t count, int16_t* out);

    // Adds a source played at `frequency` Hz from `startTime` seconds on, with
    // pan (-1 left .. 1 right) and linear volume, limiting sums to +-32767.
    // The destination must be stereo. Fails with WaveStreamError for
    // parameters that are not finite or a frequency that is not positive.
    void MixIn(MixingWave& source, double frequency, double startTime, double pan, double volume);
    void MixIn(const MixSource& source, double frequency, double startTime, double pan, double volume,
               FrameRange range = {});

private:
    static constexpr int64_t kNoWindow = -1000000;

    int64_t WindowFrames() const;
    bool InWindow(int64_t frame) const;
    int64_t WindowStartByte() const { return windowStart_ * format_.blockAlign; }
    int64_t FramesIn(int64_t bytes) const;
    bool ReadHeld(int64_t frame, int64_t position, uint8_t* out);

    void MarkDirty(int64_t begin, int64_t end);
    void GrowWindow(int64_t size);
    void WriteBackWindow();
    void FlushWindow();
    void LoadWindow(int64_t start);
    void PlaceWindowAt(int64_t frame);

    void SetMemorySample(int64_t frame, int64_t position, int16_t value);
    void SetWindowSample(int64_t frame, int64_t position, int16_t value);

    void RequireStereoLayout() const;
    void MixFrames(const MixSource& source, const HitPlan& plan, int64_t start, int64_t first, int64_t end);
    FrameSpan HoldFrames(int64_t first, int64_t end, bool& extended);

    WaveFormat format_ = kMixingWaveFormat;
    int64_t frames_ = 0;
    std::vector<uint8_t> memory_;  // the audio in memory mode; the window when file-backed
    std::string workFileName_;
    std::unique_ptr<WorkFile> workFile_;
    int64_t windowStart_ = kNoWindow;
    int64_t dirtyBegin_ = 0;  // window bytes not yet written back: [dirtyBegin_, dirtyEnd_)
    int64_t dirtyEnd_ = 0;
};

}  // namespace stepweave::wavaudio
