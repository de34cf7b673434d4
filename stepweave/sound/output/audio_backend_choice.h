#pragma once
// Which sound device the program plays through, chosen by the environment
// variable STEPWEAVE_AUDIO:
//   "rtaudio" (also when unset or empty): the system's default output device;
//   "null": no device, so the program runs silent;
//   "file:PATH": real-time playback recorded into the WAV file PATH.
#include <memory>
#include <string>

namespace stepweave {

class AudioBackend;

struct AudioBackendChoice {
    enum class Kind { RtAudio, Null, File, Unknown };
    Kind kind = Kind::RtAudio;
    std::string path;  // File
};

AudioBackendChoice ParseAudioBackendChoice(const char* value);

// The backend STEPWEAVE_AUDIO names; nullptr for "null" or a name it does not know.
std::unique_ptr<AudioBackend> AudioBackendFromEnvironment();

}  // namespace stepweave
