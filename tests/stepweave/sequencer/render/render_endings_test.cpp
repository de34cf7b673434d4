// How a render ends: done, stopped by the user, cancelled at the save
// dialog, or failed. Every ending gives the play buttons back and hides the
// render's windows; only a finished or stopped render writes a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/stepweave/sequencer/render/render_test_support.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/render/song_renderer.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::render_testing;

namespace {

constexpr int kKick = 1;
constexpr int kSnare = 3;

struct Ending {
    std::filesystem::path folder = StartFolder();
    UserSampleTable table;
    SequencerDocument document{folder.string(), table};
    WaveCollection kit;
    ScriptedRenderUser user;
    RenderSampleSettings samples = RenderSampleSettingsFrom(table);
    KitSounds sounds;

    Ending() {
        user.outputPath = (folder / "song.wav").string();
        sounds[kKick] = ToneSound(44100, 1, 3000, 60, 20000);
        sounds[kSnare] = ToneSound(22050, 1, 2000, 200, 15000);
        BuildKit(kit, folder, sounds);
        std::vector<PatternCell> cells;
        for (int step = 1; step <= 8; ++step) {
            cells.push_back({step, 1, KitCell(kKick)});
            if (step % 2 == 0) cells.push_back({step, 4, KitCell(kSnare, 2)});
        }
        WritePattern(folder, "Beat", 8, 50, 2, cells);
        document.playList.Append("Beat");
    }

    RenderOutcome Render(SongRenderer& renderer) { return renderer.Render(samples); }

    // The state every ending leaves.
    void ExpectEndedAsANormalEnd(const SongRenderer& renderer) const {
        EXPECT_TRUE(user.playButtonsEnabled);
        EXPECT_FALSE(user.progressShown);
        EXPECT_FALSE(user.renderWindowShown);
        EXPECT_TRUE(renderer.SongLines().empty());
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            EXPECT_EQ(entry.path().filename().string().find("work1.tmp"), std::string::npos) << entry.path();
        }
    }
};

}  // namespace

TEST(RenderEndings, AFinishedRenderHasShownItsProgressAndLeftTheEditorAsPlaySongDoes) {
    Ending render;
    WritePattern(render.folder, "Intro", 4, 80, 1, {{1, 1, KitCell(kSnare)}});
    render.document.playList.Append("Intro");
    render.document.playList.Select(1);  // the render starts at Intro
    SongRenderer renderer(render.document, render.kit, render.user);
    ASSERT_EQ(renderer.Render(render.samples, 25), RenderOutcome::Completed);

    EXPECT_EQ(render.user.dialogs, 1);
    EXPECT_EQ(render.user.progressMaximum, 2 + 4 * 6 + 1);
    EXPECT_EQ(render.user.lastProgress, 2 + 4 * 6);
    EXPECT_EQ(render.user.added, (std::vector<std::string>{"Snare     [ ]"}));
    EXPECT_EQ(render.document.grid.Name(), "Intro");
    EXPECT_EQ(render.document.PatternNameField(), "Intro");
    EXPECT_EQ(render.document.Loop(), 1);
    EXPECT_EQ(render.document.Delay(), 25);  // Global checked: back to the global tempo
    EXPECT_EQ(render.document.playList.SelectedIndex(), 0);
    render.ExpectEndedAsANormalEnd(renderer);
    const RenderedWav wav = ReadRenderedWav(render.user.outputPath);
    EXPECT_EQ(wav.dataSize, 4000u * 4);  // one snare of 2000 frames at 22050 Hz
}

