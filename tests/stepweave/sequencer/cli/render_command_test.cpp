// The headless render: a song file, its start folder and kit, and the output
// file, as Open Song followed by a render does it in the window.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/stepweave/sequencer/render/render_test_support.h"
#include "stepweave/sequencer/cli/render_command.h"
#include "stepweave/sequencer/session/workspace.h"

using namespace stepweave;
using namespace stepweave::render_testing;

namespace {

constexpr int kKick = 1;
constexpr int kSnare = 3;

struct Command {
    std::filesystem::path folder = StartFolder();
    std::ostringstream out;
    std::ostringstream err;
    int polls = 0;
    std::optional<int> stopAfterPolls;
    RenderConsole console{out, err, false, [this] { return stopAfterPolls && ++polls > *stopAfterPolls; }};
    RenderCommandArguments arguments;

    Command() {
        KitSounds sounds;
        sounds[kKick] = ClickSound(8000);
        sounds[kSnare] = ClickSound(4000);
        WaveCollection kit;
        BuildKit(kit, folder, sounds);
        kit.SaveToFile((folder / "standard.dxg").string());
        WritePattern(folder, "Intro", 2, 60, 1, {{1, 1, KitCell(kKick)}, {2, 1, KitCell(kKick)}});
        WritePattern(folder, "Verse", 4, 60, 1, {{1, 1, KitCell(kSnare, 0)}, {3, 2, SampleCell(1)}});
        WriteWav(folder / "ping.wav", ConstantSound(6000, 100));
        // Sample 1 at 22050 Hz with pan -4000: twice as long, right side silent.
        WriteSong({"Intro", "Verse"}, (folder / "ping.wav").string(), 22050, -4000);
        arguments.songPath = (folder / "tune.sng").string();
        arguments.outputPath = (folder / "tune.wav").string();
        arguments.startDirectory = folder.string();
    }

    void WriteSong(const std::vector<std::string>& entries, const std::string& sample, int frequency, int pan) {
        std::vector<std::string> lines = entries;
        for (int k = 1; k <= 8; ++k) {
            lines.insert(lines.end(), {"<*sam" + std::to_string(k), k == 1 ? sample : "Blank.wav",
                                       std::to_string(k == 1 ? frequency : 44100), "//",
                                       std::to_string(k == 1 ? pan : 0)});
        }
        stepweave::testing::WriteText(folder / "tune.sng", stepweave::testing::CrLfText(lines));
    }

    int Run() { return RenderCommand(arguments, console); }
};

}  // namespace

TEST(RenderCommand, RendersFromTheChosenEntryWithTheFoldersPansAndTheSongsSamples) {
    Command command;
    std::vector<std::string> pans(17, "0");
    pans[kSnare] = "2000";  // fully right
    stepweave::testing::WriteText(command.folder / "Panning.dat", stepweave::testing::CrLfText(pans));
    command.arguments.from = 1;

    ASSERT_EQ(command.Run(), 0) << command.err.str();
    const RenderedWav wav = ReadRenderedWav(command.arguments.outputPath);
    EXPECT_EQ(wav.Left(0), 0);
    EXPECT_EQ(wav.Right(0), 4000);  // the snare, not the intro's kick
    EXPECT_EQ(wav.Left(2 * 5292), 6000);
    EXPECT_EQ(wav.Right(2 * 5292), 0);
    EXPECT_EQ(wav.dataSize, (2u * 5292 + 200) * 4);
    EXPECT_NE(command.out.str().find("tune.wav: 0:00.24"), std::string::npos) << command.out.str();
    EXPECT_EQ(command.err.str(), "");
}

TEST(RenderCommand, AKitGivenInsteadOfTheStartFoldersTakesTheFoldersPans) {
    Command command;
    KitSounds sounds;
    sounds[kKick] = ClickSound(4000);
    WaveCollection other;
    BuildKit(other, command.folder, sounds);
    std::filesystem::create_directories(command.folder / "kits");
    other.SaveToFile((command.folder / "kits" / "other.dxg").string());
    std::filesystem::remove(command.folder / "standard.dxg");
    std::vector<std::string> pans(17, "0");
    pans[kKick] = "2000";  // fully right
    stepweave::testing::WriteText(command.folder / "Panning.dat", stepweave::testing::CrLfText(pans));
    command.arguments.kitPath = (command.folder / "kits" / "other.dxg").string();

    ASSERT_EQ(command.Run(), 0) << command.err.str();
    const RenderedWav wav = ReadRenderedWav(command.arguments.outputPath);
    EXPECT_EQ(wav.Left(0), 0);
    EXPECT_EQ(wav.Right(0), 3500) << "the other kit's kick at level 1";
}

