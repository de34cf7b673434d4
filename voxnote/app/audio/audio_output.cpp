#include "voxnote/app/audio/audio_output.h"

#include <cstdlib>
#include <string_view>

#include "voxnote/app/audio/discarding_audio_output.h"
#include "voxnote/app/audio/rtaudio_output.h"

namespace voxnote {

std::unique_ptr<AudioOutput> CreateAudioOutput() {
    const char* choice = std::getenv("VOXNOTE_AUDIO_OUT");
    if (choice != nullptr && std::string_view(choice) == "null") {
        return std::make_unique<DiscardingAudioOutput>();
    }
    return std::make_unique<RtAudioOutput>();
}

}  // namespace voxnote
