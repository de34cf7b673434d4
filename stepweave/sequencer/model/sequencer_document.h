#pragma once
// Everything the sequencer's files and commands work on: the pattern being
// edited with its tempo and repeat count, the pattern library, the play list,
// the song title and the window caption, plus the user samples (owned by the
// sound side, reached through UserSampleSlots) and the folder the pattern
// files live in. The main window shows this state in its controls.
#include <string>

#include "stepweave/sequencer/model/pattern_grid.h"
#include "stepweave/sequencer/model/pattern_library.h"
#include "stepweave/sequencer/model/play_list.h"
#include "stepweave/sequencer/model/tempo.h"
#include "stepweave/sequencer/model/user_sample_slots.h"

namespace stepweave {

inline constexpr const char* kMainWindowCaption = "Stepweave Pro v5.0";
// An opened song's caption is this prefix followed by the song title.
inline constexpr const char* kOpenedSongCaptionPrefix = "Stepweave Pro v4.0 - ";
// What the pattern name field shows at start, while the header is still empty.
inline constexpr const char* kInitialPatternNameField = "Name";

class SequencerDocument {
public:
    // The state at start: the default grid, tempo 60, repeat 1, a library
    // holding only "<Blank>", an empty play list and title.
    SequencerDocument(std::string startDirectory, UserSampleSlots& samples);

    const std::string& StartDirectory() const { return startDirectory_; }
    UserSampleSlots& Samples() const { return samples_; }

    // Tempo as the Delay slider holds it: always within 1..140.
    int Delay() const { return delay_; }
    void SetDelay(int delay) { delay_ = LimitDelay(delay); }
    // Repeat count as the Loop field holds it: always at least 1.
    int Loop() const { return loop_; }
    void SetLoop(int loop) { loop_ = LimitLoop(loop); }

    // The name field; every change is copied into the grid's header.
    const std::string& PatternNameField() const { return patternNameField_; }
    void SetPatternName(const std::string& name);
    // The name field takes the header's name (after a pattern was loaded).
    void ShowHeaderName() { patternNameField_ = grid.Name(); }
    // The name field shows a text of an earlier state (undo) without copying
    // it: the grid restored with it holds that state's header.
    void RestoreNameField(std::string text) { patternNameField_ = std::move(text); }

    // "Clear Pattern": empties channels 1..6 of every step row and the name,
    // and sets the repeat count to 1. Rows, labels, length, beat and tempo stay.
    void ClearPattern();

    PatternGrid grid;
    PatternLibrary library;
    PlayList playList;
    std::string songTitle;
    std::string caption = kMainWindowCaption;

private:
    std::string startDirectory_;
    UserSampleSlots& samples_;
    int delay_ = kDefaultDelay;
    int loop_ = kDefaultLoop;
    std::string patternNameField_ = kInitialPatternNameField;
};

}  // namespace stepweave
