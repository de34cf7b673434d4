#pragma once
// Which detector converts a WAV file: the classic one (the exact analysis
// that live runs use too) or the precise one, made for whole recordings.
// The WAV dialog's choice is remembered in the "System Settings" section of
// the settings file as "Detector", 0 for Classic and 1 for Precise, read the
// way the section's other numbers are: missing means Classic, and a number
// outside 0..1 is brought to the nearer end, as "Drumkit" is.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "voxnote/app/settings/private_profile.h"
#include "voxnote/app/shell/message_reporter.h"

namespace voxnote {

enum class DetectorChoice { Classic, Precise };

// Every choice, in the order the command line and the dialog list them.
std::span<const DetectorChoice> DetectorChoices();

// The command line's names: "classic" and "precise".
std::string CommandLineName(DetectorChoice detector);
std::vector<std::string> CommandLineNames();
std::optional<DetectorChoice> DetectorNamed(std::string_view commandLineName);

// The dialog's caption: "Classic" or "Precise".
std::string DetectorCaption(DetectorChoice detector);

DetectorChoice ReadDetectorChoice(PrivateProfile& profile);
// Reports "Couldn't store preference" when the key cannot be stored.
bool WriteDetectorChoice(PrivateProfile& profile, DetectorChoice detector, MessageReporter& reporter);

}  // namespace voxnote
