#pragma once
// "Record from MIDI": the hits that arrive while a pattern plays go into the
// pattern, each on the step nearest to when it was struck, as the player
// hears the steps (each sounds its output's latency after it fired).
//
// A hit near a step that has already played this pass is placed at once. A
// hit struck just before its step comes round waits until that step has
// played: it sounded live already, and is heard from the grid on the next
// pass, not twice in this one. A hit still waiting when playback ends is
// placed then, so that none is lost.
//
// In its step's row a hit goes into the channel that already holds that
// instrument (taking the new level), else into the first empty channel; a
// row whose six channels are all taken by other sounds keeps them.
//
// Main thread only; Qt-free, so that the window only turns each placement
// into one undoable edit.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stepweave/sequencer/editor/pattern_editing.h"
#include "stepweave/sound/midi/live_hit.h"

namespace stepweave {

// Where Play Pattern stands when a hit arrives.
struct PatternTiming {
    int length = 0;           // steps
    int playedRow = -1;       // grid row of the step that sounded last; -1 before the first
    uint32_t playedAt = 0;    // when that step fired (the time its sounds are stamped with)
    uint32_t interval = 0;    // milliseconds per step
    uint32_t latency = 0;     // from a step's firing to its sound
};

struct RecordedHit {
    int row = 0;  // grid row of its step
    int slot = 0;
    int level = 1;
};

// The kit cell of a slot at a level: its label with the level's digit.
std::string RecordedCellText(int slot, int level);

// Puts the hit into its row; the cell it went into, or none for a full row.
std::optional<GridCell> PlaceRecordedHit(PatternGrid& grid, const RecordedHit& hit);

class MidiRecording {
public:
    // The hit to place now, or none when it waits for its step to play.
    std::optional<RecordedHit> Add(const LiveHit& hit, const PatternTiming& timing);
    // The waiting hits whose step has just played.
    std::vector<RecordedHit> StepPlayed(int row);
    // Every waiting hit, when playback has ended.
    std::vector<RecordedHit> TakeWaiting();
    bool Waiting() const { return !waiting_.empty(); }

private:
    std::vector<RecordedHit> waiting_;
};

}  // namespace stepweave
