#include "stepweave/sequencer/commands/song_compiler.h"

#include <map>

#include "stepweave/sequencer/model/sequencer_errors.h"

namespace stepweave {

namespace {

void AppendPattern(const PatternFileContents& pattern, std::vector<std::string>& lines) {
    lines.emplace_back(kTempoMarker);
    lines.push_back(std::to_string(pattern.Tempo()));
    const int repeat = pattern.Repeat();
    for (int pass = 0; pass < repeat; ++pass) {
        for (int step = 1; step <= pattern.length; ++step) {
            const auto& row = pattern.rows[static_cast<size_t>(PatternGrid::StepRow(step))];
            lines.insert(lines.end(), row.begin() + 1, row.end());
        }
    }
}

}  // namespace

CompiledSong CompileSong(const std::string& folder, const std::vector<std::string>& patternNames) {
    CompiledSong song;
    // A pattern standing many times in the play list is read once.
    std::map<std::string, PatternFileContents> readPatterns;
    long long steps = 0;
    for (const auto& name : patternNames) {
        auto found = readPatterns.find(name);
        if (found == readPatterns.end()) {
            found = readPatterns.emplace(name, ReadPatternFile(folder, name)).first;
        }
        const PatternFileContents& pattern = found->second;
        steps += static_cast<long long>(pattern.Repeat()) * pattern.length;
        if (steps > kLongestCompiledSong) {
            throw SongTooLongError(kLongestCompiledSong);
        }
        AppendPattern(pattern, song.lines);
        song.lastPattern = pattern;
    }
    song.lines.emplace_back(kSongEndMarker);
    return song;
}

}  // namespace stepweave
