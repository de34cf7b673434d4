#pragma once
// Which sound device the program plays through, chosen by the environment
// variable STEPWEAVE_AUDIO:
//   "rtaudio" (also when unset or empty): the system's default output device;
//   "rtaudio:API" and "rtaudio:API:DEVICE": the default device of one sound
//       system (alsa, pulse, jack), or the device of it named DEVICE;
//   "null": a silent device that takes the sound in real time;
//   "file:PATH": real-time playback recorded into the WAV file PATH.
// Any other value is refused with a message that names it.
#include <memory>
#include <string>

#include "stepweave/sound/backend/audio_backend.h"

namespace stepweave {

inline constexpr const char* kAudioVariable = "STEPWEAVE_AUDIO";

struct AudioBackendChoice {
    enum class Kind { RtAudio, Null, File, Unknown };
    Kind kind = Kind::RtAudio;
    std::string api;     // RtAudio: the sound system's name; empty for the first one with a device
    std::string device;  // RtAudio: the device's name or number; empty for the system's default
    std::string path;    // File
};

AudioBackendChoice ParseAudioBackendChoice(const char* value);

// What the user is told about a value that names no device.
std::string UnknownAudioChoiceMessage(const std::string& value);

// The backend a value of STEPWEAVE_AUDIO names, as a source; the backend
// is made when the source is asked. For a value it does not know: nullptr,
// with UnknownAudioChoiceMessage in `failure`.
AudioBackendSource AudioBackendNamed(std::string value);
// The backend that STEPWEAVE_AUDIO names when the program starts (the
// front ends' choice; everything below them is handed the source).
AudioBackendSource AudioBackendFromEnvironment();

}  // namespace stepweave
