#include "stepweave/data/default_kit.h"

#include <cstring>
#include <filesystem>

#include "stepweave/data/synth/drum_synth.h"
#include "stepweave/sound/kit/kit_layout.h"
#include "stepweave/sound/files/little_endian.h"
#include "stepweave/sound/wav/wave_data.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/wav/wave_format.h"

namespace stepweave {

namespace {

constexpr int kBytesPerSample = 2;

void SetMonoPcmFormat(WaveData& wave) {
    const WaveFormatRecord record = EncodeWaveFormat(PcmFormat(kDrumSampleRate, 8 * kBytesPerSample, 1));
    wave.SetFormat(record.data(), kWaveFormatRecordSize);
}

}  // namespace

WaveData MonoPcmWave(const std::vector<int16_t>& samples) {
    WaveData wave;
    SetMonoPcmFormat(wave);
    wave.SetSize(static_cast<int32_t>(samples.size()) * kBytesPerSample);
    uint8_t* bytes = wave.Data();
    for (size_t i = 0; i < samples.size(); ++i) {
        StoreLittleEndian16(bytes + kBytesPerSample * i, static_cast<uint16_t>(samples[i]));
    }
    return wave;
}

WaveData BlankWave() {
    const auto count = static_cast<size_t>(kBlankWaveSeconds * kDrumSampleRate);
    return MonoPcmWave(std::vector<int16_t>(count, 0));
}

void BuildDefaultKit(WaveCollection& kit) {
    kit.Clear();
    for (int slot = 0; slot < kKitSlotCount; ++slot) {
        WaveCollectionItem& item = kit.Add();
        item.SetName(std::string(kKitSlotNames[static_cast<size_t>(slot)]));
        if (slot == 0) {
            item.SetWave(BlankWave());
        } else {
            item.SetWave(MonoPcmWave(SynthesizeDrum(kAllDrumInstruments[static_cast<size_t>(slot - 1)])));
        }
    }
}

void WriteSeedFiles(const std::string& folder) {
    const std::filesystem::path root(folder);
    std::filesystem::create_directories(root / kTempFolderName);
    BlankWave().SaveToFile((root / kBlankWaveFileName).string());
    WaveCollection kit;
    BuildDefaultKit(kit);
    kit.SaveToFile((root / kDefaultKitFileName).string());
}

}  // namespace stepweave
