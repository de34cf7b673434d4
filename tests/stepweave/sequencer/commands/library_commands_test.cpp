#include "stepweave/sequencer/commands/library_commands.h"

#include <gtest/gtest.h>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

class LibraryCommands : public ::testing::Test {
protected:
    std::filesystem::path folder = FreshFolder();
    UserSampleTable samples;
    SequencerDocument document{folder.string(), samples};
    ScriptedPrompt prompt;

    void Store(const std::string& name) {
        document.SetPatternName(name);
        StorePattern(document, prompt);
    }
    bool PatternFileExists(const std::string& name) const { return std::filesystem::exists(folder / (name + ".pat")); }
};

TEST_F(LibraryCommands, StoringTwiceListsThePatternOnce) {
    document.grid.SetCell(PatternGrid::StepRow(1), 1, "Kick      [ ]");
    Store("Verse");
    document.grid.SetCell(PatternGrid::StepRow(2), 1, "Snare     [ ]");
    Store("Verse");
    EXPECT_EQ(document.library.Names(), (std::vector<std::string>{"<Blank>", "Verse"}));
    EXPECT_EQ(document.playList.Names(), std::vector<std::string>{"Verse"});
    EXPECT_EQ(ReadPatternFile(folder.string(), "Verse").rows[3][1], "Snare     [ ]") << "the file was rewritten";
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LibraryCommands, StoringANameAlreadyInThePlayListLeavesTheLibrary) {
    document.playList.Append("Bridge");
    Store("Bridge");
    EXPECT_TRUE(PatternFileExists("Bridge"));
    EXPECT_EQ(document.playList.Names(), std::vector<std::string>{"Bridge"});
    EXPECT_FALSE(document.library.Contains("Bridge"));
}

TEST_F(LibraryCommands, StoringWithoutANameAsksForOne) {
    Store("");
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Name of pattern?");
    EXPECT_EQ(prompt.shown[0].caption, "NAME");
    Store("<Blank>");
    EXPECT_EQ(prompt.shown.size(), 2u);
    EXPECT_TRUE(document.playList.Empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 0);
}

TEST_F(LibraryCommands, StoringNeverWritesOutsideTheStartFolder) {
    std::filesystem::create_directories(folder / "sub");
    for (const char* name : {"../Escape", "sub/Inner", "<*sam1"}) {
        EXPECT_THROW(Store(name), FileCreateError) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.parent_path() / "Escape.pat"));
    EXPECT_FALSE(std::filesystem::exists(folder / "sub" / "Inner.pat"));
    EXPECT_TRUE(document.playList.Empty());
}

TEST_F(LibraryCommands, StoreWritesTimingAndSamples) {
    document.SetDelay(33);
    document.SetLoop(5);
    samples.Load(32, "/s/last.wav");
    samples.SetFrequency(32, 16000);
    Store("Full");
    const PatternFileContents pattern = ReadPatternFile(folder.string(), "Full");
    EXPECT_EQ(pattern.Tempo(), 33);
    EXPECT_EQ(pattern.Repeat(), 5);
    ASSERT_EQ(pattern.sampleLines.size(), 64u);
    EXPECT_EQ(pattern.sampleLines[62], "/s/last.wav");
    EXPECT_EQ(pattern.sampleLines[63], "16000");
}

TEST_F(LibraryCommands, LoadingAThirtyTwoStepPattern) {
    document.grid.UpdateTime("32", "8");
    document.grid.SetCell(PatternGrid::StepRow(32), 6, "Crack     [7]");
    document.SetDelay(100);
    document.SetLoop(3);
    Store("Long");

    UserSampleTable freshSamples;
    SequencerDocument editor(folder.string(), freshSamples);
    editor.playList.Append("Long");
    editor.playList.Select(0);
    EXPECT_TRUE(LoadSelectedPattern(editor));
    EXPECT_EQ(editor.grid.RowCount(), 34);
    EXPECT_EQ(editor.grid.StepCell(32, 6), "Crack     [7]");
    EXPECT_EQ(editor.Delay(), 100);
    EXPECT_EQ(editor.Loop(), 3);
    EXPECT_EQ(editor.PatternNameField(), "Long");
}

TEST_F(LibraryCommands, LoadingNothingOrAMissingFile) {
    document.playList.Append("<Blank>");
    document.playList.Append("");
    document.playList.Append("Gone");
    EXPECT_FALSE(LoadSelectedPattern(document)) << "no selection";
    document.playList.Select(0);
    EXPECT_FALSE(LoadSelectedPattern(document));
    document.playList.Select(1);
    EXPECT_FALSE(LoadSelectedPattern(document));

    document.grid.SetCell(PatternGrid::StepRow(1), 1, "Tom2      [ ]");
    document.playList.Select(2);
    try {
        LoadSelectedPattern(document);
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + (folder / "Gone.pat").string());
    }
    EXPECT_EQ(document.grid.StepCell(1, 1), "Tom2      [ ]");
    EXPECT_EQ(document.grid.RowCount(), 18);
}

TEST_F(LibraryCommands, AddingFromTheLibrary) {
    document.library.Add("Verse");
    AddSelectedToPlayList(document);
    document.library.Select(0);
    AddSelectedToPlayList(document);
    EXPECT_TRUE(document.playList.Empty()) << "nothing selected, then <Blank>";
    document.library.Select(1);
    AddSelectedToPlayList(document);
    AddSelectedToPlayList(document);
    EXPECT_EQ(document.playList.Names(), (std::vector<std::string>{"Verse", "Verse"}));
}

