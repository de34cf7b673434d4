#include <gtest/gtest.h>

#include <sstream>

#include "stepweave/sound/backend/audio_backend_choice.h"
#include "stepweave/sound/cli/devices_command.h"
#include "stepweave/sound/backend/rtaudio_devices.h"

using namespace stepweave;

TEST(AudioBackendChoice, NamesASoundSystemAndADeviceOfIt) {
    const AudioBackendChoice jack = ParseAudioBackendChoice("rtaudio:jack");
    EXPECT_EQ(jack.kind, AudioBackendChoice::Kind::RtAudio);
    EXPECT_EQ(jack.api, "jack");
    EXPECT_EQ(jack.device, "");
    // A device's name keeps its own colons.
    const AudioBackendChoice card = ParseAudioBackendChoice("rtaudio:alsa:hw:1,0");
    EXPECT_EQ(card.kind, AudioBackendChoice::Kind::RtAudio);
    EXPECT_EQ(card.api, "alsa");
    EXPECT_EQ(card.device, "hw:1,0");
    const AudioBackendChoice plain = ParseAudioBackendChoice("rtaudio");
    EXPECT_EQ(plain.api, "");
    EXPECT_EQ(plain.device, "");
    for (const char* value : {"rtaudio:", "rtaudio:alsa:", "rtaudiox", "RTAUDIO", "null:", "file"}) {
        EXPECT_EQ(ParseAudioBackendChoice(value).kind, AudioBackendChoice::Kind::Unknown) << value;
    }
}

TEST(OutputDeviceLookup, FindsADeviceByNumberNameOrAlsaAddress) {
    const std::vector<OutputDevice> devices = {
        {0, "default", 32, true},
        {3, "HDA Intel PCH: ALC269 Analog (hw:1,0)", 2, false},
        {4, "HDA Intel PCH: HDMI 0 (hw:1,3)", 8, false},
        {5, "USB Audio (hw:10,0)", 2, false},
        {7, "system", 2, false},
    };
    EXPECT_EQ(FindOutputDevice(devices, "3")->id, 3u);
    EXPECT_EQ(FindOutputDevice(devices, "system")->id, 7u);
    EXPECT_EQ(FindOutputDevice(devices, "HDA Intel PCH: HDMI 0 (hw:1,3)")->id, 4u);
    // "hw:1" is card 1's first device, never card 10.
    EXPECT_EQ(FindOutputDevice(devices, "hw:1")->id, 3u);
    EXPECT_EQ(FindOutputDevice(devices, "hw:1,3")->id, 4u);
    EXPECT_EQ(FindOutputDevice(devices, "hw:10")->id, 5u);
    EXPECT_FALSE(FindOutputDevice(devices, "hw:2"));
    EXPECT_FALSE(FindOutputDevice(devices, "1")) << "a number is the device's own, not its place in the list";
    EXPECT_FALSE(FindOutputDevice(devices, "HDA"));
}

TEST(DeviceList, ShowsEachSoundSystemWithTheValueThatChoosesEachDevice) {
    std::ostringstream out;
    WriteDeviceList({{"alsa", "ALSA", {{0, "default", 32, true}, {2, "USB Audio (hw:2,0)", 1, false}}},
                     {"jack", "Jack", {}}},
                    out);
    EXPECT_EQ(out.str(),
              "alsa: ALSA\n"
              "  rtaudio:alsa:0  \"default\"  32 channels  (default)\n"
              "  rtaudio:alsa:2  \"USB Audio (hw:2,0)\"  1 channel\n"
              "jack: Jack\n"
              "  (no output device)\n");

    std::ostringstream none;
    WriteDeviceList({{"alsa", "ALSA", {}}}, none);
    EXPECT_EQ(none.str(),
              "alsa: ALSA\n"
              "  (no output device)\n"
              "No output device: set STEPWEAVE_AUDIO=null to run silent, or file:OUT.wav to record\n");
}
