#include "voxnote/app/settings/detector_choice.h"

#include <algorithm>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

constexpr std::string_view kSection = "System Settings";
constexpr std::string_view kKey = "Detector";

constexpr DetectorChoice kDetectors[] = {DetectorChoice::Classic, DetectorChoice::Precise};

int StoredValue(DetectorChoice detector) {
    return detector == DetectorChoice::Precise ? 1 : 0;
}

}  // namespace

std::span<const DetectorChoice> DetectorChoices() {
    return kDetectors;
}

std::string CommandLineName(DetectorChoice detector) {
    return detector == DetectorChoice::Precise ? "precise" : "classic";
}

std::vector<std::string> CommandLineNames() {
    std::vector<std::string> names;
    for (DetectorChoice detector : DetectorChoices()) {
        names.push_back(CommandLineName(detector));
    }
    return names;
}

std::optional<DetectorChoice> DetectorNamed(std::string_view commandLineName) {
    for (DetectorChoice detector : DetectorChoices()) {
        if (CommandLineName(detector) == commandLineName) {
            return detector;
        }
    }
    return std::nullopt;
}

std::string DetectorCaption(DetectorChoice detector) {
    return Text(detector == DetectorChoice::Precise ? strings::kPreciseDetectorCaption
                                                    : strings::kClassicDetectorCaption);
}

DetectorChoice ReadDetectorChoice(PrivateProfile& profile) {
    const int stored = std::clamp(profile.ReadNumber(kSection, kKey).value_or(StoredValue(DetectorChoice::Classic)), 0, 1);
    return stored == 1 ? DetectorChoice::Precise : DetectorChoice::Classic;
}

bool WriteDetectorChoice(PrivateProfile& profile, DetectorChoice detector, MessageReporter& reporter) {
    if (profile.WriteInt(kSection, kKey, StoredValue(detector))) {
        return true;
    }
    reporter.Report(MessageKind::Warning, Text(strings::kCouldNotStorePreference));
    return false;
}

}  // namespace voxnote
