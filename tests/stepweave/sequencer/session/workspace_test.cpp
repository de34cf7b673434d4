#include "stepweave/sequencer/session/workspace.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "stepweave/data/demo_song.h"
#include "stepweave/sequencer/model/cell_resolution.h"
#include "stepweave/sequencer/session/demo_song_files.h"
#include "stepweave/sequencer/files/panning_file.h"
#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/kit/wave_collection.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

// Sets an environment variable for the test's duration.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class Workspace : public ::testing::Test {
protected:
    std::filesystem::path folder = FreshFolder();
    std::filesystem::path dataHome = folder / "data";
    std::filesystem::path current = folder / "current";
    ScopedEnvironment xdg{"XDG_DATA_HOME", dataHome.string()};

    void SetUp() override { std::filesystem::create_directories(current); }
};

}  // namespace

TEST_F(Workspace, WithoutAKitHereTheUserWorkspaceIsSeededWithTheDemoSong) {
    const StartDirectoryChoice choice = ChooseStartDirectory(std::nullopt, current.string());
    const std::filesystem::path workspace = dataHome / "stepweave";
    EXPECT_EQ(choice.folder, workspace.string());
    EXPECT_TRUE(choice.seeded);
    for (const char* name : {"standard.dxg", "Blank.wav", "Panning.dat", "Demo.sng", "Demo Bass.wav"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(workspace / name)) << name;
    }
    EXPECT_TRUE(std::filesystem::is_directory(workspace / "temp"));
    EXPECT_TRUE(std::filesystem::is_empty(current)) << "nothing is written where the program was started";

    WaveCollection kit;
    kit.LoadFromFile((workspace / "standard.dxg").string());
    EXPECT_EQ(kit.Count(), 17);
    EXPECT_EQ(ReadPanningFile((workspace / "Panning.dat").string()), TheDemoSong().kitPans);

    // The song opens and compiles as the player will do it, and loads its bass notes.
    UserSampleTable samples;
    SequencerDocument document(choice.folder, samples);
    ASSERT_TRUE(OpenSong(document, (workspace / "Demo.sng").string()));
    EXPECT_EQ(document.songTitle, "Demo");
    EXPECT_EQ(document.playList.Count(), static_cast<int>(TheDemoSong().playList.size()));
    EXPECT_EQ(samples.FileName(1), "Demo Bass.wav");
    EXPECT_EQ(samples.Frequency(3), 58866);
    EXPECT_EQ(samples.FileName(5), "Blank.wav");
    const CompiledSong song = CompileSong(choice.folder, document.playList.Names());
    EXPECT_EQ(song.lines.back(), "%%%");
}

TEST_F(Workspace, AWorkspaceIsSeededOnceAndItsFilesAreNotOverwritten) {
    ChooseStartDirectory(std::nullopt, current.string());
    const std::filesystem::path workspace = dataHome / "stepweave";
    WriteText(workspace / "Demo Rock.pat", "edited by the user");
    std::filesystem::remove_all(workspace / "temp");

    const StartDirectoryChoice again = ChooseStartDirectory(std::nullopt, current.string());
    EXPECT_FALSE(again.seeded);
    EXPECT_EQ(FileText(workspace / "Demo Rock.pat"), "edited by the user");
    EXPECT_TRUE(std::filesystem::is_directory(workspace / "temp")) << "a missing temp folder is made again";

    std::filesystem::remove(workspace / "standard.dxg");
    EXPECT_TRUE(ChooseStartDirectory(std::nullopt, current.string()).seeded);
    EXPECT_TRUE(std::filesystem::is_regular_file(workspace / "standard.dxg"));
    EXPECT_EQ(FileText(workspace / "Demo Rock.pat"), "edited by the user");
}

TEST_F(Workspace, TheCurrentDirectoryIsUsedWhenItHoldsTheDefaultKit) {
    WriteText(current / "standard.dxg", "a kit");
    const StartDirectoryChoice choice = ChooseStartDirectory(std::nullopt, current.string());
    EXPECT_EQ(choice.folder, current.string());
    EXPECT_FALSE(choice.seeded);
    EXPECT_TRUE(std::filesystem::is_directory(current / "temp"));
    EXPECT_FALSE(std::filesystem::exists(dataHome));
}

TEST_F(Workspace, AGivenFolderIsUsedAsItIs) {
    const StartDirectoryChoice choice = ChooseStartDirectory(current.string(), folder.string());
    EXPECT_EQ(choice.folder, current.string());
    EXPECT_FALSE(choice.seeded);
    EXPECT_FALSE(std::filesystem::exists(current / "standard.dxg")) << "a chosen folder is not seeded";
    EXPECT_TRUE(std::filesystem::is_directory(current / "temp"));
}

TEST_F(Workspace, TheWorkspaceLiesUnderHomeWithoutAnAbsoluteDataHome) {
    ScopedEnvironment relative("XDG_DATA_HOME", "relative/data");
    ScopedEnvironment home("HOME", folder.string());
    EXPECT_EQ(UserWorkspaceFolder(), (folder / ".local" / "share" / "stepweave").string());
}

TEST(DemoSong, EveryPatternFitsSixChannelsAndEveryHitSounds) {
    for (const DemoPattern& pattern : TheDemoSong().patterns) {
        PatternGrid grid;
        ASSERT_NO_THROW(FillDemoPattern(pattern, grid)) << pattern.name;
        EXPECT_EQ(grid.Length(), pattern.length);
        int hits = 0;
        for (int step = 1; step <= pattern.length; ++step) {
            for (int channel = 1; channel <= PatternGrid::kChannels; ++channel) {
                const std::string& cell = grid.StepCell(step, channel);
                if (!cell.empty()) {
                    ++hits;
                    EXPECT_NE(ResolveCell(cell).sound, CellSound::Silent) << pattern.name << " step " << step << ": " << cell;
                }
            }
        }
        EXPECT_GT(hits, 0) << pattern.name;
        EXPECT_GE(pattern.delay, 1);
        EXPECT_LE(pattern.delay, 140);
    }
}

TEST(DemoSong, TooManyHitsOnOneStepAreRefused) {
    const DemoPattern crowded{"Crowded", 2, 2, 60, 1,
                              {{"Kick      [ ]", "1."}, {"Snare     [ ]", "1."}, {"ClsHiat   [ ]", "1."},
                               {"OpHiat    [ ]", "1."}, {"Tom1      [ ]", "1."}, {"Tom2      [ ]", "1."},
                               {"Sample1", "1."}}};
    PatternGrid grid;
    EXPECT_THROW(FillDemoPattern(crowded, grid), std::logic_error);
}

TEST(DemoSong, TheBassIsAQuietMonoSoundAtTheKitsRate) {
    const auto folder = FreshFolder();
    WriteDemoSong(folder.string());
    WaveData wave;
    wave.LoadFromFile((folder / "Demo Bass.wav").string());
    EXPECT_GT(wave.Size(), 44100);  // longer than half a second
    const std::vector<int16_t> samples = SynthesizeDemoBass();
    int peak = 0;
    for (int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    EXPECT_GT(peak, 5000);
    EXPECT_LT(peak, 12000) << "it sits under the drums";
    EXPECT_EQ(samples.front(), 0);
    EXPECT_EQ(samples.back(), 0);
}
