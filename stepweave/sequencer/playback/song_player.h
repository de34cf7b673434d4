#pragma once
// Play Song: compiles the play list into the list of lines that song
// playback steps through and plays it on its own step clock, one step of six
// cell lines per firing. A tempo marker sets the Delay slider to the pattern's tempo (or the global tempo while Global is
// checked) and the clock's interval with it. At the end marker the song ends,
// unless the song's "Repeat" check box is checked at that moment, in
// which case it starts again from its first tempo marker at the next firing.
//
// The clock keeps the interval of the last song played (1000 ms before the
// first), so the first step of a song comes that long after the start.
#include <functional>
#include <string>
#include <vector>

#include "stepweave/sequencer/playback/step_clock.h"
#include "stepweave/sequencer/model/global_tempo.h"

namespace stepweave {

class SequencerDocument;
class StepSounds;

class SongPlayer {
public:
    SongPlayer(SequencerDocument& document, StepSounds& sounds, ApplicationIdle& application,
               const GlobalTempo& globalTempo);

    // Compiles the play list from its selected entry on (from the first when
    // none is selected) and starts playing. The editor is left holding the
    // last pattern compiled, with its tempo and repeat count; the play list's
    // selection moves to the entry before the start (none when it started at
    // the first). Returns false, changing nothing, for an empty play list. A
    // missing or damaged pattern file fails with its error before anything
    // changes.
    bool Start();
    // Disables the clock and empties the lines.
    void Stop();
    bool Playing() const { return clock_.Enabled(); }

    const std::vector<std::string>& Lines() const { return lines_; }
    // The play-list entry the song started from: its first pattern's.
    int FirstEntry() const { return firstEntry_; }
    // The index of the next line.
    size_t Position() const { return position_; }

    bool Repeat() const { return repeat_; }
    void SetRepeat(bool repeat) { repeat_ = repeat; }

    // Told when a tempo marker has moved the Delay slider.
    std::function<void()> OnTempoChanged;
    // Told after every step played (the playhead moved).
    std::function<void()> OnStepPlayed;
    // Told when the song has played to its end and stopped by itself.
    std::function<void()> OnFinished;

    StepClock& Clock() { return clock_; }

private:
    void PlayNextStep();
    void TakeTempoMarker();
    bool AtEnd() const;
    void EndOfSong();

    SequencerDocument& document_;
    StepSounds& sounds_;
    const GlobalTempo& globalTempo_;
    StepClock clock_;
    std::vector<std::string> lines_;
    size_t position_ = 0;
    int firstEntry_ = 0;
    bool stopRequested_ = false;
    bool repeat_ = false;
};

}  // namespace stepweave
