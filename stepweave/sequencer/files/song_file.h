#pragma once
// The song file ("*.sng"): the play list's pattern names, one per line, then
// eight sample blocks for user samples 1..8:
//
//   "<*sam" k         marker (what follows "<*" is not read)
//   file name
//   frequency in Hz
//   "//"              pan marker   } written always; older files may lack
//   pan               in 1/100 dB  } these two lines
#include <optional>
#include <string>
#include <vector>

#include "stepweave/sequencer/files/text_lines.h"

namespace stepweave {

class PlayList;
class UserSampleSlots;

inline constexpr const char* kSongFileExtension = ".sng";

struct SongSampleBlock {
    std::string fileName;
    std::string frequencyText;
    std::optional<std::string> panText;  // absent in a 3-line block
    size_t frequencyLine = 0;            // where the numbers stand, for messages
    size_t panLine = 0;
};

struct SongFileContents {
    std::vector<std::string> entries;
    // Eight blocks, or none when no line begins with "<*".
    std::vector<SongSampleBlock> sampleBlocks;
};

// Every line before the first one beginning with "<*" is a play-list entry,
// taken verbatim. From that line on exactly eight blocks are read: marker,
// file name, frequency, and, when the next line is exactly "//", the pan on
// the line after it; otherwise the line looked at is the next block's marker.
// Lines after the eighth block are ignored; lines missing at the end read as
// empty. A file without a "<*" line is all play-list entries.
SongFileContents ParseSongFile(const TextLines& lines);

std::string SongFileText(const PlayList& playList, const UserSampleSlots& samples);

// Replaces the play list with the song's entries, then loads samples 1..8
// block by block: the file (the blank file empties the slot), its frequency,
// and the pan when the block has one. A block whose frequency or pan is not a
// number fails with IntegerTextError (marked with its line) before its sample
// is touched; the blocks before it stay applied.
void ApplySongFile(const SongFileContents& song, PlayList& playList, UserSampleSlots& samples);

}  // namespace stepweave
