#include "voxnote/app/settings/system_settings.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

constexpr std::string_view kSection = "System Settings";

}  // namespace

SystemSettings ReadSystemSettings(PrivateProfile& profile) {
    const SystemSettings defaults;
    SystemSettings settings;
    settings.alwaysOnTop = profile.ReadNumber(kSection, "Always On Top").value_or(defaults.alwaysOnTop) != 0;
    settings.autoShrink = profile.ReadNumber(kSection, "Auto Shrink").value_or(defaults.autoShrink) != 0;
    settings.sync = profile.ReadNumber(kSection, "Sync").value_or(defaults.sync) != 0;
    settings.higherPriority = profile.ReadNumber(kSection, "Higher Priority").value_or(defaults.higherPriority) != 0;
    settings.drumkit = std::clamp(profile.ReadNumber(kSection, "Drumkit").value_or(defaults.drumkit), 0, 1);
    settings.midiVoice = std::clamp(profile.ReadNumber(kSection, "MIDI Voice").value_or(defaults.midiVoice), 0, 127);
    return settings;
}

bool WriteSystemSettings(PrivateProfile& profile, const SystemSettings& settings, MessageReporter& reporter) {
    const std::array<std::pair<std::string_view, int>, 6> values = {{
        {"Always On Top", settings.alwaysOnTop},
        {"Auto Shrink", settings.autoShrink},
        {"Sync", settings.sync},
        {"Higher Priority", settings.higherPriority},
        {"Drumkit", settings.drumkit},
        {"MIDI Voice", settings.midiVoice},
    }};
    bool allStored = true;
    for (const auto& [key, value] : values) {
        if (!profile.WriteInt(kSection, key, value)) {
            reporter.Report(MessageKind::Warning, Text(strings::kCouldNotStorePreference));
            allStored = false;
        }
    }
    return allStored;
}

}  // namespace voxnote
