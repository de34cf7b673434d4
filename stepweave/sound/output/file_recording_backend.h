#pragma once
// A device that plays into a file instead of a sound card: its own thread
// renders the mix block by block in real time, paced by the clock, and
// records every block as 16-bit stereo 44100 Hz PCM. The file is written
// beside the target under a temporary name and moved into place when the
// device closes. Chosen with STEPWEAVE_AUDIO=file:PATH, for measurements
// and for tests that listen to what the program plays.
//
// The thread is this device's audio thread: after the mixer's callback it
// hands the block to the file, as a sound card's driver hands it to the
// hardware.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "stepweave/sound/output/audio_backend.h"

namespace stepweave {

class RecordingWaveWriter;

class FileRecordingBackend : public AudioBackend {
public:
    static constexpr int kBlockFrames = 256;

    explicit FileRecordingBackend(std::string path);
    ~FileRecordingBackend() override;

    bool Open() override;
    uint32_t LatencyMilliseconds() const override { return 20; }
    MillisecondClock& Clock() override;
    bool Start(Mixer& mixer) override;
    void Stop() override;

private:
    void Run(Mixer& mixer);

    std::string path_;
    std::unique_ptr<RecordingWaveWriter> writer_;
    std::thread thread_;
    std::atomic<bool> running_{false};
};

}  // namespace stepweave
