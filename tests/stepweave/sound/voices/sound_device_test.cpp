#include "stepweave/sound/voices/sound_device.h"

#include <gtest/gtest.h>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/voices/voice.h"
#include "tests/stepweave/sound/output/manual_sound_output.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

struct DeviceOnManualOutput : ::testing::Test {
    ManualSoundOutput output;
    TimerScheduler timers{output.clock};
};

}  // namespace

TEST(DeviceWithoutOutput, StaysClosedAndMakesNoVoice) {
    SoundDevice device;
    try {
        device.Open(OpenAudioOutput(NoSoundDevice()));
        FAIL();
    } catch (const SoundOutputError& error) {
        EXPECT_STREQ(error.what(), "DirectSound cannot be initialized");
    }
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.Output(), nullptr);
    Voice voice(device);
    try {
        voice.Create(PcmFormat(44100, 16, 1), 400);
        FAIL();
    } catch (const SoundOutputError& error) {
        EXPECT_STREQ(error.what(), "IDirectSound not made");
    }
}

TEST_F(DeviceOnManualOutput, OpensAndTellsItsListenersInOrder) {
    std::vector<std::string> events;  // outlives the device, which still reports as it goes
    SoundDevice device(timers);
    const char* names[] = {"going", "opening", "opened", "closing", "restoring"};
    int list = 0;
    device.AddListener(&list, [&](SoundDevice&, DeviceEvent event) {
        events.push_back(std::string("list ") + names[static_cast<int>(event)]);
    });
    device.OnOpening = [&](SoundDevice&) { events.push_back("OnOpening"); };
    device.OnOpened = [&](SoundDevice& sender) {
        EXPECT_TRUE(sender.IsOpen());
        events.push_back("OnOpened");
    };
    device.OnRestored = [&](SoundDevice&) { events.push_back("OnRestored"); };
    device.OnClosing = [&](SoundDevice&) { events.push_back("OnClosing"); };

    const std::shared_ptr<AudioOutput> sound = output.Open();
    device.Open(sound);
    ASSERT_TRUE(device.IsOpen());
    EXPECT_EQ(device.Output(), sound.get());
    device.Close();
    EXPECT_EQ(events, (std::vector<std::string>{"list opening", "OnOpening", "list opened", "OnOpened",
                                                "list restoring", "OnRestored", "list closing", "OnClosing"}));
    EXPECT_EQ(device.Output(), nullptr);

    events.clear();
    device.RemoveListener(&list);
    device.Open(sound);
    device.Open(sound);  // a second opening closes first
    EXPECT_EQ(events, (std::vector<std::string>{"OnOpening", "OnOpened", "OnRestored", "OnClosing", "OnOpening",
                                                "OnOpened", "OnRestored"}));
}

TEST_F(DeviceOnManualOutput, TellsItsListenersWhenItGoes) {
    int list = 0;
    std::vector<DeviceEvent> told;
    {
        SoundDevice device(timers);
        device.AddListener(&list, [&](SoundDevice&, DeviceEvent event) { told.push_back(event); });
        device.Open(output.Open());
    }
    EXPECT_EQ(told.back(), DeviceEvent::Going);
    EXPECT_EQ(told[told.size() - 2], DeviceEvent::Closing);
}

TEST_F(DeviceOnManualOutput, ClosingLeavesItsVoicesNotMade) {
    SoundDevice device(timers);
    device.Open(output.Open());
    Voice voice(device);
    ASSERT_TRUE(voice.Create(PcmFormat(44100, 16, 2), 400));
    device.Close();
    EXPECT_FALSE(voice.IsMade());
    EXPECT_THROW(voice.Play(), VoiceError);
}

TEST_F(DeviceOnManualOutput, ALostVoiceMakesItRestoreItsListeners) {
    SoundDevice device(timers);
    int restores = 0;
    device.OnRestored = [&](SoundDevice&) { ++restores; };
    device.Open(output.Open());
    EXPECT_EQ(restores, 1);

    Voice voice(device);
    ASSERT_TRUE(voice.Create(PcmFormat(44100, 16, 2), 400));
    device.Output()->LoseBuffers();
    voice.Play();
    EXPECT_EQ(restores, 2);
}
