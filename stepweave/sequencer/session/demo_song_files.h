#pragma once
// Writes the demo song into a folder with the sequencer's own writers, so
// that its files are always in the current format: the bass sound, one
// pattern file per pattern, and the song file.
#include <string>

namespace stepweave {

class PatternGrid;
struct DemoPattern;

// Puts a demo pattern into the editor's grid: its time, name and hits, each
// hit in the next free channel of its step. More than six hits on one step
// cannot be held and fail with std::logic_error.
void FillDemoPattern(const DemoPattern& pattern, PatternGrid& grid);

// Writes each demo file that the folder does not hold yet; files the user
// may have changed are left alone.
void WriteDemoSong(const std::string& folder);

}  // namespace stepweave
