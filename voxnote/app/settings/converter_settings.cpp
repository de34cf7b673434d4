#include "voxnote/app/settings/converter_settings.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// Sections the file keeps for itself: a preset of that name would mix its
// values into them, and deleting it would lose them.
bool IsProgramSection(std::string_view name) {
    constexpr std::array<std::string_view, 3> kSections = {"Mixer Location", "Last Used", "System Settings"};
    return std::any_of(kSections.begin(), kSections.end(),
                       [name](std::string_view section) { return EqualIgnoringCase(name, section); });
}

bool RefuseProgramSection(std::string_view name, MessageReporter& reporter) {
    if (!IsProgramSection(name)) {
        return false;
    }
    reporter.Report(MessageKind::Information, FormatText(strings::kReservedPresetName, {std::string(name)}));
    return true;
}

}  // namespace

ConverterSettings::ConverterSettings(std::filesystem::path profilePath)
    : profile_(std::move(profilePath)), system_(ReadSystemSettings(profile_)),
      wavDetector_(ReadDetectorChoice(profile_)) {}

bool ConverterSettings::SetWavDetector(DetectorChoice detector, MessageReporter& reporter) {
    if (detector == wavDetector_) {
        return true;
    }
    wavDetector_ = detector;
    return WriteDetectorChoice(profile_, detector, reporter);
}

void ConverterSettings::StartUp() {
    presets_.Write(kDefaultPresetName, StartUpDetectorSettings());
    const std::string lastUsed = presets_.LastUsedName();
    if (!lastUsed.empty()) {
        TakePreset(presets_.Read(lastUsed), lastUsed);
    }
}

bool ConverterSettings::WriteSystemSettings(MessageReporter& reporter) {
    return voxnote::WriteSystemSettings(profile_, system_, reporter);
}

NoteRange ConverterSettings::Range() const {
    return {detector_.Values().maximumNote, detector_.Values().minimumNote};
}

void ConverterSettings::SetRange(NoteRange range) {
    detector_.SetMaximumNote(range.maximum);
    detector_.SetMinimumNote(range.minimum);
}

void ConverterSettings::SetScale(int scale) { detector_.SetScale(scale); }

bool ConverterSettings::RhythmMode() const { return detector_.Values().constantNote != kConstantNoteOff; }

bool ConverterSettings::ToggleRhythmMode(MessageReporter& reporter) {
    detector_.SetConstantNote(RhythmMode() ? kConstantNoteOff : rhythmNote_);
    WriteSystemSettings(reporter);
    return RhythmMode();
}

void ConverterSettings::SetRhythmNote(int note) {
    rhythmNote_ = std::clamp(note, 0, 127);
    if (RhythmMode()) {
        detector_.SetConstantNote(rhythmNote_);
    }
}

std::string ConverterSettings::PresetNameOnOpening() const {
    return displayedSettingTouched_ ? std::string(kDefaultPresetName) : std::string();
}

bool ConverterSettings::LoadPreset(std::string_view name, MessageReporter& reporter) {
    if (RefuseProgramSection(name, reporter)) {
        return false;
    }
    TakePreset(presets_.Load(name), name);
    return true;
}

bool ConverterSettings::SavePreset(std::string_view name, MessageReporter& reporter) {
    if (RefuseProgramSection(name, reporter)) {
        return false;
    }
    presets_.Save(name, detector_.Values());
    presetName_ = name;
    return true;
}

bool ConverterSettings::DeletePreset(std::string_view name, MessageReporter& reporter) {
    if (RefuseProgramSection(name, reporter)) {
        return false;
    }
    return presets_.Delete(name, reporter);
}

void ConverterSettings::TakePreset(const DetectorSettings& preset, std::string_view name) {
    detector_.Load(preset);
    rhythmNote_ = RhythmNoteOf(detector_.Values());
    presetName_ = name;
}

}  // namespace voxnote
