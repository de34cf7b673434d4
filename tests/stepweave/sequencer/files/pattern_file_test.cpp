#include "stepweave/sequencer/files/pattern_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/sequencer_errors.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

// The 4-step pattern "Beat": a kick at level 1 on step 1, channel 1, and a
// snare at level 3 on step 3, channel 2, tempo 60, repeat 2.
void MakeBeat(SequencerDocument& document) {
    document.grid.UpdateTime("4", "4");
    document.SetPatternName("Beat");
    document.grid.SetCell(PatternGrid::StepRow(1), 1, "Kick      [ ]");
    document.grid.SetCell(PatternGrid::StepRow(3), 2, "Snare     [3]");
    document.SetDelay(60);
    document.SetLoop(2);
}

std::string BeatFileWithBlankSamples() {
    std::vector<std::string> lines{
        "Beat", "Length:", "4", "Time:", "4", "", "",                   // header
        "", "Channel:1", "Channel:2", "Channel:3", "Channel:4", "Channel:5", "Channel:6",
        "1:0*", "Kick      [ ]", "", "", "", "", "",                    // step 1
        "2:1", "", "", "", "", "", "",                                  // step 2
        "3:2", "", "Snare     [3]", "", "", "", "",                     // step 3
        "4:3", "", "", "", "", "", "",                                  // step 4
        "5:0*", "", "", "", "", "", "",  // trailing row, labelled by the time change
        "60", "2"};
    for (int sample = 1; sample <= 32; ++sample) {
        lines.push_back("Blank.wav");
        lines.push_back("44100");
    }
    EXPECT_EQ(lines.size(), 115u);
    return CrLfText(lines);
}

PatternFileContents Parse(const std::string& text) { return ParsePatternFile(TextLines(text)); }

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace

TEST(PatternFile, TheFourStepExampleIsWrittenByteForByte) {
    UserSampleTable samples;
    SequencerDocument document("/unused", samples);
    MakeBeat(document);
    EXPECT_EQ(PatternFileText(document.grid, document.Delay(), document.Loop(), samples), BeatFileWithBlankSamples());
}

TEST(PatternFile, SixteenStepsPutTempoRepeatAndSamplesAfterLine132) {
    UserSampleTable samples;
    samples.Load(1, "/home/me/clap.wav");
    samples.SetFrequency(1, 22050);
    SequencerDocument document("/unused", samples);
    document.SetDelay(75);
    document.SetLoop(3);
    const TextLines lines(PatternFileText(document.grid, document.Delay(), document.Loop(), samples));
    EXPECT_EQ(lines.Count(), 133u + 2 + 64);
    EXPECT_EQ(lines.At(2), "16");
    EXPECT_EQ(lines.At(7 * 18), "") << "the trailing row holds no label at start";
    EXPECT_EQ(lines.At(132), "");
    EXPECT_EQ(lines.At(133), "75");
    EXPECT_EQ(lines.At(134), "3");
    EXPECT_EQ(lines.At(135), "/home/me/clap.wav");
    EXPECT_EQ(lines.At(136), "22050");
    EXPECT_EQ(lines.At(137), "Blank.wav");
}

TEST(PatternFile, ReadsCrLfCrAndLfAlike) {
    const std::string crLf = BeatFileWithBlankSamples();
    std::string lf, cr;
    for (size_t i = 0; i < crLf.size(); ++i) {
        if (crLf[i] == '\r') {
            continue;
        }
        lf += crLf[i];
        cr += crLf[i] == '\n' ? '\r' : crLf[i];
    }
    for (const std::string& text : {crLf, lf, cr}) {
        const PatternFileContents pattern = Parse(text);
        EXPECT_EQ(pattern.length, 4);
        ASSERT_EQ(pattern.rows.size(), 7u);
        EXPECT_EQ(pattern.rows[4][2], "Snare     [3]");
        EXPECT_EQ(pattern.rows[6][0], "5:0*");
        EXPECT_EQ(pattern.Tempo(), 60);
        EXPECT_EQ(pattern.Repeat(), 2);
        EXPECT_EQ(pattern.sampleLines.size(), 64u);
    }
}

TEST(PatternFile, LoadingShowsThePatternAndItsTiming) {
    UserSampleTable samples;
    SequencerDocument stored("/unused", samples);
    MakeBeat(stored);
    const PatternFileContents pattern =
        Parse(PatternFileText(stored.grid, stored.Delay(), stored.Loop(), samples));

    SequencerDocument editor("/unused", samples);
    editor.grid.SetCell(PatternGrid::StepRow(10), 3, "Tom1      [ ]");  // beyond the loaded length
    LoadPatternIntoEditor(pattern, editor);
    EXPECT_EQ(editor.grid.RowCount(), 6);
    EXPECT_EQ(editor.PatternNameField(), "Beat");
    EXPECT_EQ(editor.grid.LengthText(), "4");
    EXPECT_EQ(editor.grid.StepCell(1, 1), "Kick      [ ]");
    EXPECT_EQ(editor.grid.StepCell(3, 2), "Snare     [3]");
    EXPECT_EQ(editor.grid.Cell(6, 0), "5:0*");
    EXPECT_EQ(editor.grid.StepCell(10, 3), "Tom1      [ ]") << "rows beyond the pattern are kept";
    EXPECT_EQ(editor.Delay(), 60);
    EXPECT_EQ(editor.Loop(), 2);
}

