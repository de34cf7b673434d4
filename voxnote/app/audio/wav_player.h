#pragma once
// Listening to a WAV file: its sound, converted to stereo at the output's
// rate, is played from the start to the end through an audio output.
//
// The main thread reads and converts the sound into a ring that the audio
// thread plays from; the audio thread only copies samples out of the ring.
// Play fills the ring before the sound starts: a file of up to four seconds
// is then held whole, a longer one is topped up by Pump, which the owner
// calls regularly (every 50 ms is plenty) while it plays. Pump also tells
// when the last sample has been handed to the output.
#include <atomic>
#include <filesystem>
#include <memory>
#include <vector>

#include "voxnote/analysis/resampling/soxr_resampler.h"
#include "voxnote/app/audio/audio_output.h"
#include "voxnote/app/shell/message_reporter.h"
#include "voxnote/app/wavfile/pcm_wav_reader.h"
#include "voxnote/app/audio/sample_ring.h"

namespace voxnote {

inline constexpr unsigned kPlayerRingSeconds = 4;

class WavPlayer : private AudioRenderer {
public:
    explicit WavPlayer(std::unique_ptr<AudioOutput> output);
    ~WavPlayer() override;
    WavPlayer(const WavPlayer&) = delete;
    WavPlayer& operator=(const WavPlayer&) = delete;

    // Starts the file from its beginning (a sound still playing is stopped
    // first). Every failure is reported with its message; false then.
    bool Play(const std::filesystem::path& file, MessageReporter& reporter);
    // Stops the sound and closes the output. A device that fails to stop is
    // reported ("Problem stopping audio playback.") and closed all the same.
    void Stop(MessageReporter& reporter);
    // Tops up the ring. True once, when the whole sound has been played; the
    // output is then closed and IsPlaying() is false.
    bool Pump();

    bool IsPlaying() const { return playing_; }

private:
    bool Fail(MessageReporter& reporter, const std::string& message);
    void Fill();
    void CloseOutput();
    void Render(float* interleaved, unsigned frames) override;

    std::unique_ptr<AudioOutput> output_;
    std::unique_ptr<PcmWavReader> reader_;
    std::unique_ptr<SoxrResampler<float>> resampler_;
    std::unique_ptr<SampleRing> ring_;
    std::vector<float> decoded_;
    std::vector<float> converted_;  // converted, not yet in the ring
    size_t convertedStart_ = 0;
    bool readerFinished_ = false;
    bool playing_ = false;
    std::atomic<bool> sourceEnded_ = false;  // everything is in the ring
    std::atomic<bool> drained_ = false;      // and the audio thread has played it
};

}  // namespace voxnote
