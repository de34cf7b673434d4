// voxnote's virtual port "Voxnote" for other programs. Where the machine has
// an ALSA sequencer a second client of the test's own connects to it and
// hears what is sent; elsewhere the port is absent and says why.
#include "voxnote/app/mididevices/virtual_midi_port.h"

#include <gtest/gtest.h>
#include <rtmidi/RtMidi.h>

#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "voxnote/app/mididevices/midi_device_choices.h"
#include "voxnote/app/mididevices/system_midi_devices.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {
namespace {

bool HasSequencer() { return std::filesystem::exists("/dev/snd/seq"); }

bool Lists(MidiDeviceCatalog& devices, const std::string& name) {
    for (const MidiDeviceChoice& choice : ListMidiPlaybackDevices(devices, 0).entries) {
        if (choice.text == name) return true;
    }
    return false;
}

TEST(VirtualMidiPort, IsListedWhereItCouldBeMadeAndElseSaysWhyItIsAbsent) {
    SystemMidiDevices devices;
    devices.Count();
    const VirtualMidiPort port;
    const std::string entry = Text(strings::kVirtualPortEntry);
    if (port.IsAvailable()) {
        EXPECT_TRUE(Lists(devices, entry));
        EXPECT_TRUE(devices.Notices().empty());
        EXPECT_TRUE(port.Absence().empty());
    } else {
        EXPECT_FALSE(Lists(devices, entry));
        ASSERT_EQ(devices.Notices().size(), 1u);
        EXPECT_EQ(devices.Notices()[0], port.Absence());
        EXPECT_FALSE(port.Absence().empty());
    }
    if (!HasSequencer() && !port.IsAvailable()) {
        EXPECT_EQ(port.Absence(),
                  "The virtual MIDI port \"Voxnote\" is absent: this computer has no ALSA sequencer (/dev/snd/seq) "
                  "and no JACK server is running.");
    }
}

// Where there is no sequencer, Setup says so below its list; looking for the
// devices again and again prints nothing on standard error.
TEST(VirtualMidiPort, LookingForTheDevicesPrintsNothingOnStandardError) {
    testing::internal::CaptureStderr();
    {
        SystemMidiDevices devices;
        devices.Count();
        devices.Count();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(VirtualMidiPort, AnAbsentPortCannotBeOpenedAndSaysWhy) {
    VirtualMidiPort port;
    if (port.IsAvailable()) {
        GTEST_SKIP() << "the port could be made here; the case of an absent one needs a machine without MIDI";
    }
    EXPECT_FALSE(port.Open());
    EXPECT_EQ(port.OpenFailure(), port.Absence());
    EXPECT_FALSE(port.SendShortMessage(0x403C90));
}

// A client of the test's own, connected to the "Voxnote" port.
class Listener {
public:
    bool ConnectTo(const std::string& portName) {
        input_.setCallback(&Listener::Heard, this);
        input_.ignoreTypes(false, false, false);
        for (unsigned number = 0; number < input_.getPortCount(); ++number) {
            if (input_.getPortName(number).find(portName) != std::string::npos) {
                input_.openPort(number, "listener");
                return input_.isPortOpen();
            }
        }
        return false;
    }
    // Waits (at most a few seconds) until `count` messages have arrived.
    std::vector<std::vector<unsigned char>> WaitFor(size_t count) {
        for (int wait = 0; wait < 300; ++wait) {
            {
                std::lock_guard lock(mutex_);
                if (heard_.size() >= count) return heard_;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::lock_guard lock(mutex_);
        return heard_;
    }

private:
    static void Heard(double, std::vector<unsigned char>* message, void* self) {
        auto* listener = static_cast<Listener*>(self);
        std::lock_guard lock(listener->mutex_);
        listener->heard_.push_back(*message);
    }

    RtMidiIn input_{RtMidi::LINUX_ALSA, "voxnote test"};
    std::mutex mutex_;
    std::vector<std::vector<unsigned char>> heard_;
};

TEST(VirtualMidiPort, AnotherProgramConnectedToItHearsTheNotes) {
    if (!HasSequencer()) {
        GTEST_SKIP() << "this machine has no ALSA sequencer (/dev/snd/seq)";
    }
    VirtualMidiPort port;
    ASSERT_TRUE(port.IsAvailable()) << port.Absence();
    Listener listener;
    ASSERT_TRUE(listener.ConnectTo(kVirtualPortName));

    ASSERT_TRUE(port.Open());
    EXPECT_FALSE(port.Open()) << "one user at a time";
    EXPECT_EQ(port.OpenFailure(), Text(strings::kMidiDeviceInUse));
    EXPECT_TRUE(port.SendShortMessage(0x49C0));    // program 73
    EXPECT_TRUE(port.SendShortMessage(0x643C90));  // C5, velocity 100
    EXPECT_TRUE(port.SendShortMessage(0x403C80));
    const std::vector<std::vector<unsigned char>> heard = listener.WaitFor(3);
    const std::vector<std::vector<unsigned char>> sent = {{0xC0, 0x49}, {0x90, 0x3C, 0x64}, {0x80, 0x3C, 0x40}};
    EXPECT_EQ(heard, sent);

    port.Close();
    EXPECT_FALSE(port.SendShortMessage(0x643C90)) << "closed: taken out of use";
    EXPECT_TRUE(port.Open()) << "the port itself stays";
}

}  // namespace
}  // namespace voxnote