TEST(RenderEndings, StopSavesTheInstrumentsFinishedAndTheCurrentOneSoFar) {
    Ending render;
    render.user.stopAfterNotes = 16 + 3;  // all 16 kicks, then 3 snares
    SongRenderer renderer(render.document, render.kit, render.user);
    ASSERT_EQ(render.Render(renderer), RenderOutcome::Stopped);

    OracleSounds oracle;
    oracle.sounds[kKick] = &*render.sounds[kKick];
    oracle.sounds[kSnare] = &*render.sounds[kSnare];
    const auto expected = PlainRender(CompileSong(render.folder.string(), {"Beat"}).lines, oracle, 16 + 3);
    const RenderedWav wav = ReadRenderedWav(render.user.outputPath);
    EXPECT_EQ(render.user.added.size(), 16u + 3);
    EXPECT_TRUE(wav.samples == expected);
    EXPECT_EQ(wav.dataSize, expected.size() * 2);
    EXPECT_EQ(wav.riffSize, wav.dataSize + 36);
    EXPECT_EQ(wav.fileSize, wav.dataSize + 44u);
    render.ExpectEndedAsANormalEnd(renderer);
}

TEST(RenderEndings, AskingForASecondRenderWhileOneRunsIsIgnored) {
    Ending render;
    SongRenderer renderer(render.document, render.kit, render.user);
    std::vector<RenderOutcome> nested;
    render.user.duringEvents = [&] {
        if (nested.empty()) nested.push_back(renderer.Render(render.samples));
    };
    ASSERT_EQ(render.Render(renderer), RenderOutcome::Completed);
    EXPECT_EQ(nested, (std::vector<RenderOutcome>{RenderOutcome::Busy}));
    EXPECT_EQ(render.user.dialogs, 1);
    render.ExpectEndedAsANormalEnd(renderer);
    EXPECT_FALSE(renderer.Rendering());
}

TEST(RenderEndings, CancelWritesNothingAndLeavesAnOlderFileAsItWas) {
    Ending render;
    stepweave::testing::WriteText(render.folder / "song.wav", "an older take");
    render.user.outputPath = "";
    SongRenderer renderer(render.document, render.kit, render.user);
    ASSERT_EQ(render.Render(renderer), RenderOutcome::Cancelled);

    EXPECT_EQ(stepweave::testing::FileText(render.folder / "song.wav"), "an older take");
    EXPECT_TRUE(render.user.added.empty());
    render.ExpectEndedAsANormalEnd(renderer);
}

TEST(RenderEndings, AnEmptyPlayListRendersNothing) {
    Ending render;
    render.document.playList.Clear();
    SongRenderer renderer(render.document, render.kit, render.user);
    EXPECT_EQ(render.Render(renderer), RenderOutcome::EmptyPlayList);
    EXPECT_EQ(render.user.dialogs, 0);
    render.ExpectEndedAsANormalEnd(renderer);
}

TEST(RenderEndings, AMissingPatternStopsBeforeAnythingChangesAndGivesTheButtonsBack) {
    Ending render;
    render.document.playList.Append("Gone");
    render.document.playList.Select(0);
    SongRenderer renderer(render.document, render.kit, render.user);
    EXPECT_THROW(render.Render(renderer), FileOpenError);

    EXPECT_EQ(render.user.dialogs, 0);
    EXPECT_EQ(render.document.playList.SelectedIndex(), 0);
    EXPECT_EQ(render.document.grid.Name(), "");
    EXPECT_FALSE(std::filesystem::exists(render.user.outputPath));
    render.ExpectEndedAsANormalEnd(renderer);
}

TEST(RenderEndings, AnUnreadableSampleFileFailsWithItsNameAndGivesTheButtonsBack) {
    Ending render;
    render.samples[2].fileName = (render.folder / "lost.wav").string();
    SongRenderer renderer(render.document, render.kit, render.user);
    try {
        render.Render(renderer);
        FAIL() << "the render went on without sample 3";
    } catch (const FileOpenError& error) {
        EXPECT_NE(std::string(error.what()).find("lost.wav"), std::string::npos) << error.what();
    }
    EXPECT_EQ(render.user.dialogs, 0);
    render.ExpectEndedAsANormalEnd(renderer);
}

