#pragma once
// What "Export MIDI" writes: a song's play list, or one pass of a pattern,
// as a MIDI file of type 1 (see song_midi.h), with the sounds the render
// would mix: the kit's items and the user samples' files, each as long as
// it sounds at its playback frequency.
//
// The files are read as the render reads them: a missing or damaged pattern
// file, or a sample file the song plays that cannot be read, fails with its
// error; the file written goes through a temporary file renamed into place.
#include <string>
#include <vector>

#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/midi_export/song_midi.h"
#include "stepweave/sequencer/render/render_sample_settings.h"

namespace stepweave {

class WaveCollection;

// Where the sounds of an export come from.
struct MidiExportSounds {
    std::string startDirectory;  // the pattern files and bare sample names
    const WaveCollection& kit;   // items 1..16: the kit instruments
    RenderSampleSettings samples;
};

// The play list's patterns in order, each with its repeats.
SongForMidi SongForMidiOfPlayList(const std::vector<std::string>& patternNames, const MidiExportSounds& sounds,
                                  const std::string& title);
// One pass of a pattern file's pattern, or of the pattern in the editor.
SongForMidi SongForMidiOfPattern(const PatternFileContents& pattern, const MidiExportSounds& sounds);

// Encodes the song's tracks and writes them to the path.
void WriteSongMidiFile(const SongForMidi& song, const std::string& path);

// The grid's pattern with the given tempo, as a file of it would be read.
PatternFileContents PatternOfEditor(const PatternGrid& grid, int delay);

// "Demo.mid" for "Demo.sng": the same folder and name.
std::string MidiFileBeside(const std::string& songPath);

}  // namespace stepweave
