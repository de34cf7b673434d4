#include "stepweave/sequencer/render/render_sounds.h"

#include <filesystem>

#include "stepweave/data/start_folder_files.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/wav/playable_format.h"
#include "stepweave/sound/wav/wave_stream.h"
#include "stepweave/sequencer/render/render_export_folder.h"

namespace stepweave {

namespace {

namespace fs = std::filesystem;

constexpr double kGainUnits = 4000.0;
constexpr double kPanUnits = 2000.0;

// The name part of a kit label: its first ten characters.
constexpr size_t kKitLabelNameWidth = 10;

// "Snare" for "Snare     [ ]".
std::string InstrumentName(const std::string& label) {
    const std::string name = label.substr(0, kKitLabelNameWidth);
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

void CopyFile(const std::string& from, const std::string& to) {
    FileStream source(from);
    SafeFileStream target(to);
    target.CopyFrom(source, 0);
    target.Commit();
}

RenderSound ExportKitItem(const RenderExportFolder& folder, const WaveCollection& kit, int item) {
    RenderSound sound;
    sound.name = std::string(InstrumentList::Label(item));
    sound.source = InstrumentName(sound.name);
    sound.kit = true;
    if (item >= kit.Count()) {
        return sound;
    }
    const WaveCollectionItem& kitItem = kit.Items(item);
    sound.file = folder.KitExport(item);
    kitItem.Wave().SaveToFile(sound.file);
    sound.pan = kitItem.Pan() / kPanUnits;
    return sound;
}

RenderSound ExportSample(const RenderExportFolder& folder, const std::string& startDirectory,
                         const RenderSampleSetting& setting, int sample) {
    RenderSound sound;
    sound.name = "Sample " + std::to_string(sample);
    sound.source = sound.name + " (" + fs::path(setting.fileName).filename().string() + ")";
    sound.file = folder.SampleExport(sample);
    CopyFile(SampleSourcePath(startDirectory, setting.fileName), sound.file);
    sound.volume = (setting.volume + kGainUnits) / kGainUnits;
    sound.pan = setting.pan / kPanUnits;
    sound.frequency = setting.frequency > 0 ? setting.frequency : 0.0;
    return sound;
}

}  // namespace

std::string RenderTempFolderPath(const std::string& startDirectory) {
    return (fs::path(startDirectory) / kTempFolderName).string();
}

std::string SampleExportPath(const std::string& startDirectory, int sample) {
    return (fs::path(RenderTempFolderPath(startDirectory)) / ("sample" + std::to_string(sample) + ".wav")).string();
}

std::string SampleSourcePath(const std::string& startDirectory, const std::string& fileName) {
    if (IsBlankSampleFile(fileName)) {
        return (fs::path(startDirectory) / kBlankWaveFileName).string();
    }
    const fs::path path(fileName);
    return path.is_absolute() ? fileName : (fs::path(startDirectory) / path).string();
}

double KitLevelVolume(int level) { return (kGainUnits - 500.0 * level) / kGainUnits; }

RenderSounds ExportRenderSounds(const RenderExportFolder& folder, const std::string& startDirectory,
                                const WaveCollection& kit, const RenderSampleSettings& samples) {
    RenderSounds sounds;
    // Item 0, the blank slot, is written too, although no cell plays it.
    ExportKitItem(folder, kit, 0);
    for (int item = InstrumentList::kFirstKitInstrument; item <= InstrumentList::kLastKitInstrument; ++item) {
        sounds[static_cast<size_t>(item)] = ExportKitItem(folder, kit, item);
    }
    for (int sample = 1; sample <= kUserSampleCount; ++sample) {
        const int index = InstrumentList::kLastKitInstrument + sample;
        sounds[static_cast<size_t>(index)] =
            ExportSample(folder, startDirectory, samples[static_cast<size_t>(sample - 1)], sample);
    }
    return sounds;
}

void CheckSoundCanBeMixed(const RenderSound& sound) {
    if (sound.file.empty()) {
        return;
    }
    FileStream file(sound.file);
    WaveStream wave(file);
    try {
        wave.Open(false);
    } catch (const WaveStreamError&) {
        return;  // not a wave at all: the mixing wave reads it as no sound, as it always has
    }
    // A wave without samples adds nothing, whatever its format says.
    if (wave.DataSize() > 0) {
        CheckPlayableFormat(wave.Format(), wave.FormatSize(), sound.source);
    }
}

}  // namespace stepweave
