#pragma once
// The song commands: New Song, Open Song, Save Song and Clear List. The file
// dialogs belong to the window, which hands over the chosen path ("" when the
// dialog was cancelled). After Open and Save the window enables its Play
// Pattern button; after Clear List it also ends song playback.
#include <string>

#include "stepweave/sequencer/model/sequencer_document.h"

namespace stepweave {

// Empties channels 1..6 of every step row, the pattern name, the play list
// and the song title, and resets the caption. Tempo, repeat count, step
// labels, length, beat, the library and all samples stay.
void NewSong(SequencerDocument& document);

// Reads the song file at the chosen path: the play list takes its entries and
// user samples 1..8 its sample blocks; the title becomes the file's name
// without folder and extension and the caption "Stepweave Pro v4.0 - " and
// the title. Returns false, changing nothing, for a cancelled dialog or a
// file named just ".sng". A missing file fails with FileOpenError and changes
// nothing; a number error in a sample block fails with IntegerTextError after
// the play list and the blocks before it were taken (the title then holds the
// chosen path).
bool OpenSong(SequencerDocument& document, const std::string& chosenPath);

// Writes the play list and user samples 1..8 to the chosen path; the title
// becomes the file's name without folder and extension. Returns false,
// changing nothing, for a cancelled dialog or a file named just ".sng".
bool SaveSong(SequencerDocument& document, const std::string& chosenPath);

// Empties the play list and the song title.
void ClearList(SequencerDocument& document);

// The chosen file's name without folder and without its last four characters.
std::string SongTitleFromPath(const std::string& path);

}  // namespace stepweave
