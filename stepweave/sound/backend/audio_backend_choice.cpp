#include "stepweave/sound/backend/audio_backend_choice.h"

#include <cstdlib>
#include <string_view>

#include "stepweave/sound/backend/file_recording_backend.h"
#include "stepweave/sound/backend/rtaudio_backend.h"
#include "stepweave/sound/backend/silent_backend.h"

namespace stepweave {

namespace {

constexpr std::string_view kRtAudioName = "rtaudio";
constexpr std::string_view kFilePrefix = "file:";

AudioBackendChoice Unknown() { return {AudioBackendChoice::Kind::Unknown, {}, {}, {}}; }

// "rtaudio:API" or "rtaudio:API:DEVICE"; the device's name may hold colons
// ("hw:1,0").
AudioBackendChoice ParseRtAudioChoice(std::string_view rest) {
    AudioBackendChoice choice;
    const size_t colon = rest.find(':');
    choice.api = std::string(rest.substr(0, colon));
    if (colon != std::string_view::npos) {
        choice.device = std::string(rest.substr(colon + 1));
        if (choice.device.empty()) {
            return Unknown();
        }
    }
    return choice.api.empty() ? Unknown() : choice;
}

}  // namespace

AudioBackendChoice ParseAudioBackendChoice(const char* value) {
    const std::string_view text = value == nullptr ? std::string_view{} : std::string_view{value};
    if (text.empty() || text == kRtAudioName) {
        return {};
    }
    if (text == "null") {
        return {AudioBackendChoice::Kind::Null, {}, {}, {}};
    }
    if (text.starts_with(kRtAudioName) && text.size() > kRtAudioName.size() && text[kRtAudioName.size()] == ':') {
        return ParseRtAudioChoice(text.substr(kRtAudioName.size() + 1));
    }
    if (text.starts_with(kFilePrefix) && text.size() > kFilePrefix.size()) {
        return {AudioBackendChoice::Kind::File, {}, {}, std::string(text.substr(kFilePrefix.size()))};
    }
    return Unknown();
}

std::string UnknownAudioChoiceMessage(const std::string& value) {
    return std::string(kAudioVariable) + "=" + value +
           " names no sound output: use rtaudio, rtaudio:API, rtaudio:API:DEVICE, null or file:PATH";
}

AudioBackendSource AudioBackendNamed(std::string value) {
    return [value = std::move(value)](std::string& failure) -> std::unique_ptr<AudioBackend> {
        const AudioBackendChoice choice = ParseAudioBackendChoice(value.c_str());
        switch (choice.kind) {
            case AudioBackendChoice::Kind::RtAudio:
                return std::make_unique<RtAudioBackend>(choice.api, choice.device);
            case AudioBackendChoice::Kind::File:
                return std::make_unique<FileRecordingBackend>(choice.path);
            case AudioBackendChoice::Kind::Null:
                return std::make_unique<SilentBackend>();
            case AudioBackendChoice::Kind::Unknown:
                break;
        }
        failure = UnknownAudioChoiceMessage(value);
        return nullptr;
    };
}

AudioBackendSource AudioBackendFromEnvironment() {
    const char* value = std::getenv(kAudioVariable);
    return AudioBackendNamed(value == nullptr ? "" : value);
}

}  // namespace stepweave
