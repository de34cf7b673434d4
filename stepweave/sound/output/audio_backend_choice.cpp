#include "stepweave/sound/output/audio_backend_choice.h"

#include <cstdlib>
#include <string_view>

#include "stepweave/sound/output/file_recording_backend.h"
#include "stepweave/sound/output/rtaudio_backend.h"

namespace stepweave {

AudioBackendChoice ParseAudioBackendChoice(const char* value) {
    const std::string_view text = value == nullptr ? std::string_view{} : std::string_view{value};
    if (text.empty() || text == "rtaudio") {
        return {AudioBackendChoice::Kind::RtAudio, {}};
    }
    if (text == "null") {
        return {AudioBackendChoice::Kind::Null, {}};
    }
    constexpr std::string_view kFilePrefix = "file:";
    if (text.substr(0, kFilePrefix.size()) == kFilePrefix && text.size() > kFilePrefix.size()) {
        return {AudioBackendChoice::Kind::File, std::string(text.substr(kFilePrefix.size()))};
    }
    return {AudioBackendChoice::Kind::Unknown, {}};
}

std::unique_ptr<AudioBackend> AudioBackendFromEnvironment() {
    const AudioBackendChoice choice = ParseAudioBackendChoice(std::getenv("STEPWEAVE_AUDIO"));
    switch (choice.kind) {
        case AudioBackendChoice::Kind::RtAudio:
            return std::make_unique<RtAudioBackend>();
        case AudioBackendChoice::Kind::File:
            return std::make_unique<FileRecordingBackend>(choice.path);
        case AudioBackendChoice::Kind::Null:
        case AudioBackendChoice::Kind::Unknown:
            break;
    }
    return nullptr;
}

}  // namespace stepweave
