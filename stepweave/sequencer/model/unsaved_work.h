#pragma once
// What the musician would lose if the window dropped its document now, and
// the question that names it.
//
// The pattern in the editor is unsaved when its grid (cells, name, length,
// beat) or its repeat count differs from what was last stored or loaded, or
// when the tempo was moved by hand since then and now differs (a song moves
// the tempo itself as it plays; that is no change of the user's). The song is
// unsaved when its play list or the settings of samples 1..8 (what a song
// file holds) differ from what was last opened or saved. A pattern with no
// name and no cells, and a song with an empty play list, have nothing to lose.
//
// The states are compared, not counted as edits, so that undoing back to the
// stored state leaves nothing unsaved.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "stepweave/sequencer/model/pattern_grid.h"
#include "stepweave/sequencer/model/user_sample_slots.h"

namespace stepweave {

class SequencerDocument;

inline constexpr const char* kUnsavedWorkCaption = "Unsaved Work";

// What would drop the document.
enum class DocumentLeaving { NewSong, OpenSong, Exit };

enum class UnsavedWorkAnswer { Save, Discard, Cancel };

// One question naming everything that would be lost. Save stores the pattern
// and/or saves the song, as the flags say; its button says which.
struct UnsavedWorkQuestion {
    std::string text;
    std::string saveButton;  // "Store", "Save Song" or "Store and Save Song"
    bool storesPattern = false;
    bool savesSong = false;
};

class UnsavedWork {
public:
    // Everything the document holds now counts as kept.
    explicit UnsavedWork(const SequencerDocument& document);

    // The editor's pattern was stored, loaded, or replaced by a new song's.
    void PatternKept();
    // The song was opened, saved or started anew.
    void SongKept();
    // The user moved the tempo slider.
    void TempoSetByHand() { tempoSetByHand_ = true; }
    // The editor's pattern as its pattern file holds it (grid, repeat count,
    // tempo): when the pattern stands so now, as after a render or Play Song
    // left the last pattern in the editor, it counts as kept.
    void KeptIfStoredAs(const PatternGrid& grid, int loop, int delay);

    bool PatternUnsaved() const;
    bool SongUnsaved() const;
    // The question to ask before the document is dropped; none when nothing
    // would be lost.
    std::optional<UnsavedWorkQuestion> QuestionBefore(DocumentLeaving leaving) const;

private:
    struct SampleSetting {
        std::string fileName;
        int frequency = 0;
        int pan = 0;
        bool operator==(const SampleSetting&) const = default;
    };
    struct SongState {
        std::vector<std::string> entries;
        std::array<SampleSetting, kSongSampleCount> samples;
        bool operator==(const SongState&) const = default;
    };
    struct PatternState {
        PatternGrid grid;
        int loop = 0;
        int delay = 0;
    };
    SongState CurrentSong() const;
    bool PatternDiffersFrom(const PatternState& pattern) const;

    const SequencerDocument& document_;
    PatternState keptPattern_;
    bool tempoSetByHand_ = false;
    SongState keptSong_;
};

}  // namespace stepweave
