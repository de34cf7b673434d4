// How the main window follows the session: the toggles, sliders and fields
// show its settings, the pitch panel and the poll timer its run, the Setup
// key whether Setup is open; each analysed block redraws the meter area.
#include "voxnote/app/ui/main_dialog.h"

namespace voxnote {

void MainDialog::SessionChanged() {
    FollowRun();
    FollowSettings();
    FollowSetup();
    update();
}

void MainDialog::FollowRun() {
    startToggle_->SetState(session_->RecordToggleOn() ? 1 : 0);
    if (session_->NeedsPolling()) {
        if (!captureTimer_->isActive()) {
            captureTimer_->start();
        }
    } else {
        captureTimer_->stop();
        shownNote_.reset();
        meter_.Reset();
    }
}

// The sliders move only when their values differ: one being dragged stays
// where the mouse holds it.
void MainDialog::FollowSettings() {
    const DetectorSettings& values = session_->Settings().Detector().Values();
    const std::pair<SkinSlider*, int> sliders[] = {{inputVolumeSlider_.get(), values.inputVolume},
                                                   {gapRatioSlider_.get(), values.gapRatio},
                                                   {noteStopRatioSlider_.get(), values.noteStopRatio}};
    for (const auto& [slider, value] : sliders) {
        if (slider->GetValue() != value) {
            slider->SetValue(value);
        }
    }
    rhythmToggle_->SetState(session_->Settings().RhythmMode() ? 1 : 0);
}

// The Setup key stays up and ignores the mouse while Setup is open; a Setup
// that has closed is forgotten (it deletes itself).
void MainDialog::FollowSetup() {
    if (!session_->IsSetupOpen()) {
        setupDialog_ = nullptr;
    }
    if (session_->IsSetupOpen() && !setupButton_->IsLocked()) {
        setupButton_->SetStateAndLock(0);
    } else if (!session_->IsSetupOpen() && setupButton_->IsLocked()) {
        setupButton_->SetStateAndUnlock(0);
        focusLostSinceShrinkClick_ = false;
    }
}

void MainDialog::LiveBlockAnalysed(const CaptureDisplay& display) {
    if (IsShrunk()) {
        return;
    }
    ShowLevel(display.level, display.inputClipped, display.velocityClipped, display.inputProcessed);
    ShowNote(display.currentNote);
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

}  // namespace voxnote
