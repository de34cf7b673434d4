#include "stepweave/sequencer/commands/song_compiler.h"

#include <gtest/gtest.h>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "stepweave/sequencer/commands/library_commands.h"
#include "stepweave/sequencer/model/sequencer_errors.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

// Stores a pattern whose cell on step s, channel c reads "<name> s.c" so that
// every compiled line can be traced back.
void StoreTraceablePattern(SequencerDocument& document, const std::string& name, int length, int delay, int loop) {
    document.grid.UpdateTime(std::to_string(length), "4");
    document.SetPatternName(name);
    for (int step = 1; step <= length; ++step) {
        for (int channel = 1; channel <= 6; ++channel) {
            const bool leftEmpty = channel == 6;
            document.grid.SetCell(PatternGrid::StepRow(step), channel,
                                  leftEmpty ? "" : name + " " + std::to_string(step) + "." + std::to_string(channel));
        }
    }
    document.SetDelay(delay);
    document.SetLoop(loop);
    ScriptedPrompt prompt;
    StorePattern(document, prompt);
}

std::vector<std::string> StepLines(const std::string& name, int length) {
    std::vector<std::string> lines;
    for (int step = 1; step <= length; ++step) {
        for (int channel = 1; channel <= 6; ++channel) {
            lines.push_back(channel == 6 ? "" : name + " " + std::to_string(step) + "." + std::to_string(channel));
        }
    }
    return lines;
}

}  // namespace

TEST(SongCompiler, TwoPatternsWithTheirTemposAndRepeats) {
    const auto folder = FreshFolder();
    UserSampleTable samples;
    SequencerDocument document(folder.string(), samples);
    StoreTraceablePattern(document, "First", 4, 50, 2);
    StoreTraceablePattern(document, "Second", 3, 80, 1);

    const CompiledSong song = CompileSong(folder.string(), {"First", "Second"});
    std::vector<std::string> expected{"//", "50"};
    for (int pass = 0; pass < 2; ++pass) {
        const auto steps = StepLines("First", 4);
        expected.insert(expected.end(), steps.begin(), steps.end());
    }
    expected.insert(expected.end(), {"//", "80"});
    const auto second = StepLines("Second", 3);
    expected.insert(expected.end(), second.begin(), second.end());
    expected.push_back("%%%");
    EXPECT_EQ(song.lines, expected);
    EXPECT_EQ(song.lines.size(), 2 + 2u * 4 * 6 + 2 + 3 * 6 + 1);
    ASSERT_TRUE(song.lastPattern);
    EXPECT_EQ(song.lastPattern->Name(), "Second");
}

TEST(SongCompiler, RepeatedEntriesTempoLimitsAndErrors) {
    const auto folder = FreshFolder();
    std::vector<std::string> lines{"Fast", "Length:", "1", "Time:", "1", "", ""};
    lines.resize(7 * 4, "");
    lines[15] = "Kick      [ ]";
    lines.insert(lines.end(), {"0", "-1"});
    WriteText(folder / "Fast.pat", CrLfText(lines));

    const CompiledSong song = CompileSong(folder.string(), {"Fast", "Fast"});
    const std::vector<std::string> onePass{"//", "1", "Kick      [ ]", "", "", "", "", ""};
    std::vector<std::string> expected = onePass;
    expected.insert(expected.end(), onePass.begin(), onePass.end());
    expected.push_back("%%%");
    EXPECT_EQ(song.lines, expected);

    EXPECT_EQ(CompileSong(folder.string(), {}).lines, std::vector<std::string>{"%%%"});
    EXPECT_THROW(CompileSong(folder.string(), {"Fast", "Missing"}), FileOpenError);

    lines[28] = "60";
    lines[29] = "99999999";
    WriteText(folder / "Endless.pat", CrLfText(lines));
    EXPECT_THROW(CompileSong(folder.string(), {"Endless"}), SongTooLongError);
}
