#include "stepweave/sound/backend/file_recording_backend.h"

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/wav/recording_wave_writer.h"

namespace stepweave {

FileRecordingBackend::FileRecordingBackend(std::string path) : path_(std::move(path)) {}

FileRecordingBackend::~FileRecordingBackend() { FileRecordingBackend::Stop(); }

bool FileRecordingBackend::Open() {
    try {
        writer_ = std::make_unique<RecordingWaveWriter>(path_);
        return true;
    } catch (const StepweaveError& error) {
        openFailure_ = "STEPWEAVE_AUDIO=file:" + path_ + ": " + error.what();
        return false;
    }
}

void FileRecordingBackend::Stop() {
    PacedBackend::Stop();
    Finish();
}

void FileRecordingBackend::Discard() {
    PacedBackend::Stop();
    writer_.reset();  // unfinished: the temporary goes, the target stays
}

void FileRecordingBackend::Deliver(const float* interleaved, int frames) {
    if (writeFailed_.load(std::memory_order_relaxed)) {
        return;
    }
    try {
        writer_->Append(interleaved, frames);
    } catch (StepweaveError& error) {
        error.MarkFile(path_);
        runFailure_ = std::current_exception();
        writeFailed_.store(true, std::memory_order_release);
    }
}

// Puts a whole recording in place; one that lost blocks is dropped, and the
// target stays as it was.
void FileRecordingBackend::Finish() {
    if (!writer_) {
        return;
    }
    std::unique_ptr<RecordingWaveWriter> writer = std::move(writer_);
    if (writeFailed_.load(std::memory_order_acquire)) {
        return;
    }
    try {
        writer->Close();
    } catch (StepweaveError& error) {
        error.MarkFile(path_);
        runFailure_ = std::current_exception();
    }
}

}  // namespace stepweave