TEST(PatternFile, TempoAndRepeatAreLimited) {
    std::string text = BeatFileWithBlankSamples();
    const TextLines lines(text);
    std::vector<std::string> edited;
    for (size_t i = 0; i < lines.Count(); ++i) {
        edited.push_back(lines.Copy(i));
    }
    edited[49] = "500";
    edited[50] = "-4";
    EXPECT_EQ(Parse(CrLfText(edited)).Tempo(), 140);
    EXPECT_EQ(Parse(CrLfText(edited)).Repeat(), 1);
    edited[49] = "0";
    edited[50] = "0";
    EXPECT_EQ(Parse(CrLfText(edited)).Tempo(), 1);
    EXPECT_EQ(Parse(CrLfText(edited)).Repeat(), 1);
}

TEST(PatternFile, SamplesLoadButABlankSlotNeverUnloads) {
    UserSampleTable samples;
    samples.Load(2, "/kept/cowbell.wav");
    samples.SetFrequency(2, 11025);
    SequencerDocument document("/unused", samples);

    std::vector<std::string> lines{"P", "Length:", "1", "Time:", "1", "", ""};
    lines.resize(7 * 4, "");
    lines.insert(lines.end(), {"60", "1", "C:\\Samples\\snare.wav", "22050", "Blank.wav", "44100",
                               "/home/me/Blank.wav", "44100", "/x/hat.wav", "32000"});
    LoadPatternIntoEditor(Parse(CrLfText(lines)), document);

    EXPECT_EQ(samples.FileName(1), "C:\\Samples\\snare.wav");
    EXPECT_EQ(samples.Frequency(1), 22050);
    EXPECT_EQ(samples.Setting(1).baseFrequency, 22050);
    EXPECT_EQ(samples.FileName(2), "/kept/cowbell.wav");
    EXPECT_EQ(samples.Frequency(2), 11025);
    EXPECT_EQ(samples.FileName(3), "Blank.wav");
    EXPECT_EQ(samples.FileName(4), "/x/hat.wav");
    EXPECT_EQ(samples.Frequency(4), 32000);
    EXPECT_EQ(samples.FileName(5), "Blank.wav") << "slots without lines stay as they are";
}

TEST(PatternFile, NumberErrorsStopTheLoadWhereTheyOccur) {
    UserSampleTable samples;
    SequencerDocument document("/unused", samples);
    document.SetDelay(90);

    std::vector<std::string> lines{"Odd", "Length:", "2", "Time:", "2", "", "", "", "", "", "", "", "", "",
                                   "1:0*", "Sample3"};
    // A short file: the missing cells read empty, then the empty tempo line fails.
    EXPECT_EQ(ErrorOf([&] { LoadPatternIntoEditor(Parse(CrLfText(lines)), document); }),
              "'' is not a valid integer value");
    EXPECT_EQ(document.grid.StepCell(1, 1), "Sample3") << "cells copied before the error stay";
    EXPECT_EQ(document.grid.RowCount(), 4);
    EXPECT_EQ(document.Delay(), 90);

    lines.resize(35, "");
    lines.insert(lines.end(), {"70", "lots"});
    EXPECT_EQ(ErrorOf([&] { LoadPatternIntoEditor(Parse(CrLfText(lines)), document); }),
              "'lots' is not a valid integer value");
    EXPECT_EQ(document.Delay(), 70);

    lines[36] = "4";
    lines.insert(lines.end(), {"/a/b.wav", "fast"});
    EXPECT_EQ(ErrorOf([&] { LoadPatternIntoEditor(Parse(CrLfText(lines)), document); }),
              "'fast' is not a valid integer value");
    EXPECT_EQ(samples.FileName(1), "Blank.wav") << "a sample whose frequency fails is not loaded";
}

TEST(PatternFile, ALengthOutsideOneToSixtyFourIsRefusedBeforeAnyCell) {
    EXPECT_EQ(ErrorOf([] { Parse("X\r\nLength:\r\nsixteen\r\n"); }), "'sixteen' is not a valid integer value");
    EXPECT_EQ(ErrorOf([] { Parse("X\r\nLength:\r\n65\r\n"); }), "'65' is not a valid pattern length (1 to 64 steps)");
    EXPECT_THROW(Parse("X\r\nLength:\r\n0\r\n"), PatternLengthError);
    EXPECT_THROW(Parse("X\r\nLength:\r\n-2147483648\r\n"), PatternLengthError);
    EXPECT_THROW(Parse(""), IntegerTextError);
    EXPECT_EQ(Parse("X\r\nLength:\r\n64\r\n").rows.size(), 67u);
}

TEST(PatternFile, FilesLiveInTheStartFolder) {
    const auto folder = FreshFolder();
    EXPECT_EQ(PatternFilePath(folder.string(), "Groove"), (folder / "Groove.pat").string());
    WriteText(folder / "Beat.pat", BeatFileWithBlankSamples());
    EXPECT_EQ(ReadPatternFile(folder.string(), "Beat").Name(), "Beat");
    const std::string missing = (folder / "Gone.pat").string();
    EXPECT_EQ(ErrorOf([&] { ReadPatternFile(folder.string(), "Gone"); }), "Cannot open file " + missing);
    // A name from a damaged song file must not reach outside the start folder.
    std::filesystem::create_directories(folder / "inner");
    EXPECT_THROW(ReadPatternFile((folder / "inner").string(), "../Beat"), FileOpenError);
}
