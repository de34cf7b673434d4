// The states of a live run: what starts and ends a run, note learning and
// tune mode, and what each recorded block changes.
#include "voxnote/app/mididevices/setup_lists.h"
#include "voxnote/app/session/converter_session.h"

namespace voxnote {

RunState ConverterSession::State() const {
    if (tuneMode_) {
        return RunState::TuneMode;
    }
    if (noteLearn_.IsActive()) {
        return RunState::LearningNote;
    }
    return IsRunActive() ? RunState::Running : RunState::Idle;
}

bool ConverterSession::RecordToggleOn() const { return IsRunActive() && !tuneMode_; }

int ConverterSession::TuningShown() const {
    return tuneMode_ ? meterTuning_ : settings_.Detector().Values().tuning;
}

// During tune mode the toggle only ends it; the run goes on, and the toggle
// shows it again.
void ConverterSession::PressRecordToggle() {
    if (tuneMode_) {
        EndTuneMode();
        ApplySettings();
        return;
    }
    LeaveNoteLearn(NoteLearn::Ending::ByOtherWork);
    if (capture_) {
        capture_->StartStop(true);
    }
    LiveNotesFollowRun();
    ShowChanges();
}

void ConverterSession::ToggleLiveRun() {
    if (capture_) {
        capture_->StartStop(false);
    }
    LiveNotesFollowRun();
}

// A run that has just started sends its notes to the MIDI output of Setup.
void ConverterSession::LiveNotesFollowRun() {
    if (IsRunActive() && liveMidi_) {
        liveMidi_->RunStarted(settings_.MidiDeviceIndex(), settings_.System().midiVoice);
    }
}

void ConverterSession::StopLiveRun() {
    if (IsRunActive()) {
        LeaveNoteLearn(NoteLearn::Ending::ByOtherWork);
        capture_->StartStop(false);
    }
    ShowChanges();
}

void ConverterSession::Poll() {
    if (!capture_ || !capture_->IsRunning()) {
        return;
    }
    capture_->PollDevice();
    // One block at a time keeps the window responsive.
    if (capture_->NeedsIdle()) {
        capture_->HandleFilledBlock();
    }
    if (!capture_->IsRunning()) {
        ShowChanges();
    }
}

// ---- note learning ----

int ConverterSession::LastDetectedNote() const { return capture_ ? capture_->Display().currentNote : 0; }

// Learning listens to the run that is going; in tune mode that run goes on
// as the record toggle would leave it.
void ConverterSession::DoubleClickNoteField(NoteLearn::Bound bound) {
    if (noteLearn_.Active() == bound) {
        LeaveNoteLearn(NoteLearn::Ending::ByUser);
        return;
    }
    if (tuneMode_) {
        EndTuneMode();
    }
    NoteRange range = settings_.Range();
    const bool startRun = noteLearn_.Enter(bound, range, IsRunActive(), LastDetectedNote());
    learningFieldNote_ = bound == NoteLearn::Bound::Maximum ? range.maximum : range.minimum;
    SetNoteRange(range);
    if (startRun) {
        ToggleLiveRun();
        ShowChanges();
    }
}

void ConverterSession::LeaveNoteLearn(NoteLearn::Ending ending) {
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

// ---- tune mode ----

void ConverterSession::PressTune() {
    if (tuneMode_) {
        LeaveTuneMode();
    } else {
        EnterTuneMode();
    }
    ApplySettings();
}

// A run that is going goes on; otherwise tune mode starts one.
void ConverterSession::EnterTuneMode() {
    LeaveNoteLearn(NoteLearn::Ending::ByOtherWork);
    if (!IsRunActive()) {
        ToggleLiveRun();
    }
    tuneMode_ = IsRunActive();
    meterTuning_ = settings_.Detector().Values().tuning;
}

// "Done" ends the run that tune mode listened to and takes the tuning shown.
void ConverterSession::LeaveTuneMode() {
    if (IsRunActive()) {
        ToggleLiveRun();
    }
    EndTuneMode();
}

void ConverterSession::EndTuneMode() {
    tuneMode_ = false;
    settings_.Detector().SetTuning(meterTuning_);
}

// ---- what the capture tells ----

void ConverterSession::BlockRecorded(const CaptureDisplay& display) {
    if (noteLearn_.IsActive()) {
        learningFieldNote_ = display.currentNote;
    }
    if (tuneMode_) {
        meterTuning_ = TuningAtRow(TuningMeterRow(display.fineStep));
    }
    if (noteLearn_.IsActive() || tuneMode_) {
        ShowChanges();
    }
}

void ConverterSession::BlockAnalysed(const CaptureDisplay& display) {
    for (SessionView* view : views_) {
        view->LiveBlockAnalysed(display);
    }
}

// A run that ended by itself, or a start that failed, ends note learning.
void ConverterSession::RecordButtonChanged(bool down) {
    if (!down) {
        LeaveNoteLearn(NoteLearn::Ending::ByOtherWork);
    }
    ShowChanges();
}

void ConverterSession::HigherPriorityChosen() {
    settings_.System().higherPriority = true;
    settings_.WriteSystemSettings(prompt_);
    ShowChanges();
}

}  // namespace voxnote
