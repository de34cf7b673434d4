// What a sound card's thread may call: the rate conversion it runs on every
// piece the device delivers must neither allocate nor lock once it is made.
// libsoxr's streaming mode was measured for the same work and does allocate,
// which is why the device thread keeps a resampler of our own.
#include <soxr.h>

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/support/voxnote/manual_audio_input.h"
#include "tests/voxnote/analysis/capture/capture_test_support.h"
#include "tests/voxnote/analysis/resampling/allocation_watch.h"
#include "voxnote/analysis/resampling/polyphase_resampler.h"

namespace voxnote {
namespace {

using testing::AllocationWatch;

// The rates a recording device may run at, and the pieces it hands over:
// 20 ms from a sound card, 10 ms from the file input.
constexpr std::array<uint32_t, 7> kDeviceRates = {8000, 16000, 22050, 32000, 44100, 48000, 96000};
constexpr int kPiecesPerRun = 3000;  // a minute of 20 ms pieces
constexpr int kPolyphasePiecesPerRun = 250;  // it keeps no queue that could grow later

std::vector<size_t> DevicePieces(uint32_t rate) { return {rate / 50, rate / 100}; }

TEST(DeviceThreadResampling, ThePolyphaseResamplerNeitherAllocatesNorLocksOnceMade) {
    for (uint32_t rate : kDeviceRates) {
        for (size_t piece : DevicePieces(rate)) {
            SCOPED_TRACE(::testing::Message() << rate << " Hz in pieces of " << piece);
            auto resampler = PolyphaseResampler::Create(rate, kCaptureSampleRate);
            ASSERT_NE(resampler, nullptr);
            const std::vector<float> sound = capture_testing::SineAt(rate, 440, 0.5, piece);
            std::vector<int16_t> converted(resampler->MaxOutput(piece));
            size_t produced = 0;
            AllocationWatch watch;
            for (int i = 0; i < kPolyphasePiecesPerRun; ++i) {
                produced += resampler->Process(sound.data(), piece, converted.data());
            }
            resampler->Reset();
            EXPECT_EQ(watch.HeapCalls(), 0u);
            EXPECT_EQ(watch.MutexLocks(), 0u);
            EXPECT_GT(produced, 0u);
        }
    }
}

// The whole device-thread path of a recording device: conversion and the
// hand-over into the queued blocks.
TEST(DeviceThreadResampling, DeliveringDeviceSoundIntoTheBlocksNeitherAllocatesNorLocks) {
    ManualAudioInput input(48000);
    std::array<std::vector<uint8_t>, kCaptureBlockCount> data;
    std::array<CaptureBlock, kCaptureBlockCount> blocks{};
    ASSERT_TRUE(input.Open(kCaptureFormat));
    for (size_t i = 0; i < blocks.size(); ++i) {
        data[i].assign(kCaptureBlockBytes, 0);
        blocks[i].data = data[i].data();
        blocks[i].bufferLength = kCaptureBlockBytes;
        ASSERT_TRUE(input.Prepare(blocks[i]));
        ASSERT_TRUE(input.AddBuffer(blocks[i]));
    }
    ASSERT_TRUE(input.Start());
    const std::vector<float> piece = capture_testing::SineAt(48000, 440, 0.5, 960);
    {
        AllocationWatch watch;
        for (int i = 0; i < 200; ++i) {  // four seconds: every block filled, the rest dropped
            input.PumpDevice(piece);
        }
        EXPECT_EQ(watch.HeapCalls(), 0u);
        EXPECT_EQ(watch.MutexLocks(), 0u);
    }
    EXPECT_GT(input.DroppedSamples(), 0u);
    ASSERT_TRUE(input.Reset());
    while (input.TakeCompletedBlock() != nullptr) {
    }
}

// The measurement behind the choice above: libsoxr, created for the same
// conversion (float in, float out, one thread), is fed the same pieces. Its
// queues grow with realloc well after creation. Should a later libsoxr stop
// doing so, this fails, and the device thread may move to SoxrResampler.
TEST(DeviceThreadResampling, SoxrStreamingReallocatesAfterCreationSoItStaysOffTheDeviceThread) {
    uint64_t heapCalls = 0;
    uint64_t mutexLocks = 0;
    for (uint32_t rate : kDeviceRates) {
        for (size_t piece : DevicePieces(rate)) {
            const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
            const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
            const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
            soxr_error_t error = nullptr;
            soxr_t stream = soxr_create(rate, kCaptureSampleRate, 1, &error, &io, &quality, &runtime);
            ASSERT_EQ(error, nullptr);
            const std::vector<float> sound = capture_testing::SineAt(rate, 440, 0.5, piece);
            std::vector<float> converted(piece * kCaptureSampleRate / rate + 256);
            {
                AllocationWatch watch;
                for (int i = 0; i < kPiecesPerRun; ++i) {
                    size_t used = 0;
                    while (used < piece) {
                        size_t consumed = 0;
                        size_t made = 0;
                        soxr_process(stream, sound.data() + used, piece - used, &consumed, converted.data(),
                                     converted.size(), &made);
                        used += consumed;
                        if (consumed == 0 && made == 0) {
                            break;
                        }
                    }
                }
                heapCalls += watch.HeapCalls();
                mutexLocks += watch.MutexLocks();
            }
            soxr_delete(stream);
        }
    }
    RecordProperty("soxr_heap_calls", static_cast<int>(heapCalls));
    RecordProperty("soxr_mutex_locks", static_cast<int>(mutexLocks));
    EXPECT_GT(heapCalls, 0u) << "soxr_process no longer allocates: the device thread may use SoxrResampler";
}

}  // namespace
}  // namespace voxnote