TEST(RenderEndings, AnErrorWhileMixingLeavesAnOlderOutputFileAsItWas) {
    Ending render;
    stepweave::testing::WriteText(render.folder / "song.wav", "an older take");
    // A snare whose format record gives no frame size cannot be mixed.
    TestSound broken = ConstantSound(1000, 100);
    auto bytes = WavBytes(broken);
    bytes[32] = bytes[33] = 0;
    WriteFileSafely((render.folder / "broken.wav").string(), bytes.data(), static_cast<int64_t>(bytes.size()));
    render.kit.Items(kSnare).Wave().LoadFromFile((render.folder / "broken.wav").string());
    SongRenderer renderer(render.document, render.kit, render.user);
    EXPECT_THROW(render.Render(renderer), WaveStreamError);

    EXPECT_EQ(render.user.dialogs, 1);
    EXPECT_EQ(stepweave::testing::FileText(render.folder / "song.wav"), "an older take");
    render.ExpectEndedAsANormalEnd(renderer);
}

TEST(RenderEndings, SoundsAreExportedToAFolderOfTheRendersOwnThatGoesWithIt) {
    namespace fs = std::filesystem;
    Ending render;
    fs::remove_all(render.folder / "temp");
    WriteWav(render.folder / "clap.wav", ConstantSound(500, 10));
    render.samples[6].fileName = "clap.wav";  // a bare name lies in the start folder
    // What "temp" holds while the render mixes.
    std::vector<fs::path> folders;
    size_t entries = 0;
    std::map<std::string, std::string> exports;
    render.user.duringEvents = [&] {
        if (!folders.empty()) {
            return;
        }
        for (const auto& entry : fs::directory_iterator(render.folder / "temp")) {
            ++entries;
            if (entry.is_directory()) {
                folders.push_back(entry.path());
            }
        }
        for (const auto& file : fs::directory_iterator(folders.front())) {
            exports[file.path().filename().string()] = stepweave::testing::FileText(file.path());
        }
    };
    SongRenderer renderer(render.document, render.kit, render.user);
    ASSERT_EQ(render.Render(renderer), RenderOutcome::Completed);

    ASSERT_EQ(entries, 1u) << "one folder of the render's own";
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_FALSE(fs::exists(folders.front())) << "removed when the render ended";
    for (int item = 0; item <= 16; ++item) {
        EXPECT_EQ(exports.count(std::to_string(item) + ".wav"), 1u) << item;
    }
    for (int sample = 1; sample <= 32; ++sample) {
        const auto source = render.folder / (sample == 7 ? "clap.wav" : "Blank.wav");
        EXPECT_EQ(exports["sample" + std::to_string(sample) + ".wav"], stepweave::testing::FileText(source)) << sample;
    }
    const bool workFileThere = std::any_of(exports.begin(), exports.end(),
                                           [](const auto& file) { return file.first.starts_with("work1.tmp"); });
    EXPECT_TRUE(workFileThere) << "the work file grows in the render's folder too";
    EXPECT_FALSE(fs::exists(render.folder / "temp")) << "made for the render, and removed with its folder";
    for (const auto& entry : fs::directory_iterator(render.folder)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with("work1.tmp")) << entry.path();
    }

    // A "temp" that was there stays, with what it held and nothing more.
    fs::create_directories(render.folder / "temp");
    stepweave::testing::WriteText(render.folder / "temp" / "sample1.wav", "the window's export");
    folders.clear();
    entries = 0;
    SongRenderer again(render.document, render.kit, render.user);
    ASSERT_EQ(render.Render(again), RenderOutcome::Completed);
    EXPECT_EQ(entries, 2u) << "the window's export beside the render's folder";
    EXPECT_EQ(folders.size(), 1u);
    EXPECT_EQ(stepweave::testing::FileText(render.folder / "temp" / "sample1.wav"), "the window's export");
    EXPECT_EQ(std::distance(fs::directory_iterator(render.folder / "temp"), fs::directory_iterator{}), 1);
}
