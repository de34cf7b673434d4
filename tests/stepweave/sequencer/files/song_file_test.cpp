#include "stepweave/sequencer/files/song_file.h"

#include <gtest/gtest.h>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "stepweave/sequencer/model/play_list.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

std::vector<std::string> BlockLines(int sample, const std::string& file, int frequency, std::optional<int> pan) {
    std::vector<std::string> lines{"<*sam" + std::to_string(sample), file, std::to_string(frequency)};
    if (pan) {
        lines.push_back("//");
        lines.push_back(std::to_string(*pan));
    }
    return lines;
}

std::vector<std::string> Concat(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// Eight blocks: sample 2 holds a clap, the rest are blank.
std::vector<std::string> SampleBlocks(bool withPans) {
    std::vector<std::vector<std::string>> blocks;
    for (int sample = 1; sample <= 8; ++sample) {
        const bool clap = sample == 2;
        blocks.push_back(BlockLines(sample, clap ? "/samples/clap.wav" : "Blank.wav", clap ? 22050 : 44100,
                                    withPans ? std::optional<int>(clap ? -1200 : 0) : std::nullopt));
    }
    return Concat(blocks);
}

void ApplyText(const std::string& text, PlayList& playList, UserSampleSlots& samples) {
    ApplySongFile(ParseSongFile(TextLines(text)), playList, samples);
}

}  // namespace

TEST(SongFile, WritesEntriesThenEightFiveLineBlocks) {
    PlayList playList;
    for (const char* name : {"Intro", "Verse", "Verse"}) {
        playList.Append(name);
    }
    UserSampleTable samples;
    samples.Load(2, "/samples/clap.wav");
    samples.SetFrequency(2, 22050);
    samples.SetPan(2, -1200);
    EXPECT_EQ(SongFileText(playList, samples),
              CrLfText(Concat({{"Intro", "Verse", "Verse"}, SampleBlocks(true)})));
}

TEST(SongFile, ReadsBackRepeatedEntriesAndFiveLineBlocks) {
    PlayList written;
    for (const char* name : {"Verse", "Chorus", "Verse", "Verse"}) {
        written.Append(name);
    }
    UserSampleTable source;
    source.Load(8, "/s/last.wav");
    source.SetFrequency(8, 8000);
    source.SetPan(8, 3000);

    PlayList read;
    read.Append("old entry");
    UserSampleTable target;
    ApplyText(SongFileText(written, source), read, target);
    EXPECT_EQ(read.Names(), (std::vector<std::string>{"Verse", "Chorus", "Verse", "Verse"}));
    EXPECT_EQ(target.FileName(8), "/s/last.wav");
    EXPECT_EQ(target.Frequency(8), 8000);
    EXPECT_EQ(target.Pan(8), 3000);
}

TEST(SongFile, ThreeLineBlocksLeaveThePansAlone) {
    UserSampleTable samples;
    for (int sample = 1; sample <= 8; ++sample) {
        samples.SetPan(sample, 100 * sample);
    }
    samples.Load(5, "/loaded/before.wav");
    PlayList playList;
    ApplyText(CrLfText(Concat({{"A"}, SampleBlocks(false)})), playList, samples);
    EXPECT_EQ(playList.Names(), std::vector<std::string>{"A"});
    EXPECT_EQ(samples.FileName(2), "/samples/clap.wav");
    EXPECT_EQ(samples.Frequency(2), 22050);
    EXPECT_EQ(samples.FileName(5), "Blank.wav") << "a song's blank slot empties the sample";
    for (int sample = 1; sample <= 8; ++sample) {
        EXPECT_EQ(samples.Pan(sample), 100 * sample);
    }
}

TEST(SongFile, BlockFormsMayMixAndTrailingLinesAreIgnored) {
    std::vector<std::vector<std::string>> blocks;
    for (int sample = 1; sample <= 8; ++sample) {
        blocks.push_back(BlockLines(sample, "/s/" + std::to_string(sample) + ".wav", 1000 * sample,
                                    sample % 2 ? std::optional<int>(-sample) : std::nullopt));
    }
    blocks.push_back({"<*sam9", "/s/9.wav", "9000", "//", "-9", "junk"});
    UserSampleTable samples;
    PlayList playList;
    ApplyText(CrLfText(Concat(blocks)), playList, samples);
    EXPECT_TRUE(playList.Empty());
    for (int sample = 1; sample <= 8; ++sample) {
        EXPECT_EQ(samples.FileName(sample), "/s/" + std::to_string(sample) + ".wav");
        EXPECT_EQ(samples.Frequency(sample), 1000 * sample);
        EXPECT_EQ(samples.Pan(sample), sample % 2 ? -sample : 0);
    }
    EXPECT_EQ(samples.FileName(9), "Blank.wav");
}

TEST(SongFile, WithoutMarkerEveryLineIsAnEntry) {
    UserSampleTable samples;
    samples.Load(1, "/kept.wav");
    PlayList playList;
    ApplyText("Intro\nVerse\r\n\r\n<Blank>\rEnd", playList, samples);
    EXPECT_EQ(playList.Names(), (std::vector<std::string>{"Intro", "Verse", "", "<Blank>", "End"}));
    EXPECT_EQ(samples.FileName(1), "/kept.wav");
}

