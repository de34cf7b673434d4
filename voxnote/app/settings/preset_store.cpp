#include "voxnote/app/settings/preset_store.h"

#include <optional>

#include "voxnote/app/settings/preset_list.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

constexpr std::string_view kLastUsedSection = "Last Used";
constexpr std::string_view kLastUsedKey = "section";

// The stored values of a preset, in the order of kDetectorSettingKeys.
std::array<int, 12> StoredValues(const DetectorSettings& s) {
    return {s.inputVolume, s.gapRatio,       s.tuning,          s.maximumNote,
            s.minimumNote, s.lockToScaleOn,  s.scale,           s.fixedVolumeFlag,
            s.noteStopRatio, s.transposition, s.constantNote,   s.outputVolume};
}

// Byte fields keep only their low byte, read as signed: a stored 255 is -1.
int8_t AsSignedByte(int value) {
    return static_cast<int8_t>(static_cast<uint8_t>(value & 0xFF));
}

}  // namespace

bool PresetStore::Exists(std::string_view name) {
    return profile_.HasSection(name);
}

DetectorSettings PresetStore::Read(std::string_view name) {
    const DetectorSettings defaults;
    std::array<int, 12> values = StoredValues(defaults);
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = profile_.ReadNumber(name, kDetectorSettingKeys[i]).value_or(values[i]);
    }
    DetectorSettings settings;
    settings.inputVolume = values[0];
    settings.gapRatio = values[1];
    settings.tuning = values[2];
    settings.maximumNote = values[3];
    settings.minimumNote = values[4];
    settings.lockToScaleOn = AsSignedByte(values[5]);
    settings.scale = AsSignedByte(values[6]);
    settings.fixedVolumeFlag = AsSignedByte(values[7]);
    settings.noteStopRatio = values[8];
    settings.transposition = AsSignedByte(values[9]);
    settings.constantNote = AsSignedByte(values[10]);
    settings.outputVolume = values[11];
    return WithinControlRanges(settings);
}

void PresetStore::Write(std::string_view name, const DetectorSettings& settings) {
    std::array<int, 12> values = StoredValues(settings);
    for (size_t i = 0; i < values.size(); ++i) {
        profile_.WriteInt(name, kDetectorSettingKeys[i], values[i]);
    }
}

std::string PresetStore::LastUsedName() {
    return profile_.ReadString(kLastUsedSection, kLastUsedKey, "", kLastUsedNameLength);
}

void PresetStore::RememberLastUsed(std::string_view name) {
    profile_.WriteString(kLastUsedSection, kLastUsedKey, name);
}

DetectorSettings PresetStore::Load(std::string_view name) {
    profile_.Flush();  // the preset as the file holds it now, changed by hand maybe
    DetectorSettings settings = Read(name);
    RememberLastUsed(name);
    profile_.Flush();
    return settings;
}

void PresetStore::Save(std::string_view name, const DetectorSettings& settings) {
    Write(name, settings);
    RememberLastUsed(name);
    profile_.Flush();
}

bool PresetStore::Delete(std::string_view name, MessageReporter& reporter) {
    if (name == kDefaultPresetName) {
        reporter.Report(MessageKind::Information, Text(strings::kCannotDeleteDefaultSettings));
        return false;
    }
    if (name.empty()) {
        return false;
    }
    if (!profile_.DeleteSection(name)) {
        reporter.Report(MessageKind::Warning, Text(strings::kFailedToDeletePreset));
        return false;
    }
    profile_.Flush();
    return true;
}

std::vector<std::string> PresetStore::Names() {
    std::optional<std::string> text = profile_.ReadWholeFile();
    return text ? PresetNamesInProfileText(*text) : std::vector<std::string>();
}

}  // namespace voxnote
