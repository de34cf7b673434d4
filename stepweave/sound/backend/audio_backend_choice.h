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

namespace stepweave {

class AudioBackend;

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

// The backend STEPWEAVE_AUDIO names. For a value it does not know: nullptr,
// with UnknownAudioChoiceMessage in `failure`.
std::unique_ptr<AudioBackend> AudioBackendFromEnvironment(std::string& failure);

}  // namespace stepweave
