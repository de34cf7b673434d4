// The seed files made at build time, read back with the kit and wave
// readers the program itself uses.
#include "tests/support/scratch_folder.h"
#include "stepweave/data/default_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "stepweave/data/synth/drum_synth.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/kit/kit_layout.h"
#include "stepweave/sound/wav/wave_data.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/wav/wave_format.h"

namespace fs = std::filesystem;
using namespace stepweave;

namespace {

const fs::path kSeedFolder = SEED_DATA_DIR;

fs::path FreshFolder(const std::string& name) {
    const fs::path folder = ScratchFolder("default_kit_test_" + name);
    fs::remove_all(folder);
    return folder;
}

void ExpectMonoPcm16At44100(const WaveData& wave) {
    WaveFormat format;
    ASSERT_TRUE(ParseWaveFormat(wave.Format(), wave.FormatSize(), format));
    EXPECT_EQ(format.formatTag, kWaveFormatPcm);
    EXPECT_EQ(format.channels, 1);
    EXPECT_EQ(format.samplesPerSec, 44100u);
    EXPECT_EQ(format.avgBytesPerSec, 88200u);
    EXPECT_EQ(format.blockAlign, 2);
    EXPECT_EQ(format.bitsPerSample, 16);
}

std::vector<uint8_t> DataOf(const WaveData& wave) {
    return {wave.Data(), wave.Data() + wave.Size()};
}

std::vector<uint8_t> LittleEndianBytes(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes;
    for (int16_t sample : samples) {
        bytes.push_back(static_cast<uint8_t>(sample & 0xFF));
        bytes.push_back(static_cast<uint8_t>((static_cast<uint16_t>(sample) >> 8) & 0xFF));
    }
    return bytes;
}

}  // namespace

TEST(DefaultKit, BuiltKitHasTheSeventeenSlotsWithTheirSounds) {
    WaveCollection kit;
    kit.LoadFromFile((kSeedFolder / kDefaultKitFileName).string());
    ASSERT_EQ(kit.Count(), kKitSlotCount);
    for (int slot = 0; slot < kKitSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        const WaveCollectionItem& item = kit.Items(slot);
        EXPECT_EQ(item.Name(), kKitSlotNames[static_cast<size_t>(slot)]);
        ExpectMonoPcm16At44100(item.Wave());
        if (slot > 0) {
            // The file holds what the synthesiser makes today, byte for byte.
            const DrumInstrument instrument = kAllDrumInstruments[static_cast<size_t>(slot - 1)];
            EXPECT_EQ(DataOf(item.Wave()), LittleEndianBytes(SynthesizeDrum(instrument)));
        }
    }
    // The sequencer finds its instruments by label, whatever the letter case.
    EXPECT_EQ(kit.Find("kick      [ ]").Index(), 1);
    EXPECT_EQ(kit.Find("TAMB      [ ]").Index(), 16);
}

TEST(DefaultKit, BlankSlotAndBlankFileAreTheSameSilence) {
    WaveData blank;
    blank.LoadFromFile((kSeedFolder / kBlankWaveFileName).string());
    ExpectMonoPcm16At44100(blank);
    ASSERT_EQ(blank.Size(), 2 * 4410);
    const auto data = DataOf(blank);
    EXPECT_TRUE(std::all_of(data.begin(), data.end(), [](uint8_t byte) { return byte == 0; }));

    WaveCollection kit;
    kit.LoadFromFile((kSeedFolder / kDefaultKitFileName).string());
    EXPECT_EQ(kit.Items(0).Wave().Image(), blank.Image());
    EXPECT_TRUE(fs::is_directory(kSeedFolder / kTempFolderName));
}

TEST(DefaultKit, SeedFilesGoIntoANewFolderAndLeaveTempAlone) {
    const fs::path folder = FreshFolder("new") / "workspace";
    WriteSeedFiles(folder.string());
    EXPECT_EQ(ReadWholeFile((folder / kDefaultKitFileName).string()),
              ReadWholeFile((kSeedFolder / kDefaultKitFileName).string()));
    EXPECT_EQ(ReadWholeFile((folder / kBlankWaveFileName).string()),
              ReadWholeFile((kSeedFolder / kBlankWaveFileName).string()));
    ASSERT_TRUE(fs::is_directory(folder / kTempFolderName));

    // Seeding again replaces the kit and keeps what the renderer left in temp.
    WriteFileSafely((folder / kTempFolderName / "1.wav").string(), "kept");
    WriteFileSafely((folder / kDefaultKitFileName).string(), "old kit");
    WriteSeedFiles(folder.string());
    EXPECT_EQ(ReadWholeFile((folder / kDefaultKitFileName).string()),
              ReadWholeFile((kSeedFolder / kDefaultKitFileName).string()));
    EXPECT_EQ(ReadWholeFile((folder / kTempFolderName / "1.wav").string()).size(), 4u);
    // No temporary files are left beside the written ones.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);
}

TEST(DefaultKit, SeedingFailsLoudlyWhereTheFolderCannotBe) {
    const fs::path parent = FreshFolder("blocked");
    fs::create_directories(parent);
    WriteFileSafely((parent / "file").string(), "a file, not a folder");
    EXPECT_ANY_THROW(WriteSeedFiles((parent / "file").string()));
    EXPECT_EQ(ReadWholeFile((parent / "file").string()).size(), 20u);
}