TEST(RenderCommand, ErrorsAreReportedAndLeaveAnOlderOutputAsItWas) {
    Command command;
    stepweave::testing::WriteText(command.arguments.outputPath, "an older take");
    command.WriteSong({"Intro", "Gone"}, "Blank.wav", 44100, 0);
    EXPECT_EQ(command.Run(), 1);
    EXPECT_NE(command.err.str().find("Cannot open file"), std::string::npos);
    EXPECT_NE(command.err.str().find("Gone.pat"), std::string::npos) << command.err.str();
    EXPECT_EQ(stepweave::testing::FileText(command.arguments.outputPath), "an older take");

    command.err.str("");
    command.WriteSong({"Intro"}, "Blank.wav", 44100, 0);
    command.arguments.from = 1;
    EXPECT_EQ(command.Run(), 1);
    EXPECT_EQ(command.err.str(), "--from 1: the play list has entries 0 to 0\n");

    command.err.str("");
    command.arguments.from.reset();
    command.arguments.outputPath = (command.folder / "no such folder" / "tune.wav").string();
    EXPECT_EQ(command.Run(), 1);
    EXPECT_EQ(command.err.str(), "Cannot create file " + command.arguments.outputPath + "\n");

    command.err.str("");
    std::filesystem::remove(command.folder / "standard.dxg");
    EXPECT_EQ(command.Run(), 1);
    EXPECT_NE(command.err.str().find("standard.dxg"), std::string::npos) << command.err.str();
}

TEST(RenderCommand, ASoundItCannotMixOrASongTooLongFailsTheCommandWithNothingWritten) {
    Command command;
    // Sample 1 of the song as 24-bit PCM: a header that says so, and samples.
    std::vector<uint8_t> deep = WavBytes(ConstantSound(6000, 300));
    deep[34] = 24;  // bits per sample
    deep[32] = 3;   // block align
    WriteFileSafely((command.folder / "deep.wav").string(), deep.data(), static_cast<int64_t>(deep.size()));
    command.WriteSong({"Intro", "Verse"}, (command.folder / "deep.wav").string(), 44100, 0);
    EXPECT_EQ(command.Run(), 1);
    EXPECT_EQ(command.err.str(), "'Sample 1 (deep.wav)' cannot be used: it is 24-bit PCM; only 8- or 16-bit PCM, "
                                 "mono or stereo, can be played\n");
    EXPECT_FALSE(std::filesystem::exists(command.arguments.outputPath));

    command.err.str("");
    WritePattern(command.folder, "Long", 64, 140, 1400, {{1, 1, KitCell(kKick)}});
    command.WriteSong({"Long"}, "Blank.wav", 44100, 0);
    EXPECT_EQ(command.Run(), 1);
    EXPECT_EQ(command.err.str(), "Wave is too long: the song lasts 6:57:50, and a WAV file holds at most 6:45:47 of "
                                 "16-bit stereo 44100 Hz sound\n");
    EXPECT_FALSE(std::filesystem::exists(command.arguments.outputPath));
    EXPECT_TRUE(std::filesystem::is_empty(command.folder / "temp"));
}

TEST(RenderCommand, InterruptingSavesThePartMixedSoFarOrNothingBeforeMixing) {
    Command command;
    // The dialog polls once, then each line of the kick pass: the tempo
    // marker and the first kick go through, the line after it stops.
    command.stopAfterPolls = 3;
    EXPECT_EQ(command.Run(), kRenderStoppedStatus);
    RenderedWav wav = ReadRenderedWav(command.arguments.outputPath);
    EXPECT_EQ(wav.samples.size(), 2u * 64);  // the first kick only
    EXPECT_EQ(wav.Left(0), 7000);
    EXPECT_NE(command.err.str().find("Stopped: the part mixed so far"), std::string::npos) << command.err.str();

    std::filesystem::remove(command.arguments.outputPath);
    command.polls = 0;
    command.stopAfterPolls = 0;
    EXPECT_EQ(command.Run(), kRenderStoppedStatus);
    EXPECT_FALSE(std::filesystem::exists(command.arguments.outputPath));
}

TEST(RenderCommand, TheDemoSongRendersWithoutClipping) {
    Command command;
    const auto folder = command.folder / "workspace";
    SeedWorkspace(folder.string());
    command.arguments.startDirectory = folder.string();
    command.arguments.songPath = "Demo.sng";
    ASSERT_EQ(command.Run(), 0) << command.err.str();
    const RenderedWav wav = ReadRenderedWav(command.arguments.outputPath);
    EXPECT_GT(wav.samples.size(), 2u * 44100 * 35) << "about forty seconds of music";
    int peak = 0;
    for (const int16_t sample : wav.samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    EXPECT_LT(peak, 32767) << "the straight gains of a render leave the demo headroom";
    EXPECT_GT(peak, 16384) << "and it is not timid either";
}
