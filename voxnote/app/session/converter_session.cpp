// The session's start-up, its settings and what the dialogs do to them.
#include "voxnote/app/session/converter_session.h"

#include <algorithm>

#include "voxnote/analysis/input/audio_input_factory.h"
#include "voxnote/app/display/scale_step.h"
#include "voxnote/app/mididevices/system_midi_devices.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

ConverterSession::ConverterSession(ConverterServices services)
    : settings_(services.profilePath.empty() ? VoxnoteProfilePath() : services.profilePath),
      prompt_(*services.prompt) {
    if (services.midiDevices == nullptr) {
        ownMidiDevices_ = std::make_unique<SystemMidiDevices>();
        services.midiDevices = ownMidiDevices_.get();
    }
    midiDevices_ = services.midiDevices;
    if (services.priority == nullptr) {
        ownPriority_ = std::make_unique<SystemThreadPriority>();
        services.priority = ownPriority_.get();
    }
    if (services.clock == nullptr) {
        services.clock = &SystemClock();
    }
    audioInput_ = services.audioInput ? std::move(services.audioInput) : CreateAudioInputFromEnvironment();
    mixerLauncher_ = std::make_unique<MixerLauncher>(settings_.Profile(), prompt_, *services.programStarter,
                                                     static_cast<MixerWindow&>(*this));
    AllocateAnalysis(services);
    settings_.StartUp();
    ApplySettings();
}

ConverterSession::~ConverterSession() {
    // The capture reports to the session until it is gone.
    capture_.reset();
}

// The analysis record, the event slot and the capture blocks are had once,
// for as long as the session lives.
void ConverterSession::AllocateAnalysis(ConverterServices& services) {
    if (auto records = AllocateAnalysisRecords(prompt_)) {
        records_ = std::move(*records);
    } else {
        initFailed_ = true;
        return;
    }
    const CaptureServices captureServices{*audioInput_, *services.clock, prompt_, *services.priority};
    capture_ = CaptureSession::Create(captureServices, *records_.detector, *records_.eventSlot);
    if (!capture_) {
        initFailed_ = true;
        return;
    }
    capture_->SetObserver(static_cast<CaptureObserver*>(this));
    liveMidi_ = std::make_unique<LiveMidiOutput>(*midiDevices_);
    capture_->SetLiveNoteSink(liveMidi_.get());
}

void ConverterSession::AddView(SessionView& view) { views_.push_back(&view); }

void ConverterSession::RemoveView(SessionView& view) { std::erase(views_, &view); }

// The settings go to the analysis (a run takes them at once) and the views
// show them.
void ConverterSession::ApplySettings() {
    if (capture_) {
        capture_->SetDetectorSettings(settings_.Detector().Header());
        capture_->SetSync(settings_.System().sync);
        capture_->SetHigherPriority(settings_.System().higherPriority);
    }
    ShowChanges();
}

void ConverterSession::ShowChanges() {
    // A view may go away while the others are told (Setup closing).
    const std::vector<SessionView*> views = views_;
    for (SessionView* view : views) {
        if (std::find(views_.begin(), views_.end(), view) != views_.end()) {
            view->SessionChanged();
        }
    }
}

void ConverterSession::TouchAndApply() {
    settings_.NoteDisplayedSettingTouched();
    ApplySettings();
}

// ---- the settings the main window shows ----

void ConverterSession::StepScale(bool up) {
    SetScale(up ? ScaleUp(settings_.Scale()) : ScaleDown(settings_.Scale()));
}

void ConverterSession::StepNoteBound(NoteLearn::Bound bound, bool up) {
    if (noteLearn_.Active() == bound) {
        LeaveNoteLearn(NoteLearn::Ending::ByUser);
    }
    NoteRange range = settings_.Range();
    const bool maximum = bound == NoteLearn::Bound::Maximum;
    const bool stepped = maximum ? (up ? range.MaximumUp() : range.MaximumDown())
                                 : (up ? range.MinimumUp() : range.MinimumDown());
    if (stepped) {
        SetNoteRange(range);
    }
}

void ConverterSession::SetScale(int scale) {
    settings_.SetScale(scale);
    TouchAndApply();
}

void ConverterSession::SetNoteRange(NoteRange range) {
    settings_.SetRange(range);
    TouchAndApply();
}

void ConverterSession::SetInputVolume(int position) {
    settings_.Detector().SetInputVolume(position);
    ApplySettings();
}

void ConverterSession::SetGapRatio(int position) {
    settings_.Detector().SetGapRatio(position);
    ApplySettings();
}

void ConverterSession::SetNoteStopRatio(int position) {
    settings_.Detector().SetNoteStopRatio(position);
    ApplySettings();
}

