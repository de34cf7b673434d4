#pragma once
// A MIDI output device: something that sounds the short MIDI messages sent to
// it. The device list shows each by its product name; its technology code
// says what kind of device it is, and with it whether it is offered for
// playback.
//
// Calls on one device come from one thread at a time: whoever sends to a
// device from several threads serialises the calls (MidiDeviceSession does).
#include <cstdint>
#include <string>

namespace voxnote {

namespace midi_technology {
inline constexpr int kPort = 1;                  // a hardware or external MIDI port
inline constexpr int kSynthesizer = 2;
inline constexpr int kSquareWaveSynthesizer = 3;
inline constexpr int kFmSynthesizer = 4;
inline constexpr int kMapper = 5;
inline constexpr int kWavetableSynthesizer = 6;  // plays General MIDI voices
inline constexpr int kSoftwareSynthesizer = 7;
}  // namespace midi_technology

// The playback list offers the synthesizers (even codes) and the MIDI ports:
// here every port leads to something that sounds, an external synthesizer
// or another program. Square-wave synthesizers, the mapper and software
// synthesizers (3, 5, 7) are left out.
constexpr bool IsListedTechnology(int technology) {
    return (technology & 1) == 0 || technology == midi_technology::kPort;
}

class MidiOutputDevice {
public:
    virtual ~MidiOutputDevice() = default;

    virtual std::string Name() const = 0;
    virtual int Technology() const = 0;

    // False when the device cannot be opened; OpenFailure() then says why.
    virtual bool Open() = 0;
    virtual bool IsOpen() const = 0;
    virtual const std::string& OpenFailure() const = 0;

    // A short message: status in the low byte, then the data bytes. False
    // when the device is not open or did not take the message.
    virtual bool SendShortMessage(uint32_t message) = 0;
    virtual void Close() = 0;
};

}  // namespace voxnote
