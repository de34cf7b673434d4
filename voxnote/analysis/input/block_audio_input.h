#pragma once
// What every real recording device has in common: the checks and bookkeeping
// of blocks (prepare, queue, give back), the recording position, and the
// conversion of the device's own sample rate to 11025 Hz on the device thread.
// A backend adds only its device: open, start, stop and close it, and call
// DeliverDeviceSamples from its thread with what it records.
#include <cstddef>
#include <memory>
#include <vector>

#include "voxnote/analysis/input/audio_input.h"
#include "voxnote/analysis/capture/capture_block_feed.h"
#include "voxnote/analysis/resampling/polyphase_resampler.h"

namespace voxnote {

class BlockAudioInput : public AudioInput {
public:
    bool Open(const CaptureFormat& format) override;
    bool Close() override;
    bool Prepare(CaptureBlock& block) override;
    bool Unprepare(CaptureBlock& block) override;
    bool AddBuffer(CaptureBlock& block) override;
    bool Start() override;
    bool Reset() override;
    bool GetPosition(CapturePosition& position) override;
    CaptureBlock* TakeCompletedBlock() override;
    uint64_t DroppedSamples() const override { return feed_.SamplesDropped(); }

    bool IsOpen() const { return open_; }
    bool IsRecording() const { return recording_; }

protected:
    // The device's part. OpenDevice picks the device's rate and calls
    // PrepareConversion; StopDevice returns once the device thread has stopped
    // delivering.
    virtual bool OpenDevice() = 0;
    virtual bool StartDevice() = 0;
    virtual void StopDevice() = 0;
    virtual void CloseDevice() = 0;

    // Main thread, while opening: sets up the conversion from deviceRate to
    // 11025 Hz for pieces of up to largestPiece samples. False for a rate the
    // converter cannot take.
    bool PrepareConversion(uint32_t deviceRate, size_t largestPiece);
    // Device thread: converts mono samples at the device's rate (full scale
    // +-1.0) and stores them into the queued blocks. Allocates nothing.
    void DeliverDeviceSamples(const float* samples, size_t count);
    // Device thread: stores samples that are already at 11025 Hz.
    void DeliverCaptureSamples(const int16_t* samples, size_t count) { feed_.Deliver(samples, count); }

    // What a position query answers in: the type asked for, or another.
    virtual PositionType AnsweredPositionType(PositionType asked) const { return asked; }

private:
    CaptureBlockFeed feed_;
    std::unique_ptr<PolyphaseResampler> resampler_;
    std::vector<int16_t> converted_;
    size_t largestPiece_ = 0;
    int queuedBlocks_ = 0;
    bool open_ = false;
    bool recording_ = false;
};

}  // namespace voxnote
