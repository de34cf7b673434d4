#include "voxnote/app/shell/mixer_location.h"

namespace voxnote {

namespace {
constexpr std::string_view kSection = "Mixer Location";
constexpr std::string_view kKey = "Location";
constexpr std::string_view kNoMixer = "fail";
}  // namespace

std::optional<std::string> ReadMixerLocation(PrivateProfile& profile) {
    // The whole path is read: a path cut short would start nothing.
    std::string path = profile.ReadString(kSection, kKey, kNoMixer);
    if (path == kNoMixer || path.empty()) {
        return std::nullopt;
    }
    return path;
}

bool WriteMixerLocation(PrivateProfile& profile, std::string_view path) {
    return profile.WriteString(kSection, kKey, path);
}

}  // namespace voxnote
