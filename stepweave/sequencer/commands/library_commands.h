#pragma once
// The commands of the pattern library and the play list: storing the edited
// pattern, loading a play-list entry into the editor, adding, removing and
// deleting. Moving and removing checked entries are PlayList's own.
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/user_prompt.h"

namespace stepweave {

inline constexpr const char* kPatternNameQuestion = "Name of pattern?";
inline constexpr const char* kPatternNameCaption = "NAME";
inline constexpr const char* kDeletePatternQuestion =
    "This will Delete this pattern from both Pattern Lib and Play List, Some Songs that contain this pattern may not "
    "play, are you sure?";
inline constexpr const char* kDeletePatternCaption = "!Are you sure you wish to delete?";

// Adds every pattern file of the start folder to the library.
void FillLibraryFromStartDirectory(SequencerDocument& document);

// Store: writes the grid's pattern to its file in the start folder (replacing
// an older one), then appends its name to the play list unless the play list
// already holds it; in that case it stops there, otherwise it also adds the
// name to the library unless the library holds it. An empty name (or
// "<Blank>") gets the notice "Name of pattern?" instead; a name that cannot
// be a file in the start folder fails with FileCreateError.
void StorePattern(SequencerDocument& document, UserPrompt& prompt);

// Loads the selected play-list entry's pattern into the editor. Nothing
// happens (false) without a selection or for an empty or "<Blank>" entry.
// A missing file fails with FileOpenError and leaves the editor unchanged.
bool LoadSelectedPattern(SequencerDocument& document);

// Appends the library's selected name to the play list ("<Blank>" is not).
void AddSelectedToPlayList(SequencerDocument& document);

// Removes the selected play-list entry; a name the library lacks moves into
// the library.
void RemoveSelectedFromPlayList(SequencerDocument& document);

// Asks, and on OK deletes the selected library pattern for good: its file,
// its library entry and every play-list entry of that name. Song files are
// not touched. Nothing happens without a selection or on "<Blank>". A file
// that exists but cannot be deleted fails with FileDeleteError and changes
// nothing.
void DeleteSelectedPattern(SequencerDocument& document, UserPrompt& prompt);

}  // namespace stepweave
