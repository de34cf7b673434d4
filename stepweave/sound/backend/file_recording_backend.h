#pragma once
// A device that plays into a file instead of a sound card: in real time,
// like the silent device, it records every block as 16-bit stereo 44100 Hz
// PCM. The file is written beside the target under a temporary name and
// moved into place when the device stops. Chosen with
// STEPWEAVE_AUDIO=file:PATH, for measurements and for tests that listen to
// what the program plays.
//
// A recording that cannot be written (a full disk) goes on in silence so
// that playback runs to its end; the target is left as it was, and the
// error is the device's RunFailure once it has stopped.
#include <atomic>
#include <exception>
#include <memory>
#include <string>

#include "stepweave/sound/backend/paced_backend.h"

namespace stepweave {

class RecordingWaveWriter;

class FileRecordingBackend : public PacedBackend {
public:
    explicit FileRecordingBackend(std::string path);
    ~FileRecordingBackend() override;

    bool Open() override;
    std::string OpenFailure() const override { return openFailure_; }
    void Stop() override;
    void Discard() override;
    std::exception_ptr RunFailure() const override { return runFailure_; }

protected:
    void Deliver(const float* interleaved, int frames) override;

private:
    void Finish();

    std::string path_;
    std::unique_ptr<RecordingWaveWriter> writer_;
    std::string openFailure_;
    // Set by the device's thread when a block could not be written; read
    // once the thread has been joined.
    std::atomic<bool> writeFailed_{false};
    std::exception_ptr runFailure_;
};

}  // namespace stepweave
