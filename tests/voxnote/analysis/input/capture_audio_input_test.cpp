// The recording devices behind live capture: how blocks go to a device and
// come back, what a device that is starved of blocks loses, positions, and
// the backends chosen by VOXNOTE_AUDIO_IN.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstring>
#include <numeric>
#include <thread>
#include <vector>

#include "tests/voxnote/analysis/capture/capture_test_support.h"
#include "voxnote/analysis/input/audio_input_factory.h"
#include "voxnote/analysis/capture/capture_block_feed.h"
#include "voxnote/analysis/input/file_audio_input.h"
#include "tests/support/voxnote/manual_audio_input.h"
#include "voxnote/analysis/input/null_audio_input.h"

namespace voxnote {
namespace {

using capture_testing::CrossingRate;
using capture_testing::Rms;

struct Blocks {
    explicit Blocks(uint32_t bytes = kCaptureBlockBytes) {
        for (size_t i = 0; i < headers.size(); ++i) {
            data[i].assign(bytes, 0xEE);
            headers[i].data = data[i].data();
            headers[i].bufferLength = bytes;
        }
    }
    const int16_t* Samples(int i) const { return reinterpret_cast<const int16_t*>(data[i].data()); }
    std::array<std::vector<uint8_t>, kCaptureBlockCount> data;
    std::array<CaptureBlock, kCaptureBlockCount> headers{};
};

std::vector<int16_t> Ramp(int16_t first, size_t count) {
    std::vector<int16_t> samples(count);
    std::iota(samples.begin(), samples.end(), first);
    return samples;
}

TEST(CaptureBlockFeed, FillsBlocksInQueueOrderAndGivesBackWhatIsLeftOnReturn) {
    Blocks blocks(8);  // four samples each
    CaptureBlockFeed feed;
    for (int i : {2, 0, 1}) ASSERT_TRUE(feed.Queue(blocks.headers[i]));
    const std::vector<int16_t> ramp = Ramp(1, 10);
    feed.Deliver(ramp.data(), 3);
    EXPECT_EQ(feed.TakeCompleted(), nullptr);
    feed.Deliver(ramp.data() + 3, 7);
    EXPECT_EQ(feed.TakeCompleted(), &blocks.headers[2]);
    EXPECT_EQ(feed.TakeCompleted(), &blocks.headers[0]);
    EXPECT_EQ(feed.TakeCompleted(), nullptr);
    EXPECT_EQ(blocks.headers[2].bytesRecorded, 8u);
    EXPECT_EQ(blocks.Samples(2)[0], 1);
    EXPECT_EQ(blocks.Samples(0)[3], 8);

    feed.ReturnAll();  // block 1 holds samples 9 and 10
    EXPECT_EQ(feed.TakeCompleted(), &blocks.headers[1]);
    EXPECT_EQ(blocks.headers[1].bytesRecorded, 4u);
    EXPECT_EQ(blocks.Samples(1)[1], 10);
    EXPECT_EQ(feed.SamplesRecorded(), 10u);
    EXPECT_EQ(feed.SamplesDropped(), 0u);
}

TEST(CaptureBlockFeed, DropsAndCountsSoundThatFindsNoBlock) {
    Blocks blocks(8);
    CaptureBlockFeed feed;
    feed.Queue(blocks.headers[0]);
    const std::vector<int16_t> ramp = Ramp(0, 10);
    feed.Deliver(ramp.data(), 10);
    EXPECT_EQ(feed.SamplesDropped(), 6u);
    EXPECT_EQ(feed.SamplesRecorded(), 10u);
    feed.Queue(blocks.headers[1]);
    feed.Deliver(ramp.data(), 4);
    EXPECT_EQ(feed.TakeCompleted(), &blocks.headers[0]);
    EXPECT_EQ(feed.TakeCompleted(), &blocks.headers[1]);
    EXPECT_EQ(blocks.Samples(1)[0], 0);  // the new block starts with the new sound
}

// A device thread records a long ramp while the main thread hands blocks
// back as they come: every block holds an unbroken stretch, and recorded
// plus dropped is all there was.
TEST(CaptureBlockFeed, LosesNothingUnaccountedBetweenTwoThreads) {
    Blocks blocks(64);
    CaptureBlockFeed feed;
    for (CaptureBlock& block : blocks.headers) feed.Queue(block);
    constexpr int kPieces = 20000;
    std::atomic<bool> done{false};
    std::thread device([&] {
        std::array<int16_t, 7> piece{};
        int16_t next = 0;
        for (int p = 0; p < kPieces; ++p) {
            for (int16_t& sample : piece) sample = next++;
            feed.Deliver(piece.data(), piece.size());
        }
        done = true;
    });
    uint64_t received = 0;
    bool unbroken = true;
    auto take = [&] {
        while (CaptureBlock* block = feed.TakeCompleted()) {
            const auto* samples = reinterpret_cast<const int16_t*>(block->data);
            for (uint32_t i = 1; i < block->bytesRecorded / 2; ++i) {
                unbroken &= static_cast<int16_t>(samples[i - 1] + 1) == samples[i];
            }
            received += block->bytesRecorded / 2;
            feed.Queue(*block);
        }
    };
    while (!done) take();
    device.join();
    take();
    feed.ReturnAll();
    take();
    EXPECT_TRUE(unbroken);
    EXPECT_EQ(received + feed.SamplesDropped(), uint64_t{kPieces} * 7);
}

TEST(ManualAudioInput, KeepsBlocksThatTheDeviceHoldsOutOfReach) {
    ManualAudioInput input;
    Blocks blocks;
    EXPECT_FALSE(input.Prepare(blocks.headers[0]));  // not open
    EXPECT_FALSE(input.Open(CaptureFormat{kPcmFormatTag, 2, 44100, 176400, 4, 16, 0}));
    ASSERT_TRUE(input.Open(kCaptureFormat));
    EXPECT_FALSE(input.Open(kCaptureFormat));  // already open
    EXPECT_FALSE(input.AddBuffer(blocks.headers[0]));  // not prepared
    ASSERT_TRUE(input.Prepare(blocks.headers[0]));
    ASSERT_TRUE(input.AddBuffer(blocks.headers[0]));
    EXPECT_FALSE(input.AddBuffer(blocks.headers[0]));  // already queued
    EXPECT_FALSE(input.Unprepare(blocks.headers[0]));
    EXPECT_FALSE(input.Close());
    ASSERT_TRUE(input.Start());
    EXPECT_TRUE(input.Pump(std::vector<int16_t>(100, 7)));
    ASSERT_TRUE(input.Reset());
    EXPECT_FALSE(input.Pump(std::vector<int16_t>(100, 7)));  // no longer recording
    CaptureBlock* back = input.TakeCompletedBlock();
    ASSERT_EQ(back, &blocks.headers[0]);
    EXPECT_EQ(back->bytesRecorded, 200u);
    EXPECT_TRUE(input.Unprepare(blocks.headers[0]));
    EXPECT_TRUE(input.Close());
}

TEST(ManualAudioInput, AnswersPositionsInTheTypeAskedOrTheOneItIsSetTo) {
    ManualAudioInput input;
    Blocks blocks;
    ASSERT_TRUE(input.Open(kCaptureFormat));
    for (CaptureBlock& block : blocks.headers) {
        input.Prepare(block);
        input.AddBuffer(block);
    }
    input.Start();
    input.Pump(std::vector<int16_t>(11025 * 2, 0));
    CapturePosition position{PositionType::Milliseconds, 0};
    ASSERT_TRUE(input.GetPosition(position));
    EXPECT_EQ(position.value, 2000u);
    position.type = PositionType::Samples;
    input.GetPosition(position);
    EXPECT_EQ(position.value, 22050u);
    input.AnswerPositionIn(PositionType::Bytes);
    position.type = PositionType::Milliseconds;
    input.GetPosition(position);
    EXPECT_EQ(position.type, PositionType::Bytes);
    EXPECT_EQ(position.value, 44100u);
    input.FailCall(DeviceCall::GetPosition, 1);
    EXPECT_TRUE(input.GetPosition(position));
    EXPECT_FALSE(input.GetPosition(position));
    EXPECT_FALSE(input.GetPosition(position));
    input.Heal(DeviceCall::GetPosition);
    EXPECT_TRUE(input.GetPosition(position));
    // Reset starts the position again.
    input.Reset();
    position.type = PositionType::Samples;
    input.AnswerPositionIn(PositionType::Samples);
    input.GetPosition(position);
    EXPECT_EQ(position.value, 0u);
}

TEST(ManualAudioInput, ConvertsADeviceRateSoundIntoCaptureBlocks) {
    ManualAudioInput input(48000);
    Blocks blocks;
    ASSERT_TRUE(input.Open(kCaptureFormat));
    for (CaptureBlock& block : blocks.headers) {
        input.Prepare(block);
        input.AddBuffer(block);
    }
    input.Start();
    input.PumpDevice(capture_testing::SineAt(48000, 440, 0.25, 48000));
    CaptureBlock* first = input.TakeCompletedBlock();
    CaptureBlock* second = input.TakeCompletedBlock();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first, &blocks.headers[0]);
    EXPECT_EQ(input.TakeCompletedBlock(), nullptr);  // 11025 samples fill two blocks and part of a third
    const auto* samples = reinterpret_cast<const int16_t*>(second->data);
    EXPECT_NEAR(CrossingRate(samples, 4096, 11025), 440.0, 0.5);
    EXPECT_NEAR(Rms(samples, 4096), 0.25 * 32768 / std::sqrt(2.0), 30);
}

TEST(NullAudioInput, HasNoDeviceAndOpensNothing) {
    NullAudioInput input;
    InputDeviceCapabilities capabilities;
    EXPECT_EQ(input.DeviceCount(), 0);
    EXPECT_FALSE(input.DeviceCapabilities(0, capabilities));
    EXPECT_FALSE(input.Open(kCaptureFormat));
}

TEST(AudioInputChoice, FollowsTheSettingAndTakesAnythingElseForNoDevice) {
    const auto wav = capture_testing::WriteTempFile(
        "choice.wav", capture_testing::WavImage(22050, 1, capture_testing::Sine16(22050, 440, 8000, 2205)));
    EXPECT_EQ(CreateAudioInput("null")->DeviceCount(), 0);
    EXPECT_EQ(CreateAudioInput("speakers")->DeviceCount(), 0);
    EXPECT_EQ(CreateAudioInput("file:/no/such/file.wav")->DeviceCount(), 0);
    auto file = CreateAudioInput("file:" + wav.string());
    InputDeviceCapabilities capabilities;
    EXPECT_EQ(file->DeviceCount(), 1);
    ASSERT_TRUE(file->DeviceCapabilities(0, capabilities));
    EXPECT_EQ(capabilities.name, "file:" + wav.string());
    EXPECT_NE(dynamic_cast<FileAudioInput*>(file.get()), nullptr);
}

// The file plays in its own thread, fast: its sound arrives converted, in
// order, followed by silence.
TEST(FileAudioInput, PlaysTheFileIntoTheBlocksThenSilence) {
    std::vector<int16_t> stereo;
    for (int16_t sample : capture_testing::Sine16(44100, 440, 12000, 44100)) {
        stereo.push_back(sample);
        stereo.push_back(sample);
    }
    const auto wav = capture_testing::WriteTempFile("stereo440.wav", capture_testing::WavImage(44100, 2, stereo));
    FileAudioInput input(wav.string(), 50.0);
    Blocks blocks;
    ASSERT_TRUE(input.Open(kCaptureFormat));
    for (CaptureBlock& block : blocks.headers) {
        ASSERT_TRUE(input.Prepare(block));
        ASSERT_TRUE(input.AddBuffer(block));
    }
    ASSERT_TRUE(input.Start());
    std::vector<int16_t> recorded;
    while (recorded.size() < 5 * 4096) {
        if (CaptureBlock* block = input.TakeCompletedBlock()) {
            const auto* samples = reinterpret_cast<const int16_t*>(block->data);
            recorded.insert(recorded.end(), samples, samples + block->bytesRecorded / 2);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    EXPECT_TRUE(input.Finished());
    ASSERT_TRUE(input.Reset());
    while (input.TakeCompletedBlock() != nullptr) {
    }
    EXPECT_TRUE(input.Close());
    EXPECT_NEAR(CrossingRate(recorded.data() + 100, 10000, 11025), 440.0, 0.5);
    EXPECT_NEAR(Rms(recorded.data() + 100, 10000), 12000 / std::sqrt(2.0), 30);
    EXPECT_EQ(Rms(recorded.data() + 11100, 5000), 0.0);
}

}  // namespace
}  // namespace voxnote
