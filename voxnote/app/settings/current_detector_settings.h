#pragma once
// The detector settings as the program holds them while it runs: the preset
// values in the units of the user interface, and beside them the analysis
// header they are converted into. Each value is converted when it is set; a
// loaded preset converts them all.
//
// At start the header holds its own start-up values (input threshold 450,
// release drop 150), which are not what the start-up slider positions 13 and
// 10 would give (454 and 200): they stay until the slider moves or a preset
// is loaded.
#include "voxnote/analysis/detector/detector_header_settings.h"
#include "voxnote/app/settings/detector_settings.h"

namespace voxnote {

class CurrentDetectorSettings {
public:
    // The start-up values of both.
    CurrentDetectorSettings();

    const DetectorSettings& Values() const { return values_; }
    const DetectorHeaderSettings& Header() const { return header_; }

    // Takes every value of a preset (brought into its control's range).
    void Load(const DetectorSettings& preset);

    void SetInputVolume(int position);
    void SetGapRatio(int position);
    void SetNoteStopRatio(int position);
    void SetOutputVolume(int volume);
    void SetTuning(int tuning);
    void SetMinimumNote(int note);
    void SetMaximumNote(int note);
    // Scale lock follows: on for 0-11, off for 12.
    void SetScale(int scale);
    void SetTransposition(int semitones);
    void SetFixedVolume(bool fixed);
    // -1 ends rhythm mode; a note 0-127 starts it with that note.
    void SetConstantNote(int note);

private:
    DetectorSettings values_;
    DetectorHeaderSettings header_;
};

}  // namespace voxnote
