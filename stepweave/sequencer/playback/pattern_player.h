#pragma once
// Play Pattern: steps through the pattern in the editor's grid on its own
// step clock, one row per firing, reading each row at the moment
// it plays so that edits made during playback are heard. Every firing takes
// the step interval from the Delay slider again, so tempo changes are heard
// from the next step. After the last row the pattern ends, unless the
// "Repeat" check box is checked at that moment, in which case it
// goes on with the first row.
#include <functional>

#include "stepweave/sequencer/playback/step_clock.h"

namespace stepweave {

class SequencerDocument;
class StepSounds;

class PatternPlayer {
public:
    PatternPlayer(SequencerDocument& document, StepSounds& sounds, ApplicationIdle& application);

    // Reads the length from the grid's header, which fails (IntegerTextError,
    // PatternLengthError) before anything changes; then starts at the first
    // step row, the first firing one step interval from now.
    void Start();
    // Disables the clock; the pattern stays where it was.
    void Stop();
    bool Playing() const { return clock_.Enabled(); }

    // The length read at the start, and the grid row of the next step.
    int Length() const { return length_; }
    int Row() const { return row_; }
    // The grid row of the step that sounded last, or kNoRow before the first.
    static constexpr int kNoRow = -1;
    int PlayedRow() const { return playedRow_; }

    bool Repeat() const { return repeat_; }
    void SetRepeat(bool repeat) { repeat_ = repeat; }

    // Told after every step played (the playhead moved).
    std::function<void()> OnStepPlayed;
    // Told when the last step has played and the pattern ends by itself.
    std::function<void()> OnFinished;

    StepClock& Clock() { return clock_; }

private:
    void PlayNextStep();

    SequencerDocument& document_;
    StepSounds& sounds_;
    StepClock clock_;
    int length_ = 0;
    int row_ = 0;
    int playedRow_ = kNoRow;
    bool repeat_ = false;
};

}  // namespace stepweave
