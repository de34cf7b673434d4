#include "tests/support/scratch_folder.h"
#include "stepweave/sound/cli/kit_play_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "tests/stepweave/sound/output/manual_sound_output.h"
#include "tests/stepweave/sound/mixer/sound_measure.h"
#include "stepweave/sound/backend/audio_backend_choice.h"
#include "stepweave/sound/kit/kit_layout.h"
#include "stepweave/sound/files/little_endian.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/wav/playable_format.h"
#include "stepweave/sound/wav/wave_data.h"

namespace fs = std::filesystem;
using namespace stepweave;
using namespace stepweave::testing;

namespace {

// A kit whose slot n sounds for 100 ms at a level of 1000 x n, so each
// sound can be told apart in the output.
std::string MakeKit() {
    const fs::path folder = ScratchFolder("stepweave_kit_play_test");
    fs::create_directories(folder);
    WaveCollection kit;
    for (int slot = 0; slot < kKitSlotCount; ++slot) {
        WaveCollectionItem& item = kit.Add();
        item.SetName(std::string(kKitSlotNames[static_cast<size_t>(slot)]));
        uint8_t record[16];
        StoreLittleEndian16(record, 1);
        StoreLittleEndian16(record + 2, 1);
        StoreLittleEndian32(record + 4, 44100);
        StoreLittleEndian32(record + 8, 88200);
        StoreLittleEndian16(record + 12, 2);
        StoreLittleEndian16(record + 14, 16);
        item.Wave().SetFormat(record, 16);
        item.Wave().SetSize(4410 * 2);
        const std::vector<int16_t> samples(4410, static_cast<int16_t>(1000 * slot));
        std::memcpy(item.Wave().Data(), samples.data(), samples.size() * 2);
    }
    const std::string path = (folder / "levels.dxg").string();
    kit.SaveToFile(path);
    return path;
}

struct KitPlayOnManualDevice : ::testing::Test {
    int Run(const KitPlayArguments& arguments) { return KitPlayCommand(arguments, output.Source(), out, err, timers); }

    ManualSoundOutput output;
    TimerScheduler timers{output.clock};
    std::ostringstream out;
    std::ostringstream err;
};

}  // namespace

TEST_F(KitPlayOnManualDevice, PlaysTheNamedSoundsAQuarterSecondApartAtTheLevelAndPanGiven) {
    KitPlayArguments arguments{MakeKit(), {"Snare", "kick      [ ]", "Short Kick"}, 2, -10000};
    ASSERT_EQ(Run(arguments), 0) << err.str();
    EXPECT_EQ(out.str(), "\"Snare     [ ]\"\n\"Kick      [ ]\"\n\"Short Kick[ ]\"\n");

    const auto& sound = output.clock.Output();
    const int64_t first = FirstSoundingFrame(sound);
    const double gain = std::pow(10.0, -1000 / 2000.0);  // level 2: -10 dB
    const int slots[] = {3, 1, 2};
    for (int i = 0; i < 3; ++i) {
        const int64_t onset = first + 11025 * i;
        EXPECT_EQ(FirstSoundingFrame(sound, onset - 10), onset) << i;
        EXPECT_NEAR(SampleAt(sound, onset + 100, Side::Left), 1000 * slots[i] / 32768.0 * gain, 1e-6);
        EXPECT_EQ(SampleAt(sound, onset + 100, Side::Right), 0.0f);
    }
    // It returned only after the last one had sounded whole.
    EXPECT_EQ(LastSoundingFrame(sound), first + 2 * 11025 + 4410 - 1);
    EXPECT_GT(FrameCount(sound), LastSoundingFrame(sound) + 441);
}

TEST_F(KitPlayOnManualDevice, PlaysAllSixteenInstrumentsWhenNoneIsNamed) {
    ASSERT_EQ(Run({MakeKit(), {}, 1, 0}), 0) << err.str();
    std::istringstream lines(out.str());
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        EXPECT_EQ(line, "\"" + std::string(kKitSlotNames[static_cast<size_t>(count)]) + "\"");
    }
    EXPECT_EQ(count, 16);
    const auto& sound = output.clock.Output();
    const int64_t first = FirstSoundingFrame(sound);
    EXPECT_EQ(LastSoundingFrame(sound), first + 15 * 11025 + 4410 - 1);
}

TEST_F(KitPlayOnManualDevice, ReportsWhatItCannotFindOrOpen) {
    EXPECT_EQ(Run({MakeKit(), {"Kick", "Triangle"}, 1, 0}), 1);
    EXPECT_EQ(err.str(), "Wave 'Triangle' not found\n");
    EXPECT_EQ(FirstSoundingFrame(output.clock.Output()), -1);

    err.str("");
    EXPECT_EQ(Run({"/nonexistent/kit.dxg", {}, 1, 0}), 1);
    EXPECT_EQ(err.str(), "Cannot open file /nonexistent/kit.dxg\n");
}

TEST(KitPlayWithoutDevice, SaysTheDeviceCannotBeInitialized) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(KitPlayCommand({MakeKit(), {"Kick"}, 1, 0}, AudioBackendNamed("bogus"), out, err), 1);
    EXPECT_EQ(err.str(), std::string(kBogusDeviceMessage) + "\n");
}

TEST_F(KitPlayOnManualDevice, StoppingEndsAtOnceAndSaysSo) {
    int asked = 0;
    // Asked once before each further sound and while the last ones ring:
    // the user stops after the second sound has started.
    const auto stop = [&] { return ++asked > 1 && out.str().find("Short Kick") != std::string::npos; };
    KitPlayArguments arguments{MakeKit(), {"Kick", "Short Kick", "Snare"}, 1, 0};
    EXPECT_EQ(KitPlayCommand(arguments, output.Source(), out, err, timers, stop), kKitPlayInterrupted) << err.str();
    EXPECT_EQ(out.str(), "\"Kick      [ ]\"\n\"Short Kick[ ]\"\nStopped\n");
    EXPECT_EQ(err.str(), "");
}

TEST(KitPlayRecording, StoppedByTheUserLeavesAWholeRecordingAndNoTemporaryFile) {
    const fs::path folder = ScratchFolder("stepweave_kit_play_stopped");
    const fs::path target = folder / "kit.wav";
    const std::string kit = MakeKit();
    std::ostringstream out;
    std::ostringstream err;
    // Stops a few polls after the first sound has started, while it still plays.
    int pollsSinceFirst = 0;
    const auto stop = [&] { return !out.str().empty() && ++pollsSinceFirst > 3; };
    EXPECT_EQ(KitPlayCommand({kit, {}, 1, 0}, AudioBackendNamed("file:" + target.string()), out, err, MainTimers(), stop),
              kKitPlayInterrupted)
        << err.str();
    EXPECT_EQ(out.str(), "\"Kick      [ ]\"\nStopped\n");
    ASSERT_TRUE(fs::exists(target));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1) << "no temporary left";
    WaveData recorded;
    recorded.LoadFromFile(target.string());
    EXPECT_EQ(UnplayableFormat(recorded), "") << "a whole 16-bit stereo file";
    EXPECT_GT(recorded.Size(), 0);
}
