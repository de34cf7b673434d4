#pragma once
// Named presets of DetectorSettings in the settings file: one section per
// preset, the section "Last Used" naming the last loaded or saved one.
// "Default" always exists (rewritten at every start) and cannot be deleted.
#include <string>
#include <string_view>
#include <vector>

#include "voxnote/app/settings/detector_settings.h"
#include "voxnote/app/shell/message_reporter.h"
#include "voxnote/app/settings/private_profile.h"

namespace voxnote {

inline constexpr std::string_view kDefaultPresetName = "Default";
inline constexpr size_t kLastUsedNameLength = 80;

class PresetStore {
public:
    explicit PresetStore(PrivateProfile& profile) : profile_(profile) {}

    // Whether the file has a section of that name (in any case).
    bool Exists(std::string_view name);
    // The preset's values; a missing section or key, or a value that holds no
    // number, gives that key's default, and every value is brought into its
    // control's range.
    DetectorSettings Read(std::string_view name);
    // Writes the twelve keys in their order; a failed write is ignored.
    void Write(std::string_view name, const DetectorSettings& settings);

    // The name under "Last Used" (at most 80 characters), empty when none.
    std::string LastUsedName();
    void RememberLastUsed(std::string_view name);

    // The Presets dialog's Load and Save: read or write the preset, record it
    // as last used and flush the file. Load reads the file as it is now.
    DetectorSettings Load(std::string_view name);
    void Save(std::string_view name, const DetectorSettings& settings);
    // Deletes the preset's section. Refuses "Default" (an information
    // message) and an empty name; reports a section that could not be
    // deleted. True when the preset is gone.
    bool Delete(std::string_view name, MessageReporter& reporter);

    // The names for the Presets dialog's list.
    std::vector<std::string> Names();

private:
    PrivateProfile& profile_;
};

}  // namespace voxnote
