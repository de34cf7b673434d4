#pragma once
// Where the user's mixer program is: the full path under "Mixer Location" /
// "Location" of the settings file. The value "fail" (what a read gives when
// the key is missing) means that no mixer has been chosen.
#include <optional>
#include <string>
#include <string_view>

#include "voxnote/app/settings/private_profile.h"

namespace voxnote {

// The stored path; nothing when none is stored.
std::optional<std::string> ReadMixerLocation(PrivateProfile& profile);
// Stores the path; whether the write worked is not checked by the caller.
bool WriteMixerLocation(PrivateProfile& profile, std::string_view path);

}  // namespace voxnote
