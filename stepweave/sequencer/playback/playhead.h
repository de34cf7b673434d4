#pragma once
// Where the playhead stands in the editor's grid: the row of the step that
// sounded last. Play Pattern plays the grid itself. A song plays its compiled
// lines, and the grid holds the last pattern compiled, so the song's steps
// are marked only while that pattern plays.
#include <optional>
#include <string>
#include <vector>

namespace stepweave {

class PatternGrid;
class PlaybackEngine;

std::optional<int> PlayheadRow(PlaybackEngine& engine, const PatternGrid& grid);

// The grid row of the step just played, when the song position lies within
// the compiled song's last pattern (of the given length); none elsewhere.
std::optional<int> SongPlayheadRow(const std::vector<std::string>& songLines, size_t position, int lastPatternLength);

// The lines of a compiled song at which its patterns start (their tempo
// markers), found step by step as the song player reads them.
std::vector<size_t> PatternStartLines(const std::vector<std::string>& songLines);
// Which of the song's patterns (0 for the first) holds the step just played,
// given the position after it; the first before any step. None for no song.
std::optional<int> PatternPlayedAt(const std::vector<size_t>& patternStarts, size_t position);

}  // namespace stepweave