TEST_F(LibraryCommands, RemovingAnEntryTheLibraryLacksMovesItThere) {
    document.library.Add("Verse");
    for (const char* name : {"Intro", "Verse", "Intro"}) {
        document.playList.Append(name);
    }
    RemoveSelectedFromPlayList(document);
    EXPECT_EQ(document.playList.Count(), 3) << "no selection";

    document.playList.Select(1);
    RemoveSelectedFromPlayList(document);
    EXPECT_EQ(document.playList.Names(), (std::vector<std::string>{"Intro", "Intro"}));
    EXPECT_EQ(document.library.Names(), (std::vector<std::string>{"<Blank>", "Verse"}));

    document.playList.Select(0);
    RemoveSelectedFromPlayList(document);
    EXPECT_EQ(document.playList.Names(), std::vector<std::string>{"Intro"});
    EXPECT_EQ(document.library.Names(), (std::vector<std::string>{"<Blank>", "Intro", "Verse"}));

    document.playList.Append("../etc/x");  // from a damaged song file
    document.playList.Select(1);
    RemoveSelectedFromPlayList(document);
    EXPECT_EQ(document.library.Count(), 3) << "a name that cannot be a pattern stays out of the library";
}

TEST_F(LibraryCommands, DeletingAfterConfirmingRemovesFileAndEveryEntry) {
    Store("Intro");
    Store("Verse");
    document.playList.Append("Intro");
    document.playList.Append("Intro");
    document.library.Select(document.library.IndexOf("Intro"));

    prompt.answers = {false};
    DeleteSelectedPattern(document, prompt);
    EXPECT_TRUE(PatternFileExists("Intro"));
    EXPECT_EQ(document.playList.Count(), 4);
    EXPECT_TRUE(document.library.Contains("Intro"));

    prompt.answers = {true};
    DeleteSelectedPattern(document, prompt);
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[1].text,
              "This will Delete this pattern from both Pattern Lib and Play List, Some Songs that contain this pattern "
              "may not play, are you sure?");
    EXPECT_EQ(prompt.shown[1].caption, "!Are you sure you wish to delete?");
    EXPECT_FALSE(PatternFileExists("Intro"));
    EXPECT_TRUE(PatternFileExists("Verse"));
    EXPECT_EQ(document.playList.Names(), std::vector<std::string>{"Verse"});
    EXPECT_EQ(document.library.Names(), (std::vector<std::string>{"<Blank>", "Verse"}));
}

TEST_F(LibraryCommands, BlankAndNoSelectionAreNeverDeleted) {
    DeleteSelectedPattern(document, prompt);
    document.library.Select(0);
    DeleteSelectedPattern(document, prompt);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(document.library.Count(), 1);
}

TEST_F(LibraryCommands, TheLibraryListsPatternFilesSortedAfterBlank) {
    for (const char* file : {"groove.pat", "Ambient.pat", "123.pat", "Beat.PAT", "notes.txt", ".pat", "<Blank>.pat"}) {
        WriteText(folder / file, "x");
    }
    std::filesystem::create_directories(folder / "Folder.pat");
    FillLibraryFromStartDirectory(document);
    EXPECT_EQ(document.library.Names(), (std::vector<std::string>{"<Blank>", "123", "Ambient", "groove"}));
}

TEST(PatternLibrary, KeepsBlankFirstAndTheSelectionOnItsEntry) {
    PatternLibrary library;
    library.Add("b");
    library.Select(1);
    library.Add("A");
    library.Add("0");
    EXPECT_EQ(library.Names(), (std::vector<std::string>{"<Blank>", "0", "A", "b"}));
    EXPECT_EQ(library.SelectedName(), "b");
    library.RemoveAt(0);
    EXPECT_EQ(library.Name(0), "<Blank>");
    library.RemoveAt(1);
    EXPECT_EQ(library.SelectedName(), "b");
    library.RemoveAt(2);
    EXPECT_EQ(library.SelectedIndex(), PatternLibrary::kNoSelection);
}

TEST(PlayList, MovingAndRemovingCheckedEntries) {
    PlayList list;
    for (const char* name : {"A", "B", "C", "D"}) {
        list.Append(name);
    }
    list.MoveSelectedUp();
    list.MoveSelectedDown();
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"A", "B", "C", "D"})) << "no selection";

    list.Select(0);
    list.MoveSelectedUp();
    EXPECT_EQ(list.SelectedIndex(), 0);
    list.MoveSelectedDown();
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"B", "A", "C", "D"}));
    EXPECT_EQ(list.SelectedIndex(), 1);

    list.Select(3);
    list.MoveSelectedDown();
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"B", "A", "C", "D"}));
    list.MoveSelectedUp();
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"B", "A", "D", "C"}));
    EXPECT_EQ(list.SelectedIndex(), 2);

    list.SetChecked(0, true);
    list.SetChecked(3, true);
    list.RemoveChecked();
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"A", "D"}));
    EXPECT_EQ(list.SelectedIndex(), 1) << "the selection stays on D";
    EXPECT_FALSE(list.Entry(0).checked);
}
