#include "stepweave/sequencer/render/render_sounds.h"

#include <filesystem>
#include <system_error>

#include "stepweave/data/start_folder_files.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/wave_collection.h"

namespace stepweave {

namespace {

namespace fs = std::filesystem;

constexpr double kGainUnits = 4000.0;
constexpr double kPanUnits = 2000.0;

void MakeTempFolder(const std::string& startDirectory) {
    const std::string folder = RenderTempFolderPath(startDirectory);
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) {
        throw EFCreateError(folder);
    }
}

void CopyFile(const std::string& from, const std::string& to) {
    TFileStream source(from);
    TSafeFileStream target(to);
    target.CopyFrom(source, 0);
    target.Commit();
}

RenderSound ExportKitItem(const std::string& startDirectory, const TWaveCollection& kit, int item) {
    RenderSound sound;
    sound.name = std::string(InstrumentList::Label(item));
    sound.kit = true;
    if (item >= kit.Count()) {
        return sound;
    }
    const TWaveCollectionItem& kitItem = kit.Items(item);
    sound.file = KitExportPath(startDirectory, item);
    kitItem.Wave().SaveToFile(sound.file);
    sound.pan = kitItem.Pan() / kPanUnits;
    return sound;
}

RenderSound ExportSample(const std::string& startDirectory, const RenderSampleSetting& setting, int sample) {
    RenderSound sound;
    sound.name = "Sample " + std::to_string(sample);
    sound.file = SampleExportPath(startDirectory, sample);
    std::error_code ignored;
    fs::remove(sound.file, ignored);
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

std::string KitExportPath(const std::string& startDirectory, int item) {
    return (fs::path(RenderTempFolderPath(startDirectory)) / (std::to_string(item) + ".wav")).string();
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

RenderSounds ExportRenderSounds(const std::string& startDirectory, const TWaveCollection& kit,
                                const RenderSampleSettings& samples) {
    MakeTempFolder(startDirectory);
    RenderSounds sounds;
    // Item 0, the blank slot, is written too, although no cell plays it.
    ExportKitItem(startDirectory, kit, 0);
    for (int item = InstrumentList::kFirstKitInstrument; item <= InstrumentList::kLastKitInstrument; ++item) {
        sounds[static_cast<size_t>(item)] = ExportKitItem(startDirectory, kit, item);
    }
    for (int sample = 1; sample <= kUserSampleCount; ++sample) {
        const int index = InstrumentList::kLastKitInstrument + sample;
        sounds[static_cast<size_t>(index)] =
            ExportSample(startDirectory, samples[static_cast<size_t>(sample - 1)], sample);
    }
    return sounds;
}

}  // namespace stepweave
