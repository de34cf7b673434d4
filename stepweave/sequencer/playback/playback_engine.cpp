#include "stepweave/sequencer/playback/playback_engine.h"

#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/playback/step_sounds.h"
#include "stepweave/sequencer/model/tempo.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

PlaybackEngine::PlaybackEngine(SequencerDocument& document, StepSounds& sounds, ApplicationIdle& application)
    : document_(document),
      sounds_(sounds),
      globalTempo_{false, document.Delay()},
      pattern_(document, sounds, application),
      song_(document, sounds, application, globalTempo_) {
    pattern_.OnFinished = [this] { PlaybackEnded(); };
    song_.OnFinished = [this] { PlaybackEnded(); };
    song_.OnTempoChanged = [this] { DisplayChanged(); };
    pattern_.OnStepPlayed = [this] { StepPlayed(); };
    song_.OnStepPlayed = [this] { StepPlayed(); };
}

void PlaybackEngine::SetFiringObserver(StepFiringObserver* observer) {
    pattern_.Clock().SetFiringObserver(observer);
    song_.Clock().SetFiringObserver(observer);
}

void PlaybackEngine::PlayPattern() {
    document_.grid.Length();  // a header that is no length fails here, with nothing changed
    song_.Stop();
    SetPlayButtonsEnabled(false);
    pattern_.Start();
}

void PlaybackEngine::PlaySong() {
    pattern_.Stop();
    song_.Stop();
    SetPlayButtonsEnabled(false);
    try {
        if (!song_.Start()) {
            SetPlayButtonsEnabled(true);
        }
    } catch (const StepweaveError&) {
        SetPlayButtonsEnabled(true);
        throw;
    }
}

void PlaybackEngine::Stop() {
    for (int sample = 1; sample <= kSamplesStopped; ++sample) {
        try {
            sounds_.StopUserSample(sample);
        } catch (const StepweaveError&) {
            // A sample that cannot be stopped must not keep the others playing.
        }
    }
    pattern_.Stop();
    song_.Stop();
    SetPlayButtonsEnabled(true);
}

void PlaybackEngine::ClearList() {
    stepweave::ClearList(document_);
    song_.Stop();
    SetPlayButtonsEnabled(true);
}

void PlaybackEngine::SetDelayByHand(int delay) {
    document_.SetDelay(delay);
    globalTempo_.tempo = document_.Delay();
    if (globalTempo_.global) {
        song_.Clock().SetInterval(static_cast<uint32_t>(StepInterval()));
    }
}

void PlaybackEngine::StepPlayed() {
    if (OnStepPlayed) {
        OnStepPlayed();
    }
}

int PlaybackEngine::StepInterval() const { return StepIntervalMilliseconds(document_.Delay()); }

std::string PlaybackEngine::BpmLabel() const { return BpmText(document_.Delay()); }

void PlaybackEngine::EnablePlayPattern() { playPatternEnabled_ = true; }

void PlaybackEngine::SetPlayButtonsEnabled(bool enabled) {
    playPatternEnabled_ = enabled;
    playSongEnabled_ = enabled;
}

void PlaybackEngine::PlaybackEnded() {
    SetPlayButtonsEnabled(true);
    DisplayChanged();
}

void PlaybackEngine::DisplayChanged() {
    if (OnDisplayChanged) {
        OnDisplayChanged();
    }
}

}  // namespace stepweave
