#include <gtest/gtest.h>

#include "tests/voxnote/app/mididevices/midi_test_devices.h"
#include "tests/voxnote/app/test_support.h"
#include "tests/support/voxnote/manual_playback_clock.h"
#include "voxnote/app/mididevices/midi_device_choices.h"
#include "tests/support/voxnote/recording_midi_device.h"
#include "voxnote/app/mididevices/soundfont_locator.h"
#include "voxnote/app/mididevices/system_midi_ports.h"

namespace voxnote {
namespace {

class MidiDeviceChoicesTest : public testing::Test {
protected:
    void Add(const std::string& name, int technology) {
        devices.devices.push_back(std::make_shared<RecordingMidiDevice>(name, technology, clock));
    }

    ManualPlaybackClock clock;
    test::ListedMidiDevices devices;
};

TEST_F(MidiDeviceChoicesTest, SynthesizersWithAnEvenCodeAndMidiPortsAreListedWithTheirNumbers) {
    for (int technology = 1; technology <= 7; ++technology) {
        Add("Device " + std::to_string(technology), technology);
    }
    devices.devices.push_back(nullptr);  // capabilities cannot be read
    Add("Last", midi_technology::kWavetableSynthesizer);

    const MidiDeviceChoices choices = ListMidiPlaybackDevices(devices, 5);
    const std::vector<MidiDeviceChoice> expected = {
        {"Device 1", 0}, {"Device 2", 1}, {"Device 4", 3}, {"Device 6", 5}, {"Last", 8}};
    EXPECT_EQ(choices.entries, expected) << "square waves 3, the mapper 5, software synths 7 left out";
    EXPECT_EQ(choices.selected, 3u);
}

TEST_F(MidiDeviceChoicesTest, TheFirstEntryIsSelectedWhenTheCurrentDeviceIsNotListed) {
    Add("Mapper", midi_technology::kMapper);
    Add("Synth", midi_technology::kWavetableSynthesizer);
    Add("FM", midi_technology::kFmSynthesizer);
    EXPECT_EQ(ListMidiPlaybackDevices(devices, 0).selected, 0u);
    EXPECT_EQ(ListMidiPlaybackDevices(devices, 7).selected, 0u);
    EXPECT_EQ(ListMidiPlaybackDevices(devices, 2).selected, 1u);
}

TEST_F(MidiDeviceChoicesTest, WithNothingToOfferTheListSaysSo) {
    const std::vector<MidiDeviceChoice> none = {{"No MIDI Devices!", 0}};
    MidiDeviceChoices choices = ListMidiPlaybackDevices(devices, 0);
    EXPECT_EQ(choices.entries, none);
    EXPECT_EQ(choices.selected, 0u);

    Add("Square", midi_technology::kSquareWaveSynthesizer);
    Add("Mapper", midi_technology::kMapper);
    EXPECT_EQ(ListMidiPlaybackDevices(devices, 0).entries, none) << "devices exist but none can be offered";
}

TEST(SystemMidiPorts, SequencerPortsThatPlayVoicesAreWavetableSynthesizers) {
    constexpr unsigned kMidiGeneric = 1u << 1, kMidiGm = 1u << 2, kHardware = 1u << 16, kSoftware = 1u << 17,
                       kSynthesizer = 1u << 18, kPortType = 1u << 19, kApplication = 1u << 20;
    EXPECT_EQ(TechnologyOfSequencerPort(kMidiGm | kSynthesizer | kApplication), 6) << "a software synthesizer";
    EXPECT_EQ(TechnologyOfSequencerPort(kMidiGeneric | kMidiGm | kSynthesizer | kHardware), 6)
        << "a sound card's synthesizer";
    EXPECT_EQ(TechnologyOfSequencerPort(kMidiGeneric | kHardware | kPortType), 1) << "a MIDI interface";
    EXPECT_EQ(TechnologyOfSequencerPort(kMidiGeneric | kSoftware | kPortType), 1) << "a through port";
    EXPECT_EQ(TechnologyOfSequencerPort(kMidiGeneric | kApplication), 1) << "another program's input";
}

TEST(SoundfontLocator, TheBetterSoundfontWinsAndTheUsersChoiceComesFirst) {
    test::TemporaryFolder folder;
    const std::filesystem::path local = folder / "local";
    const std::filesystem::path system = folder / "system";
    std::filesystem::create_directories(local / "sounds/sf2");
    std::filesystem::create_directories(system / "sounds/sf2");
    EXPECT_FALSE(FindGeneralMidiSoundfont("", {local, system}));

    test::WriteBytes(local / "sounds/sf2/default-GM.sf2", {1});
    test::WriteBytes(system / "sounds/sf2/TimGM6mb.sf2", {1});
    EXPECT_EQ(FindGeneralMidiSoundfont("", {local, system}), system / "sounds/sf2/TimGM6mb.sf2");
    test::WriteBytes(system / "sounds/sf2/FluidR3_GM.sf2", {1});
    EXPECT_EQ(FindGeneralMidiSoundfont("", {local, system}), system / "sounds/sf2/FluidR3_GM.sf2");
    EXPECT_EQ(FindGeneralMidiSoundfont("/my/own.sf2", {local, system}), "/my/own.sf2");
}

}  // namespace
}  // namespace voxnote
