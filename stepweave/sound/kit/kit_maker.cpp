#include "stepweave/sound/kit/kit_maker.h"

#include <filesystem>
#include <system_error>

#include "stepweave/sound/kit/blank_wave_file.h"
#include "stepweave/sound/kit/kit_layout.h"
#include "stepweave/sound/files/same_text.h"
#include "stepweave/sound/kit/wave_collection.h"

namespace stepweave {

namespace {

// The wave as it comes back from a WAV file it was saved to: the writer
// writes nothing for a wave without format or data.
void CopyThroughWavFile(const WaveData& source, WaveData& target) {
    if (source.FormatSize() <= 0 || source.Size() <= 0) {
        target.Clear();
    } else {
        target.Assign(&source);
    }
}

}  // namespace

std::string BlankWavePath(const std::string& startDirectory) {
    namespace fs = std::filesystem;
    const fs::path folder(startDirectory);
    std::error_code error;
    if (fs::is_regular_file(folder / kBlankWaveFileName, error)) {
        return (folder / kBlankWaveFileName).string();
    }
    std::string found;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (SameText(name, kBlankWaveFileName) && entry->is_regular_file(error) && (found.empty() || name < found)) {
            found = name;
        }
    }
    return (folder / (found.empty() ? kBlankWaveFileName : found)).string();
}

void PrepareKit(WaveCollection& kit, const WaveData& blank, const WaveCollection* templateKit) {
    kit.Clear();
    for (std::string_view name : kKitSlotNames) {
        WaveCollectionItem& item = kit.Add();
        item.SetName(std::string(name));
        item.SetWave(blank);
    }
    if (templateKit != nullptr) {
        for (int slot = 1; slot < kKitSlotCount; ++slot) {
            CopyThroughWavFile(templateKit->Items(slot).Wave(), kit.Items(slot).Wave());
        }
    }
}

void CheckKitLayout(const WaveCollection& kit) {
    for (std::string_view name : kKitSlotNames) {
        kit.Find(name);
    }
}

}  // namespace stepweave