void ConverterSession::ToggleRhythmMode() {
    settings_.ToggleRhythmMode(prompt_);
    TouchAndApply();
}

// ---- Setup ----

void ConverterSession::OpenSetup() {
    if (setupOpen_) {
        return;
    }
    settings_.NoteDisplayedSettingTouched();
    SuspendAutoShrink();
    setupOpen_ = true;
    setupAutoShrink_ = settings_.System().autoShrink;
    setupDrumKit_ = settings_.System().drumkit;
    ShowChanges();
}

void ConverterSession::CloseSetup() {
    if (!setupOpen_) {
        return;
    }
    if (tuneMode_) {
        LeaveTuneMode();
    }
    setupOpen_ = false;
    settings_.System().drumkit = setupDrumKit_;
    RestoreAutoShrink();
    settings_.System().autoShrink = setupAutoShrink_;
    settings_.WriteSystemSettings(prompt_);
    ApplySettings();
}

void ConverterSession::SetOutputVolume(int volume) {
    settings_.Detector().SetOutputVolume(volume);
    ApplySettings();
}

void ConverterSession::SetTuning(int tuning) {
    settings_.Detector().SetTuning(tuning);
    meterTuning_ = tuning;
    ApplySettings();
}

void ConverterSession::SetRhythmNote(int note) {
    settings_.SetRhythmNote(note);
    ApplySettings();
}

void ConverterSession::SetFixedVolume(bool on) {
    settings_.Detector().SetFixedVolume(on);
    ApplySettings();
}

void ConverterSession::SetAlwaysOnTop(bool on) {
    settings_.System().alwaysOnTop = on;
    ShowTopMost(on);
    settings_.WriteSystemSettings(prompt_);
    ShowChanges();
}

void ConverterSession::SetHigherPriority(bool on) {
    settings_.System().higherPriority = on;
    settings_.WriteSystemSettings(prompt_);
    ApplySettings();
}

void ConverterSession::SetSync(bool on) {
    settings_.System().sync = on;
    settings_.WriteSystemSettings(prompt_);
    ApplySettings();
}

void ConverterSession::SetMidiDevice(int deviceNumber) {
    settings_.SetMidiDeviceIndex(deviceNumber);
    ShowChanges();
}

// ---- Auto Shrink ----

void ConverterSession::SetAutoShrink(bool on) {
    settings_.System().autoShrink = on;
    ShowChanges();
}

void ConverterSession::RestoreAutoShrink() {
    if (autoShrinkSuspensions_ > 0) {
        --autoShrinkSuspensions_;
    }
}

bool ConverterSession::IsAutoShrinkInEffect() const {
    return settings_.System().autoShrink && autoShrinkSuspensions_ == 0;
}

// ---- the Presets dialog ----

std::string ConverterSession::BeginPresets() {
    StopLiveRun();
    SuspendAutoShrink();
    return settings_.PresetNameOnOpening();
}

void ConverterSession::EndPresets(PresetOperation operation, const std::string& name) {
    RestoreAutoShrink();
    if (operation == PresetOperation::Close || name.empty()) {
        return;
    }
    switch (operation) {
    case PresetOperation::Load:
        settings_.LoadPreset(name, prompt_);
        break;
    case PresetOperation::Save:
        settings_.SavePreset(name, prompt_);
        break;
    default:
        prompt_.Report(MessageKind::Information, Text(strings::kUnknownPresetsOperation));
        break;
    }
    ApplySettings();
}

// ---- the WAV dialog ----

void ConverterSession::BeginWavFile() {
    StopLiveRun();
    LeaveNoteLearn(NoteLearn::Ending::ByOtherWork);
    if (tuneMode_) {
        EndTuneMode();
    }
    if (liveMidi_) {
        liveMidi_->Silence();
    }
    SuspendAutoShrink();
    ApplySettings();
}

WavDialogChoices ConverterSession::WavChoices() const {
    return {settings_.System().midiVoice, settings_.WavDetector()};
}

void ConverterSession::EndWavFile(const WavDialogChoices& choices) {
    settings_.System().midiVoice = std::clamp(choices.midiVoice, 0, 127);
    settings_.SetWavDetector(choices.detector, prompt_);
    RestoreAutoShrink();
    ShowChanges();
}

// ---- the mixer ----

void ConverterSession::DropTopMost() {
    if (settings_.System().alwaysOnTop) {
        ShowTopMost(false);
    }
}

void ConverterSession::RestoreTopMost() { ShowTopMost(settings_.System().alwaysOnTop); }

void ConverterSession::ShowTopMost(bool on) {
    for (SessionView* view : views_) {
        view->ShowTopMost(on);
    }
}

void ConverterSession::Shutdown() {
    StopLiveRun();
    settings_.WriteSystemSettings(prompt_);
}

}  // namespace voxnote
