#include "stepweave/sequencer/files/pattern_file.h"

#include <filesystem>

#include "stepweave/sequencer/model/integer_text.h"
#include "stepweave/sequencer/model/pattern_library.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/tempo.h"
#include "stepweave/sequencer/model/user_sample_slots.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

constexpr size_t kLengthLine = 2;
constexpr size_t kSampleLinesPerSlot = 2;
constexpr size_t kSampleLineCount = kSampleLinesPerSlot * kUserSampleCount;

// Marks an error of reading the pattern with its file.
template <typename Body>
decltype(auto) InPatternFile(const PatternFileContents& pattern, Body&& body) {
    if (pattern.filePath.empty()) {
        return body();
    }
    return MarkedWithFile(pattern.filePath, body);
}

void LoadPatternSamples(const PatternFileContents& pattern, UserSampleSlots& samples) {
    const std::vector<std::string>& lines = pattern.sampleLines;
    for (int sample = 1; sample <= kUserSampleCount; ++sample) {
        const size_t nameLine = kSampleLinesPerSlot * (sample - 1);
        if (nameLine >= lines.size()) {
            return;
        }
        const std::string& fileName = lines[nameLine];
        if (IsBlankSampleFile(fileName)) {
            continue;
        }
        const std::string frequencyText = nameLine + 1 < lines.size() ? lines[nameLine + 1] : std::string();
        const int frequency = InPatternFile(pattern, [&] {
            return MarkedWithLine(pattern.SampleLine(nameLine + 1), [&] { return ParseInteger(frequencyText); });
        });
        samples.Load(sample, fileName);
        samples.SetBaseFrequency(sample, frequency);
        samples.SetFrequency(sample, frequency);
    }
}

}  // namespace

int PatternFileContents::Tempo() const {
    return InPatternFile(*this, [&] {
        return MarkedWithLine(TempoLine(), [&] { return LimitDelay(ParseInteger(tempoText)); });
    });
}

int PatternFileContents::Repeat() const {
    return InPatternFile(*this, [&] {
        return MarkedWithLine(RepeatLine(), [&] { return LimitLoop(ParseInteger(repeatText)); });
    });
}

std::string PatternFilePath(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / (name + kPatternFileExtension)).string();
}

PatternFileContents ParsePatternFile(const TextLines& lines) {
    PatternFileContents pattern;
    pattern.length = MarkedWithLine(kLengthLine, [&] { return PatternLengthFromText(lines.At(kLengthLine)); });
    pattern.rows.resize(static_cast<size_t>(pattern.length) + 3);
    size_t line = 0;
    for (auto& row : pattern.rows) {
        for (auto& cell : row) {
            cell = lines.Copy(line++);
        }
    }
    pattern.tempoText = lines.Copy(line++);
    pattern.repeatText = lines.Copy(line++);
    for (size_t i = 0; i < kSampleLineCount && line + i < lines.Count(); ++i) {
        pattern.sampleLines.push_back(lines.Copy(line + i));
    }
    return pattern;
}

PatternFileContents ReadPatternFile(const std::string& folder, const std::string& name) {
    const std::string path = PatternFilePath(folder, name);
    if (!IsPatternName(name)) {
        throw FileOpenError(path);
    }
    PatternFileContents pattern = MarkedWithFile(path, [&] { return ParsePatternFile(ReadTextFile(path)); });
    pattern.filePath = path;
    return pattern;
}

std::string PatternFileText(const PatternGrid& grid, int delay, int loop, const UserSampleSlots& samples) {
    const int length = grid.Length();
    LineWriter file;
    for (int row = 0; row <= length + 2; ++row) {
        for (int column = 0; column < PatternGrid::kColumns; ++column) {
            file.Add(grid.Cell(row, column));
        }
    }
    file.Add(delay);
    file.Add(loop);
    for (int sample = 1; sample <= kUserSampleCount; ++sample) {
        file.Add(samples.FileName(sample));
        file.Add(samples.Frequency(sample));
    }
    return file.Text();
}

void CopyPatternRows(const PatternFileContents& pattern, PatternGrid& grid) {
    for (size_t row = 0; row < pattern.rows.size(); ++row) {
        for (int column = 0; column < PatternGrid::kColumns; ++column) {
            grid.SetCell(static_cast<int>(row), column, pattern.rows[row][column]);
        }
    }
}

void LoadPatternIntoEditor(const PatternFileContents& pattern, SequencerDocument& document) {
    document.grid.SetRowCount(pattern.length + 2);
    CopyPatternRows(pattern, document.grid);
    document.ShowHeaderName();
    document.SetDelay(pattern.Tempo());
    document.SetLoop(pattern.Repeat());
    LoadPatternSamples(pattern, document.Samples());
}

}  // namespace stepweave
