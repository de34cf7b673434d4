// Errors found in the sequencer's text files know the file and the line, so
// that the command line can name them; the message itself stays the
// system's own text.
#include <gtest/gtest.h>

#include <functional>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/files/panning_file.h"
#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

// What the command line shows for the error `action` raises, and the
// message itself (the system's own text, without its place).
struct Shown {
    std::string commandLine;
    std::string window;
};

Shown ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return {CommandLineMessage(error), error.what()};
    }
    return {"no error", "no error"};
}

// A 16-step pattern file: cells, then tempo (line 133) and repeat (line 134),
// then the 32 samples from line 135.
std::vector<std::string> SixteenStepLines(const std::string& name) {
    std::vector<std::string> lines{name, "Length:", "16", "Time:", "4", "", ""};
    lines.resize(7 * 19, "");
    lines.insert(lines.end(), {"60", "1"});
    for (int sample = 1; sample <= 32; ++sample) {
        lines.insert(lines.end(), {"Blank.wav", "44100"});
    }
    return lines;
}

}  // namespace

TEST(FilePlaces, APatternNumberIsReportedWithItsFileAndLine) {
    const auto folder = FreshFolder();
    UserSampleTable samples;
    SequencerDocument document(folder.string(), samples);
    std::vector<std::string> lines = SixteenStepLines("Demo Rock");
    lines[134] = "abc";
    WriteText(folder / "Demo Rock.pat", CrLfText(lines));
    const Shown repeat = ErrorOf([&] { LoadPatternIntoEditor(ReadPatternFile(folder.string(), "Demo Rock"), document); });
    EXPECT_EQ(repeat.commandLine, "Demo Rock.pat: line 134: 'abc' is not a valid integer value");
    EXPECT_EQ(repeat.window, "'abc' is not a valid integer value");

    lines[134] = "1";
    lines[133] = "slow";
    lines[135] = "/a/b.wav";
    WriteText(folder / "Demo Rock.pat", CrLfText(lines));
    EXPECT_EQ(ErrorOf([&] { ReadPatternFile(folder.string(), "Demo Rock").Tempo(); }).commandLine,
              "Demo Rock.pat: line 133: 'slow' is not a valid integer value");
    lines[133] = "60";
    lines[136] = "fast";
    WriteText(folder / "Demo Rock.pat", CrLfText(lines));
    EXPECT_EQ(ErrorOf([&] { LoadPatternIntoEditor(ReadPatternFile(folder.string(), "Demo Rock"), document); })
                  .commandLine,
              "Demo Rock.pat: line 136: 'fast' is not a valid integer value");

    lines[2] = "99";
    WriteText(folder / "Demo Rock.pat", CrLfText(lines));
    EXPECT_EQ(ErrorOf([&] { ReadPatternFile(folder.string(), "Demo Rock"); }).commandLine,
              "Demo Rock.pat: line 2: '99' is not a valid pattern length (1 to 64 steps)");
}

TEST(FilePlaces, ABinaryPatternFileShowsItsBytesEscapedWithItsFileAndLine) {
    const auto folder = FreshFolder();
    UserSampleTable samples;
    SequencerDocument document(folder.string(), samples);
    using namespace std::string_literals;
    WriteText(folder / "Noise.pat", "\x89PNG\r\n\x1A\n\x00\x00\x00\rIHDR\x00\x01"s);
    EXPECT_EQ(ErrorOf([&] { LoadPatternIntoEditor(ReadPatternFile(folder.string(), "Noise"), document); }).commandLine,
              "Noise.pat: line 2: '\\x00\\x00\\x00' is not a valid integer value");

    std::vector<std::string> lines = SixteenStepLines("Noise");
    lines[133] = "\x00\xFF"s + "6\x00"s;
    WriteText(folder / "Noise.pat", CrLfText(lines));
    EXPECT_EQ(ErrorOf([&] { ReadPatternFile(folder.string(), "Noise").Tempo(); }).commandLine,
              "Noise.pat: line 133: '\\x00\\xFF6\\x00' is not a valid integer value");
}

TEST(FilePlaces, ASongAndAPanningFileAreNamedWithTheLine) {
    const auto folder = FreshFolder();
    UserSampleTable samples;
    SequencerDocument document(folder.string(), samples);
    // Entries on lines 0 and 1; sample 1's block from line 2, its pan on line 6.
    WriteText(folder / "Live.sng", CrLfText({"Intro", "Verse", "<*sam1", "Blank.wav", "44100", "//", "left"}));
    const Shown song = ErrorOf([&] { OpenSong(document, (folder / "Live.sng").string()); });
    EXPECT_EQ(song.commandLine, "Live.sng: line 6: 'left' is not a valid integer value");
    EXPECT_EQ(song.window, "'left' is not a valid integer value");

    WriteText(folder / "Panning.dat", CrLfText({"0", "0", "0", "wide"}));
    EXPECT_EQ(ErrorOf([&] { ReadPanningFile((folder / "Panning.dat").string()); }).commandLine,
              "Panning.dat: line 3: 'wide' is not a valid integer value");
}

TEST(FilePlaces, AFileThatCannotBeOpenedIsNamedOnceByItsOwnMessage) {
    const auto folder = FreshFolder();
    const std::string missing = (folder / "Gone.pat").string();
    EXPECT_EQ(ErrorOf([&] { ReadPatternFile(folder.string(), "Gone"); }).commandLine, "Cannot open file " + missing);
}

TEST(FilePlaces, TheFirstMarkOfEachKindStays) {
    IntegerTextError error("'x' is not a valid integer value");
    EXPECT_EQ(CommandLineMessage(error), "'x' is not a valid integer value");
    error.MarkLine(7);
    EXPECT_EQ(CommandLineMessage(error), "'x' is not a valid integer value") << "a line alone names nothing";
    error.MarkLine(9);
    error.MarkFile("/songs/inner/Beat.pat");
    error.MarkFile("/songs/Live.sng");
    EXPECT_EQ(CommandLineMessage(error), "Beat.pat: line 7: 'x' is not a valid integer value");

    WaveStreamError noLine("Wave is invalid");
    noLine.MarkFile("kit.dxg");
    EXPECT_EQ(CommandLineMessage(noLine), "kit.dxg: Wave is invalid");
    EXPECT_EQ(CommandLineMessage(std::runtime_error("plain")), "plain");
}
