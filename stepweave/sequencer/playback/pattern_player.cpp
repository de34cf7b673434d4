#include "stepweave/sequencer/playback/pattern_player.h"

#include "stepweave/sequencer/playback/cell_trigger.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/playback/step_sounds.h"

namespace stepweave {

PatternPlayer::PatternPlayer(SequencerDocument& document, StepSounds& sounds, ApplicationIdle& application)
    : document_(document), sounds_(sounds), clock_(application) {
    clock_.OnTimer = [this](StepClock&, int) { PlayNextStep(); };
}

void PatternPlayer::Start() {
    length_ = document_.grid.Length();
    row_ = PatternGrid::kFirstStepRow;
    playedRow_ = kNoRow;
    clock_.SetInterval(static_cast<uint32_t>(StepIntervalMilliseconds(document_.Delay())));
    clock_.SetEnabled(true);
}

void PatternPlayer::Stop() { clock_.SetEnabled(false); }

void PatternPlayer::PlayNextStep() {
    clock_.SetInterval(static_cast<uint32_t>(StepIntervalMilliseconds(document_.Delay())));
    {
        StepScope step(sounds_, clock_.LastFiring());
        for (int channel = 1; channel <= PatternGrid::kChannels; ++channel) {
            TriggerCell(document_.grid.Cell(row_, channel), sounds_);
        }
    }
    const int endRow = length_ + PatternGrid::kFirstStepRow;
    playedRow_ = row_;
    ++row_;
    if (OnStepPlayed) {
        OnStepPlayed();
    }
    if (row_ == endRow && repeat_) {
        row_ = PatternGrid::kFirstStepRow;
    }
    if (row_ == endRow) {
        clock_.SetEnabled(false);
        if (OnFinished) {
            OnFinished();
        }
    }
}

}  // namespace stepweave
