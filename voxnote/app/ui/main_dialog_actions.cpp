// What the main window's controls, menu and dialogs hand to the session.
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/shell/help_locations.h"
#include "voxnote/app/ui/about_box.h"
#include "voxnote/app/ui/main_dialog.h"
#include "voxnote/app/ui/presets_dialog.h"
#include "voxnote/app/ui/setup_dialog.h"

namespace voxnote {

namespace {

// Keeps Auto Shrink suspended while a dialog of the main window is open.
class AutoShrinkSuspended {
public:
    explicit AutoShrinkSuspended(ConverterSession& session) : session_(session) { session_.SuspendAutoShrink(); }
    ~AutoShrinkSuspended() { session_.RestoreAutoShrink(); }
    AutoShrinkSuspended(const AutoShrinkSuspended&) = delete;
    AutoShrinkSuspended& operator=(const AutoShrinkSuspended&) = delete;

private:
    ConverterSession& session_;
};

}  // namespace

void MainDialog::StartToggleClick() { session_->PressRecordToggle(); }

void MainDialog::RhythmToggleClick() { session_->ToggleRhythmMode(); }

void MainDialog::StepButtonAction(const SkinControl& button) {
    if (&button == scaleUpButton_.get() || &button == scaleDownButton_.get()) {
        session_->StepScale(&button == scaleUpButton_.get());
        return;
    }
    const bool maximum = &button == maximumNoteUpButton_.get() || &button == maximumNoteDownButton_.get();
    const bool up = &button == maximumNoteUpButton_.get() || &button == minimumNoteUpButton_.get();
    session_->StepNoteBound(maximum ? NoteLearn::Bound::Maximum : NoteLearn::Bound::Minimum, up);
}

void MainDialog::SliderMoved(const SkinSlider& slider) {
    if (&slider == inputVolumeSlider_.get()) {
        session_->SetInputVolume(slider.GetValue());
    } else if (&slider == gapRatioSlider_.get()) {
        session_->SetGapRatio(slider.GetValue());
    } else if (&slider == noteStopRatioSlider_.get()) {
        session_->SetNoteStopRatio(slider.GetValue());
    }
}

void MainDialog::SetDisplayMode(DisplayMode mode) {
    if (mode == DisplayMode::Volume) {
        meter_.Reset();
    }
    displayMode_ = mode;
    session_->TouchDisplayedSetting();
    update();
}

// ---- the dialogs ----

void MainDialog::OpenPresetsDialog() {
    const std::string startName = session_->BeginPresets();
    PresetsDialog dialog(session_->Settings(), session_->Prompt(), QString::fromStdString(startName), this);
    const PresetOperation operation = dialog.Run();
    session_->EndPresets(operation, dialog.ChosenName().toStdString());
}

void MainDialog::OpenSetup() {
    if (setupDialog_ != nullptr) {
        setupDialog_->raise();
        return;
    }
    session_->OpenSetup();
    setupDialog_ = new SetupDialog(*session_, this);
    setupDialog_->show();
}

void MainDialog::WaveButtonClick() {
    session_->BeginWavFile();
    session_->EndWavFile(wavDialogOpener_ ? wavDialogOpener_(*this) : session_->WavChoices());
}

void MainDialog::ShowPopupMenu() {
    session_->StopLiveRun();
    popupMenu_->exec(mapToGlobal(QPoint(5, 5)));
}

void MainDialog::OpenAboutBox() {
    AutoShrinkSuspended suspended(*session_);
    AboutBox about(artwork_, this);
    about.exec();
}

void MainDialog::OpenHelp() {
    if (helpFilePath_.isEmpty() || !QFileInfo(helpFilePath_).isFile() ||
        !QDesktopServices::openUrl(QUrl::fromLocalFile(helpFilePath_))) {
        session_->Prompt().Report(MessageKind::Warning,
                                  FormatText(strings::kCouldNotOpenHelp, {helpFilePath_.toStdString()}));
    }
}

void MainDialog::VisitWebSite() {
    const std::string address = WebSiteAddress();
    if (!QDesktopServices::openUrl(QUrl(QString::fromStdString(address)))) {
        session_->Prompt().Report(MessageKind::Warning, FormatText(strings::kCouldNotOpenWebSite, {address}));
    }
}

}  // namespace voxnote