TEST(SongFile, ABadNumberStopsAtItsBlock) {
    std::vector<std::string> lines = SampleBlocks(true);
    lines[5 * 2 + 2] = "fast";  // sample 3's frequency
    UserSampleTable samples;
    samples.Load(3, "/three.wav");
    PlayList playList;
    try {
        ApplyText(CrLfText(Concat({{"Intro"}, lines})), playList, samples);
        FAIL();
    } catch (const IntegerTextError& error) {
        EXPECT_STREQ(error.what(), "'fast' is not a valid integer value");
    }
    EXPECT_EQ(playList.Names(), std::vector<std::string>{"Intro"});
    EXPECT_EQ(samples.FileName(2), "/samples/clap.wav");
    EXPECT_EQ(samples.FileName(3), "/three.wav");

    // A file cut off inside its blocks reads empty lines and fails the same way.
    EXPECT_THROW(ApplyText("A\r\n<*sam1\r\nBlank.wav\r\n44100\r\n", playList, samples), IntegerTextError);
}

class SongCommands : public ::testing::Test {
protected:
    std::filesystem::path folder = FreshFolder();
    UserSampleTable samples;
    SequencerDocument document{folder.string(), samples};
};

TEST_F(SongCommands, SaveThenOpenKeepsTheSongAndSetsTitleAndCaption) {
    for (const char* name : {"Intro", "Verse", "Verse"}) {
        document.playList.Append(name);
    }
    samples.Load(1, "/samples/kick2.wav");
    samples.SetFrequency(1, 48000);
    samples.SetPan(1, 400);
    const std::string path = (folder / "My Song.sng").string();
    EXPECT_TRUE(SaveSong(document, path));
    EXPECT_EQ(document.songTitle, "My Song");
    EXPECT_EQ(document.caption, "Stepweave Pro v5.0") << "saving leaves the caption";

    UserSampleTable otherSamples;
    SequencerDocument other(folder.string(), otherSamples);
    other.playList.Append("stale");
    EXPECT_TRUE(OpenSong(other, path));
    EXPECT_EQ(other.playList.Names(), (std::vector<std::string>{"Intro", "Verse", "Verse"}));
    EXPECT_EQ(otherSamples.FileName(1), "/samples/kick2.wav");
    EXPECT_EQ(otherSamples.Frequency(1), 48000);
    EXPECT_EQ(otherSamples.Pan(1), 400);
    EXPECT_EQ(other.songTitle, "My Song");
    EXPECT_EQ(other.caption, "Stepweave Pro v4.0 - My Song");
}

TEST_F(SongCommands, CancelledDialogsAndBareExtensionsChangeNothing) {
    document.songTitle = "Current";
    document.playList.Append("Intro");
    EXPECT_FALSE(OpenSong(document, ""));
    EXPECT_FALSE(OpenSong(document, (folder / ".sng").string()));
    EXPECT_FALSE(SaveSong(document, ""));
    EXPECT_FALSE(SaveSong(document, (folder / ".sng").string()));
    EXPECT_EQ(document.songTitle, "Current");
    EXPECT_EQ(document.playList.Names(), std::vector<std::string>{"Intro"});
    EXPECT_FALSE(std::filesystem::exists(folder / ".sng"));
}

TEST_F(SongCommands, AMissingSongFileChangesNothing) {
    document.songTitle = "Current";
    document.playList.Append("Intro");
    const std::string path = (folder / "gone.sng").string();
    try {
        OpenSong(document, path);
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
    }
    EXPECT_EQ(document.songTitle, "Current");
    EXPECT_EQ(document.playList.Names(), std::vector<std::string>{"Intro"});
}

TEST_F(SongCommands, NewSongClearsStepsNameListAndTitleOnly) {
    document.grid.UpdateTime("8", "4");
    document.SetPatternName("Verse");
    document.grid.SetCell(PatternGrid::StepRow(2), 4, "Sample1");
    document.grid.SetCell(66, 1, "Kick      [ ]");
    document.SetDelay(45);
    document.SetLoop(4);
    samples.Load(6, "/s/six.wav");
    document.library.Add("Verse");
    document.playList.Append("Verse");
    document.songTitle = "Old";
    document.caption = "Stepweave Pro v4.0 - Old";

    NewSong(document);
    EXPECT_EQ(document.grid.StepCell(2, 4), "");
    EXPECT_EQ(document.grid.Cell(66, 1), "");
    EXPECT_EQ(document.grid.Name(), "");
    EXPECT_EQ(document.PatternNameField(), "");
    EXPECT_TRUE(document.playList.Empty());
    EXPECT_EQ(document.songTitle, "");
    EXPECT_EQ(document.caption, "Stepweave Pro v5.0");

    EXPECT_EQ(document.Delay(), 45);
    EXPECT_EQ(document.Loop(), 4);
    EXPECT_EQ(samples.FileName(6), "/s/six.wav");
    EXPECT_EQ(document.grid.RowCount(), 10);
    EXPECT_EQ(document.grid.LengthText(), "8");
    EXPECT_EQ(document.grid.Cell(PatternGrid::StepRow(5), 0), "5:0*");
    EXPECT_TRUE(document.library.Contains("Verse"));
}

TEST_F(SongCommands, ClearListEmptiesListAndTitle) {
    document.playList.Append("Intro");
    document.songTitle = "Song";
    ClearList(document);
    EXPECT_TRUE(document.playList.Empty());
    EXPECT_EQ(document.songTitle, "");
}

TEST(SongTitle, IsTheNameWithoutFolderAndExtension) {
    EXPECT_EQ(SongTitleFromPath("/home/me/songs/Groove.sng"), "Groove");
    EXPECT_EQ(SongTitleFromPath("C:\\Songs\\Groove.sng"), "Groove");
    EXPECT_EQ(SongTitleFromPath("a.sng"), "a");
    EXPECT_EQ(SongTitleFromPath("abc"), "");
}
