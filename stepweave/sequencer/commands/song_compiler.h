#pragma once
// A song compiled into the lines its player steps through: for each pattern
// the tempo marker "//" and the tempo, then the pattern's steps repeated as
// often as its repeat count says, six cell texts per step (empty cells
// included), and after the last pattern the end marker "%%%".
#include <optional>
#include <string>
#include <vector>

#include "stepweave/sequencer/files/pattern_file.h"

namespace stepweave {

inline constexpr const char* kTempoMarker = "//";
inline constexpr const char* kSongEndMarker = "%%%";
// A song longer than this many steps (more than six hours at the default
// tempo) is refused rather than filling memory.
inline constexpr long long kLongestCompiledSong = 200000;

struct CompiledSong {
    std::vector<std::string> lines;
    // The last pattern compiled, which playback leaves in the editor.
    std::optional<PatternFileContents> lastPattern;
};

// Reads each named pattern file from the folder, in order. A missing or
// damaged pattern file stops the compilation with its error
// (FileOpenError, IntegerTextError, PatternLengthError); SongTooLongError when
// the song would exceed kLongestCompiledSong steps.
CompiledSong CompileSong(const std::string& folder, const std::vector<std::string>& patternNames);

}  // namespace stepweave
