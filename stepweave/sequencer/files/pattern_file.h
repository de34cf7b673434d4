#pragma once
// The pattern file: the pattern name with ".pat" appended, in the start
// folder. One value per line:
//
//   lines 0 .. 7(L+3)-1   grid rows 0 .. L+2, 7 cells per row (line 7r+c
//                         holds row r, column c; so line 2 is the length L)
//   line 7(L+3)           tempo (the Delay value)
//   line 7(L+3)+1         repeat count (the Loop value)
//   next 64 lines         for user samples 1..32: file name, frequency in Hz
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "stepweave/sequencer/model/pattern_grid.h"
#include "stepweave/sequencer/files/text_lines.h"

namespace stepweave {

class SequencerDocument;
class UserSampleSlots;

inline constexpr const char* kPatternFileExtension = ".pat";

// A pattern file as read: the cells as texts, the numbers still as texts so
// that each is converted (and may fail) at the point where it is used.
// A number that fails is marked with its line and, for a file read by
// ReadPatternFile, the file's name.
struct PatternFileContents {
    std::string filePath;  // empty for contents not read from a file
    int length = 0;
    std::vector<std::array<std::string, PatternGrid::kColumns>> rows;  // rows 0 .. length + 2
    std::string tempoText;
    std::string repeatText;
    std::vector<std::string> sampleLines;  // the up to 64 lines after the repeat count

    size_t TempoLine() const { return rows.size() * PatternGrid::kColumns; }
    size_t RepeatLine() const { return TempoLine() + 1; }
    size_t SampleLine(size_t index) const { return RepeatLine() + 1 + index; }

    // The tempo limited to 1..140 and the repeat count raised to at least 1;
    // IntegerTextError when the line is not a number.
    int Tempo() const;
    int Repeat() const;
    const std::string& Name() const { return rows[PatternGrid::kHeaderRow][PatternGrid::kNameColumn]; }
};

std::string PatternFilePath(const std::string& folder, const std::string& name);

// Reads the length from line 2 (IntegerTextError when not a number,
// PatternLengthError outside 1..64), then the 7 x (length + 3) cell lines;
// lines missing at the end read as empty.
PatternFileContents ParsePatternFile(const TextLines& lines);
// FileOpenError "Cannot open file %s" with the path when the file is missing or
// the name cannot name a pattern file.
PatternFileContents ReadPatternFile(const std::string& folder, const std::string& name);

// The file's text for the pattern in the grid (rows 0 .. L+2 with L from the
// header), the given tempo and repeat count, and the user samples' current
// file names and frequencies.
std::string PatternFileText(const PatternGrid& grid, int delay, int loop, const UserSampleSlots& samples);

// Copies rows 0 .. L+2 into the grid; the shown row count is left alone.
void CopyPatternRows(const PatternFileContents& pattern, PatternGrid& grid);

// Loads a read pattern into the editor: the grid shows L + 2 rows and takes
// the cells (name, length, beat, labels and channel names included), the name
// field follows the header, then tempo and repeat count are set, then the
// user samples. A number line that fails stops the load there; what was set
// before stays. A sample slot stored as "Blank.wav" is left as it is, so
// loading a pattern never unloads a sample; when the file has fewer than 64
// sample lines, only the slots present are loaded.
void LoadPatternIntoEditor(const PatternFileContents& pattern, SequencerDocument& document);

}  // namespace stepweave
