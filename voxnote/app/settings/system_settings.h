#pragma once
// SystemSettings: the program-wide values kept in the section
// "System Settings" of the settings file.
#include "voxnote/app/shell/message_reporter.h"
#include "voxnote/app/settings/private_profile.h"

namespace voxnote {

struct SystemSettings {
    bool alwaysOnTop = true;
    bool autoShrink = false;
    bool sync = false;            // true: Synchronous, false: Asynchronous
    bool higherPriority = false;
    int drumkit = 0;              // 0 GM drum names, 1 GS drum names
    int midiVoice = 0;            // General MIDI program 0-127

    bool operator==(const SystemSettings&) const = default;
};

// Missing keys and values that hold no number give the member defaults; Drumkit and MIDI Voice are brought
// into their ranges.
SystemSettings ReadSystemSettings(PrivateProfile& profile);

// Writes the six keys in order; each key that cannot be stored is reported
// ("Couldn't store preference"). True when all were stored.
bool WriteSystemSettings(PrivateProfile& profile, const SystemSettings& settings, MessageReporter& reporter);

}  // namespace voxnote
