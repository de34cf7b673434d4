#include "voxnote/analysis/input/audio_input_factory.h"

#include <cstdlib>
#include <string>

#include "voxnote/analysis/input/file_audio_input.h"
#include "voxnote/analysis/input/null_audio_input.h"
#include "voxnote/analysis/input/rtaudio_input.h"

namespace voxnote {

std::unique_ptr<AudioInput> CreateAudioInput(std::string_view choice) {
    constexpr std::string_view kFilePrefix = "file:";
    if (choice.empty() || choice == "rtaudio") {
        return std::make_unique<RtAudioInput>();
    }
    if (choice.starts_with(kFilePrefix)) {
        return std::make_unique<FileAudioInput>(std::string(choice.substr(kFilePrefix.size())));
    }
    return std::make_unique<NullAudioInput>();
}

std::unique_ptr<AudioInput> CreateAudioInputFromEnvironment() {
    const char* choice = std::getenv("VOXNOTE_AUDIO_IN");
    return CreateAudioInput(choice != nullptr ? choice : "");
}

}  // namespace voxnote
