#pragma once
// Everything the converter keeps in its settings file and holds while it
// runs: the detector settings (with their analysis header), the system
// settings, the current preset's name, the rhythm note, the MIDI device and
// the detector that the WAV dialog converts with.
// The main window shows these values and its controls change them through here.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "voxnote/app/settings/current_detector_settings.h"
#include "voxnote/app/settings/detector_choice.h"
#include "voxnote/app/shell/message_reporter.h"
#include "voxnote/app/settings/note_range.h"
#include "voxnote/app/settings/preset_store.h"
#include "voxnote/app/settings/private_profile.h"
#include "voxnote/app/settings/system_settings.h"

namespace voxnote {

class ConverterSettings {
public:
    // Reads the system settings from the file (missing values get their defaults).
    explicit ConverterSettings(std::filesystem::path profilePath = VoxnoteProfilePath());

    // Rewrites the "Default" preset from the start-up values, then takes the
    // last used preset, if the file names one.
    void StartUp();

    PrivateProfile& Profile() { return profile_; }
    const CurrentDetectorSettings& Detector() const { return detector_; }
    CurrentDetectorSettings& Detector() { return detector_; }
    const SystemSettings& System() const { return system_; }
    SystemSettings& System() { return system_; }
    // Writes all six system settings, reporting each that cannot be stored.
    bool WriteSystemSettings(MessageReporter& reporter);

    const std::string& PresetName() const { return presetName_; }

    NoteRange Range() const;
    void SetRange(NoteRange range);
    int Scale() const { return detector_.Values().scale; }
    void SetScale(int scale);

    // Rhythm mode is on while Constant Note is set; the rhythm note is the
    // note it emits then.
    bool RhythmMode() const;
    int RhythmNote() const { return rhythmNote_; }
    // Constant Note becomes the rhythm note when it was off, else off; the
    // system settings are written then. Returns whether rhythm mode is on.
    bool ToggleRhythmMode(MessageReporter& reporter);
    // Constant Note follows while rhythm mode is on.
    void SetRhythmNote(int note);

    // The WAV dialog's "Detector", read with the system settings. A new
    // choice is stored at once (reported when it cannot be); the file is
    // not touched while the choice stays as it was.
    DetectorChoice WavDetector() const { return wavDetector_; }
    bool SetWavDetector(DetectorChoice detector, MessageReporter& reporter);

    // The MIDI output device for playing converted files; 0 at start, not saved.
    int MidiDeviceIndex() const { return midiDeviceIndex_; }
    void SetMidiDeviceIndex(int index) { midiDeviceIndex_ = index; }

    // Once a displayed setting (display mode, scale, note range, rhythm mode)
    // has been changed or Setup opened, the Presets dialog offers "Default"
    // as the name; before that it offers nothing.
    void NoteDisplayedSettingTouched() { displayedSettingTouched_ = true; }
    std::string PresetNameOnOpening() const;

    std::vector<std::string> PresetNames() { return presets_.Names(); }
    // The Presets dialog's operations; each records the preset as last used
    // (Load, Save) and flushes the file. The names of the file's own sections
    // are refused with a message. True when done.
    bool LoadPreset(std::string_view name, MessageReporter& reporter);
    bool SavePreset(std::string_view name, MessageReporter& reporter);
    bool DeletePreset(std::string_view name, MessageReporter& reporter);

private:
    void TakePreset(const DetectorSettings& preset, std::string_view name);

    PrivateProfile profile_;
    PresetStore presets_{profile_};
    CurrentDetectorSettings detector_;
    SystemSettings system_;
    DetectorChoice wavDetector_;
    std::string presetName_{kDefaultPresetName};
    int rhythmNote_ = kDefaultRhythmNote;
    int midiDeviceIndex_ = 0;
    bool displayedSettingTouched_ = false;
};

}  // namespace voxnote
