#pragma once
// The main window's playback: Play Pattern, Play Song, Stop and the end of
// song playback by Clear List, the Delay slider moved by hand, the Global
// and Repeat check boxes, the play buttons' enabled state and the BPM label.
// The window is a thin shell over it; the headless play command drives it
// the same way.
//
// At most one playback runs: starting one stops the other first.
#include <functional>
#include <string>

#include "stepweave/sequencer/playback/application_idle.h"
#include "stepweave/sequencer/model/global_tempo.h"
#include "stepweave/sequencer/playback/pattern_player.h"
#include "stepweave/sequencer/playback/song_player.h"

namespace stepweave {

class SequencerDocument;
class StepSounds;

class PlaybackEngine {
public:
    // User samples 1..16 are the ones Stop silences.
    static constexpr int kSamplesStopped = 16;

    PlaybackEngine(SequencerDocument& document, StepSounds& sounds, ApplicationIdle& application);

    // Play Pattern (F6). A header length that is not a valid length fails
    // before anything changes.
    void PlayPattern();
    // Play Song (F5). An empty play list plays nothing; a missing or damaged
    // pattern file fails with its error and leaves the buttons enabled.
    void PlaySong();
    // Stop (F8): silences user samples 1..16 (kit voices ring out), ends
    // either playback and enables both play buttons.
    void Stop();
    // Clear List: empties the play list and the song title and ends song
    // playback.
    void ClearList();

    // The Delay slider moved by the user's own hand: it becomes the global
    // tempo, and while Global is checked a playing song takes it at once.
    // Setting the slider from a file or a song is SequencerDocument::SetDelay.
    void SetDelayByHand(int delay);
    int GlobalTempoValue() const { return globalTempo_.tempo; }
    bool UsesGlobalTempo() const { return globalTempo_.global; }
    void SetUsesGlobalTempo(bool global) { globalTempo_.global = global; }

    // The two "Repeat" check boxes: beside the play buttons (the pattern)
    // and beside the play list (the song). Read when the end is reached.
    bool PatternRepeat() const { return pattern_.Repeat(); }
    void SetPatternRepeat(bool repeat) { pattern_.SetRepeat(repeat); }
    bool SongRepeat() const { return song_.Repeat(); }
    void SetSongRepeat(bool repeat) { song_.SetRepeat(repeat); }

    // One step lasts 2 x Delay milliseconds; the BPM label shows 7200 / Delay.
    int StepInterval() const;
    std::string BpmLabel() const;

    bool PlayPatternEnabled() const { return playPatternEnabled_; }
    bool PlaySongEnabled() const { return playSongEnabled_; }
    // Open and Save Song enable the Play Pattern button.
    void EnablePlayPattern();
    // A render disables both play buttons while it runs; Stop enables them again.
    void SetPlayButtonsEnabled(bool enabled);

    bool PlayingPattern() const { return pattern_.Playing(); }
    bool PlayingSong() const { return song_.Playing(); }
    bool Playing() const { return PlayingPattern() || PlayingSong(); }

    // Both step clocks tell the observer of every firing (null for none).
    void SetFiringObserver(StepFiringObserver* observer);

    PatternPlayer& Pattern() { return pattern_; }
    SongPlayer& Song() { return song_; }

    // Told when something the window shows changed without a command of
    // its own: the Delay slider and BPM label during a song, the buttons and
    // the play list's selection when a playback ends by itself.
    std::function<void()> OnDisplayChanged;
    // Told after every step either playback played: the playhead moved.
    std::function<void()> OnStepPlayed;

private:
    void PlaybackEnded();
    void DisplayChanged();
    void StepPlayed();

    SequencerDocument& document_;
    StepSounds& sounds_;
    GlobalTempo globalTempo_;
    PatternPlayer pattern_;
    SongPlayer song_;
    bool playPatternEnabled_ = true;
    bool playSongEnabled_ = true;
};

}  // namespace stepweave
