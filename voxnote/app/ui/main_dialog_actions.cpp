// What the main window's controls, menu and dialogs do to the settings.
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "voxnote/app/shell/help_locations.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/ui/about_box.h"
#include "voxnote/app/ui/main_dialog.h"
#include "voxnote/app/ui/presets_dialog.h"
#include "voxnote/app/ui/setup_dialog.h"

namespace voxnote {

namespace {

// Keeps Auto Shrink suspended while a dialog of the main window is open.
class AutoShrinkSuspended {
public:
    explicit AutoShrinkSuspended(MainDialog& window) : window_(window) { window_.SuspendAutoShrink(); }
    ~AutoShrinkSuspended() { window_.RestoreAutoShrink(); }
    AutoShrinkSuspended(const AutoShrinkSuspended&) = delete;
    AutoShrinkSuspended& operator=(const AutoShrinkSuspended&) = delete;

private:
    MainDialog& window_;
};

}  // namespace

// ---- settings shown in the window ----

void MainDialog::SettingsChanged() {
    if (capture_) {
        capture_->SetDetectorSettings(settings_.Detector().Header());
        capture_->SetSync(settings_.System().sync);
        capture_->SetHigherPriority(settings_.System().higherPriority);
    }
    update();
}

void MainDialog::SetScale(int scale) {
    settings_.SetScale(scale);
    settings_.NoteDisplayedSettingTouched();
    SettingsChanged();
}

void MainDialog::SetNoteRange(NoteRange range) {
    settings_.SetRange(range);
    settings_.NoteDisplayedSettingTouched();
    SettingsChanged();
}

void MainDialog::SetDisplayMode(DisplayMode mode) {
    if (mode == DisplayMode::Volume) {
        meter_.Reset();
    }
    displayMode_ = mode;
    settings_.NoteDisplayedSettingTouched();
    update();
}

void MainDialog::SetSliderValues(int inputVolume, int gapRatio, int noteStopRatio) {
    InputVolumeSlider->SetValue(inputVolume);
    GapRatioSlider->SetValue(gapRatio);
    NoteStopRatioSlider->SetValue(noteStopRatio);
    settings_.Detector().SetInputVolume(InputVolumeSlider->GetValue());
    settings_.Detector().SetGapRatio(GapRatioSlider->GetValue());
    settings_.Detector().SetNoteStopRatio(NoteStopRatioSlider->GetValue());
    SettingsChanged();
}

void MainDialog::SliderMoved(const SkinSlider& slider) {
    CurrentDetectorSettings& detector = settings_.Detector();
    if (&slider == InputVolumeSlider.get()) {
        detector.SetInputVolume(slider.GetValue());
    } else if (&slider == GapRatioSlider.get()) {
        detector.SetGapRatio(slider.GetValue());
    } else if (&slider == NoteStopRatioSlider.get()) {
        detector.SetNoteStopRatio(slider.GetValue());
    }
    SettingsChanged();
}

void MainDialog::StepButtonAction(const SkinControl& button) {
    if (&button == ScaleUpButton.get() || &button == ScaleDownButton.get()) {
        SetScale(&button == ScaleUpButton.get() ? ScaleUp(Scale()) : ScaleDown(Scale()));
    } else {
        StepNoteRange(button);
    }
}

// A press on a bound's buttons first ends that bound's note-learn mode.
void MainDialog::StepNoteRange(const SkinControl& button) {
    const bool maximumButton = &button == MaximumNoteUpButton.get() || &button == MaximumNoteDownButton.get();
    if (noteLearn_.Active() == (maximumButton ? NoteLearn::Bound::Maximum : NoteLearn::Bound::Minimum)) {
        LeaveNoteLearn(NoteLearn::Ending::ByUser);
    }
    NoteRange range = settings_.Range();
    bool stepped = false;
    if (&button == MaximumNoteUpButton.get()) {
        stepped = range.MaximumUp();
    } else if (&button == MaximumNoteDownButton.get()) {
        stepped = range.MaximumDown();
    } else if (&button == MinimumNoteUpButton.get()) {
        stepped = range.MinimumUp();
    } else if (&button == MinimumNoteDownButton.get()) {
        stepped = range.MinimumDown();
    }
    if (stepped) {
        SetNoteRange(range);
    }
}

void MainDialog::RhythmToggleClick() {
    RhythmToggle->SetState(settings_.ToggleRhythmMode(*prompt_) ? 1 : 0);
    settings_.NoteDisplayedSettingTouched();
    SettingsChanged();
}

// A loaded preset: sliders, rhythm toggle, fields and the analysis follow.
void MainDialog::ShowLoadedPreset() {
    const DetectorSettings& values = settings_.Detector().Values();
    InputVolumeSlider->SetValue(values.inputVolume);
    GapRatioSlider->SetValue(values.gapRatio);
    NoteStopRatioSlider->SetValue(values.noteStopRatio);
    RhythmToggle->SetState(settings_.RhythmMode() ? 1 : 0);
    SettingsChanged();
}

// ---- the dialogs ----

void MainDialog::PresetButtonClick() { OpenPresetsDialog(); }

void MainDialog::OpenPresetsDialog() {
    StopLiveRun();
    AutoShrinkSuspended suspended(*this);
    PresetsDialog dialog(settings_, *prompt_, QString::fromStdString(settings_.PresetNameOnOpening()), this);
    const PresetsDialog::Operation operation = dialog.Run();
    const std::string name = dialog.ChosenName().toStdString();
    if (operation == PresetsDialog::Operation::Close || name.empty()) {
        return;
    }
    switch (operation) {
    case PresetsDialog::Operation::Load:
        if (settings_.LoadPreset(name, *prompt_)) {
            ShowLoadedPreset();
        }
        break;
    case PresetsDialog::Operation::Save:
        settings_.SavePreset(name, *prompt_);
        update();
        break;
    default:
        prompt_->Report(MessageKind::Information, Text(strings::kUnknownPresetsOperation));
        break;
    }
}

void MainDialog::SetupButtonClick() { OpenSetup(); }

void MainDialog::OpenSetup() {
    if (setupDialog_ != nullptr) {
        setupDialog_->raise();
        return;
    }
    settings_.NoteDisplayedSettingTouched();
    SuspendAutoShrink();
    setupDialog_ = new SetupDialog(*this);
    SetupButton->SetStateAndLock(0);
    setupDialog_->show();
}

void MainDialog::SetupDialogClosed(bool autoShrink) {
    setupDialog_ = nullptr;
    SetupButton->SetStateAndUnlock(0);
    RestoreAutoShrink();
    settings_.System().autoShrink = autoShrink;
    settings_.WriteSystemSettings(*prompt_);
    focusLostSinceShrinkClick_ = false;
}

void MainDialog::WaveButtonClick() {
    StopLiveRun();
    EndNoteLearn();
    if (setupDialog_ != nullptr) {
        setupDialog_->EndTuneMode();
    }
    if (liveMidi_) {
        liveMidi_->Silence();  // the WAV dialog plays on the same device
    }
    if (wavDialogOpener_) {
        AutoShrinkSuspended suspended(*this);
        wavDialogOpener_(*this);
    }
}

void MainDialog::MixerButtonClick() { mixerLauncher_->RunMixer(); }

void MainDialog::ChangeMixer() { mixerLauncher_->ChooseMixer(); }

void MainDialog::ShowPopupMenu() {
    StopLiveRun();
    PopupMenu.exec(mapToGlobal(QPoint(5, 5)));
}

void MainDialog::OpenAboutBox() {
    AutoShrinkSuspended suspended(*this);
    AboutBox about(artwork_, this);
    about.exec();
}

void MainDialog::OpenHelp() {
    if (helpFilePath_.isEmpty() || !QFileInfo(helpFilePath_).isFile() ||
        !QDesktopServices::openUrl(QUrl::fromLocalFile(helpFilePath_))) {
        prompt_->Report(MessageKind::Warning,
                        FormatText(strings::kCouldNotOpenHelp, {helpFilePath_.toStdString()}));
    }
}

void MainDialog::VisitWebSite() {
    const std::string address = WebSiteAddress();
    if (!QDesktopServices::openUrl(QUrl(QString::fromStdString(address)))) {
        prompt_->Report(MessageKind::Warning, FormatText(strings::kCouldNotOpenWebSite, {address}));
    }
}

}  // namespace voxnote
