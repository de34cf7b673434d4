#include "voxnote/app/mididevices/setup_lists.h"

#include <algorithm>

#include "voxnote/app/settings/detector_settings.h"

namespace voxnote {

namespace {
constexpr int kHighestNote = 127;
}

std::vector<std::string> OutputVolumeEntries() {
    std::vector<std::string> entries;
    for (int volume = kOutputVolumeLargest; volume >= 0; --volume) {
        entries.push_back(std::to_string(volume));
    }
    return entries;
}

int OutputVolumeRow(int outputVolume) { return kOutputVolumeLargest - outputVolume; }

int OutputVolumeAtRow(int row) { return kOutputVolumeLargest - row; }

std::vector<std::string> TuningEntries() {
    std::vector<std::string> entries;
    for (int tuning = kTuningLargest; tuning >= -kTuningLargest; --tuning) {
        entries.push_back(tuning > 0 ? "+" + std::to_string(tuning) : std::to_string(tuning));
    }
    return entries;
}

int TuningRow(int tuning) { return kTuningLargest - tuning; }

int TuningAtRow(int row) { return kTuningLargest - row; }

int TuningMeterRow(int fineStep) { return 14 - std::clamp(fineStep, 0, 9); }

std::vector<std::string> RhythmNoteEntries(DrumKitNames kit) {
    std::vector<std::string> entries;
    for (int note = kHighestNote; note >= 0; --note) {
        entries.push_back(RhythmNoteEntry(kit, note));
    }
    return entries;
}

int RhythmNoteRow(int note) { return kHighestNote - note; }

int RhythmNoteAtRow(int row) { return kHighestNote - row; }

int TopRowShowingThird(int row) { return std::max(0, row - 2); }

}  // namespace voxnote
