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
    settings.alwaysOnTop = profile.ReadInt(kSection, "Always On Top", defaults.alwaysOnTop) != 0;
    settings.autoShrink = profile.ReadInt(kSection, "Auto Shrink", defaults.autoShrink) != 0;
    settings.sync = profile.ReadInt(kSection, "Sync", defaults.sync) != 0;
    settings.higherPriority = profile.ReadInt(kSection, "Higher Priority", defaults.higherPriority) != 0;
    settings.drumkit = std::clamp(profile.ReadInt(kSection, "Drumkit", defaults.drumkit), 0, 1);
    settings.midiVoice = std::clamp(profile.ReadInt(kSection, "MIDI Voice", defaults.midiVoice), 0, 127);
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
