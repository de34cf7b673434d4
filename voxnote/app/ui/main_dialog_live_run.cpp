// The main window's live run: the record toggle, the capture's idle step,
// the displays after each block, and learning the note range from the voice.
#include "voxnote/app/ui/main_dialog.h"
#include "voxnote/app/ui/setup_dialog.h"

namespace voxnote {

void MainDialog::StartToggleClick() {
    // During Setup's tune mode the toggle only ends tune mode.
    if (setupDialog_ != nullptr && setupDialog_->InTuneMode()) {
        setupDialog_->StartTogglePressedInTuneMode();
        return;
    }
    LeaveNoteLearn(NoteLearn::Ending::ByOtherWork);
    if (capture_) {
        capture_->StartStop(true);
    }
    LiveNotesFollowRun();
    RunStateChanged();
}

void MainDialog::ToggleLiveRun() {
    if (capture_) {
        capture_->StartStop(false);
    }
    LiveNotesFollowRun();
    RunStateChanged();
}

// A run that has just started sends its notes to the MIDI output of Setup.
void MainDialog::LiveNotesFollowRun() {
    if (IsRunActive() && liveMidi_) {
        liveMidi_->RunStarted(settings_.MidiDeviceIndex(), settings_.System().midiVoice);
    }
}

void MainDialog::StopLiveRun() {
    if (IsRunActive()) {
        LeaveNoteLearn(NoteLearn::Ending::ByOtherWork);
        capture_->StartStop(false);
    }
    StartToggle->SetState(0);
    RunStateChanged();
}

// The idle step runs from a timer while a run is going; the pitch panel shows
// whether one is.
void MainDialog::RunStateChanged() {
    if (IsRunActive()) {
        if (!CaptureTimer.isActive()) {
            CaptureTimer.start();
        }
    } else {
        CaptureTimer.stop();
        shownNote_.reset();
        meter_.Reset();
    }
    update();
}

void MainDialog::CaptureTick() {
    if (!capture_) {
        return;
    }
    capture_->PollDevice();
    // One block per tick keeps the window responsive; a block lasts 371 ms.
    if (capture_->NeedsIdle()) {
        capture_->HandleFilledBlock();
    }
    if (!capture_->IsRunning()) {
        RunStateChanged();
    }
}

void MainDialog::BlockRecorded(const CaptureDisplay& display) {
    if (noteLearn_.IsActive()) {
        learnShownNote_ = display.currentNote;
        update();
    }
    if (setupDialog_ != nullptr && setupDialog_->InTuneMode()) {
        setupDialog_->ShowTuningMeter(display.fineStep);
    }
}

void MainDialog::BlockAnalysed(const CaptureDisplay& display) {
    if (IsShrunk()) {
        return;
    }
    ShowLevel(display.level, display.inputClipped, display.velocityClipped, display.inputProcessed);
    ShowNote(display.currentNote);
}

void MainDialog::RecordButtonChanged(bool down) {
    StartToggle->SetState(down ? 1 : 0);
    if (!down) {
        // A run that ended by itself, or a start that failed.
        LeaveNoteLearn(NoteLearn::Ending::ByOtherWork);
    }
    RunStateChanged();
}

void MainDialog::HigherPriorityChosen() {
    settings_.System().higherPriority = true;
    settings_.WriteSystemSettings(*prompt_);
    if (setupDialog_ != nullptr) {
        setupDialog_->ShowHigherPriority(true);
    }
}

void MainDialog::ShowLevel(int level, bool firstIndicator, bool secondIndicator, bool inputProcessed) {
    meter_.Update(level, firstIndicator, secondIndicator, inputProcessed);
    if (displayMode_ == DisplayMode::Volume) {
        update();
    }
}

void MainDialog::ShowNote(std::optional<int> note) {
    shownNote_ = note;
    if (displayMode_ == DisplayMode::Pitch) {
        update();
    }
}

// ---- note learning ----

int MainDialog::LastDetectedNote() const { return capture_ ? capture_->Display().currentNote : 0; }

void MainDialog::NoteFieldDoubleClick(NoteLearn::Bound bound) {
    if (noteLearn_.Active() == bound) {
        LeaveNoteLearn(NoteLearn::Ending::ByUser);
        return;
    }
    NoteRange range = settings_.Range();
    const bool startRun = noteLearn_.Enter(bound, range, StartToggle->IsOn(), LastDetectedNote());
    learnShownNote_ = bound == NoteLearn::Bound::Maximum ? range.maximum : range.minimum;
    SetNoteRange(range);
    if (startRun) {
        ToggleLiveRun();  // the toggle goes on with the run
    }
}

void MainDialog::EndNoteLearn() { LeaveNoteLearn(NoteLearn::Ending::ByOtherWork); }

void MainDialog::LeaveNoteLearn(NoteLearn::Ending ending) {
    if (!noteLearn_.IsActive()) {
        return;
    }
    NoteRange range = settings_.Range();
    const bool stopRun = noteLearn_.Leave(ending, range, LastDetectedNote());
    SetNoteRange(range);
    if (stopRun) {
        StopLiveRun();
    }
}

}  // namespace voxnote
