#pragma once
// The program's audio output on a hand-pumped device: everything played
// through it renders into `clock` as the test moves the clock on.
#include <memory>
#include <string>

#include "stepweave/sound/output/audio_output.h"
#include "tests/support/stepweave/manual_audio_backend.h"

namespace stepweave::testing {

inline constexpr uint32_t kTestLatency = 20;

struct ManualSoundOutput {
    // Where a session or a command opens its output from: a hand-pumped
    // device on `clock` each time.
    AudioBackendSource Source() {
        return [this](std::string&) { return std::make_unique<ManualAudioBackend>(clock, kTestLatency); };
    }
    // An output opened on it now.
    std::shared_ptr<AudioOutput> Open() { return OpenAudioOutput(Source()); }

    ManualAudioClock clock;
};

// No sound device, as on a machine without sound: opening the output fails,
// with no cause to tell.
inline AudioBackendSource NoSoundDevice() {
    return [](std::string&) -> std::unique_ptr<AudioBackend> { return nullptr; };
}

// The message for STEPWEAVE_AUDIO=bogus: the system's line, then the value named.
inline const char* const kBogusDeviceMessage =
    "DirectSound cannot be initialized\n"
    "STEPWEAVE_AUDIO=bogus names no sound output: use rtaudio, rtaudio:API, rtaudio:API:DEVICE, null or file:PATH";

}  // namespace stepweave::testing
