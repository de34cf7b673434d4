#pragma once
// Play Song: compiles the play list into the list of lines that song
// playback steps through (MainPlay) and plays it on its own step clock
// (DXTimer1), one step of six cell lines per firing. A tempo marker sets the
// Delay slider to the pattern's tempo (or the global tempo while Global is
// checked) and the clock's interval with it. At the end marker the song ends,
// unless the song's "Repeat" check box (Noend) is checked at that moment, in
// which case it starts again from its first tempo marker at the next firing.
//
// The clock keeps the interval of the last song played (1000 ms before the
// first), so the first step of a song comes that long after the start.
#include <functional>
#include <string>
#include <vector>

#include "stepweave/sequencer/playback/dx_timer.h"
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
    // Disables the clock and empties MainPlay.
    void Stop();
    bool Playing() const { return clock_.Enabled(); }

    const std::vector<std::string>& MainPlay() const { return mainPlay_; }
    // The index of the next line of MainPlay.
    size_t Position() const { return position_; }

    bool Noend() const { return noEnd_; }
    void SetNoend(bool noEnd) { noEnd_ = noEnd; }

    // Told when a tempo marker has moved the Delay slider.
    std::function<void()> OnTempoChanged;
    // Told after every step played (the playhead moved).
    std::function<void()> OnStepPlayed;
    // Told when the song has played to its end and stopped by itself.
    std::function<void()> OnFinished;

    TDXTimer& DXTimer1() { return clock_; }

private:
    void DXTimer1Timer();
    void TakeTempoMarker();
    bool AtEnd() const;
    void EndOfSong();

    SequencerDocument& document_;
    StepSounds& sounds_;
    const GlobalTempo& globalTempo_;
    TDXTimer clock_;
    std::vector<std::string> mainPlay_;
    size_t position_ = 0;
    bool stopRequested_ = false;
    bool noEnd_ = false;
};

}  // namespace stepweave
