#pragma once
// ConverterSession: what the converter's windows own and do, without a
// window. It holds the settings and presets, the analysis records and the
// live capture, the MIDI output of the live notes and the mixer launcher,
// and it keeps the states of a live run:
//
//   Idle          no run is going.
//   Running       a run that the record toggle started and shows.
//   LearningNote  a run that learns a bound of the note range from the voice.
//                 A double click on the bound's field starts it (and a run of
//                 its own when none was going); a second double click or a
//                 step of that bound takes the last detected note and stops
//                 the mode's own run. Starting or stopping a run, a run that
//                 ends by itself and opening a WAV file end it too.
//   TuneMode      Setup's "Tune": a run whose tuning meter shows the fine step
//                 of the note sung, the run that was going or one of its own.
//                 The record toggle shows no run meanwhile. "Done" takes the
//                 tuning the meter (or the user) selected and ends the run;
//                 the record toggle takes it and leaves the run going;
//                 opening a WAV file or closing Setup ends it as well.
//
// The main window and Setup are views: they show what the session holds,
// hand it each action of the user, and hear through SessionView when what
// they show has changed. Main thread only.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "voxnote/analysis/capture/capture_observer.h"
#include "voxnote/analysis/capture/capture_session.h"
#include "voxnote/analysis/capture/millisecond_clock.h"
#include "voxnote/analysis/capture/thread_priority.h"
#include "voxnote/analysis/detector/analysis_records.h"
#include "voxnote/analysis/input/audio_input.h"
#include "voxnote/app/midi/live_midi_output.h"
#include "voxnote/app/mididevices/midi_device_catalog.h"
#include "voxnote/app/session/note_learn.h"
#include "voxnote/app/session/session_view.h"
#include "voxnote/app/settings/converter_settings.h"
#include "voxnote/app/shell/mixer_launcher.h"
#include "voxnote/app/shell/user_prompt.h"

namespace voxnote {

// What the session works with. The prompt and the program starter are the
// windows' (message boxes, starting a program); whatever else is left empty
// gets the real thing: the settings file at its usual place, the recording
// device that VOXNOTE_AUDIO_IN names, the system clock and scheduler, the
// system's MIDI devices. Tests put in their own.
struct ConverterServices {
    std::filesystem::path profilePath;
    UserPrompt* prompt = nullptr;
    ProgramStarter* programStarter = nullptr;
    std::unique_ptr<AudioInput> audioInput;
    MillisecondClock* clock = nullptr;
    ThreadPriorityControl* priority = nullptr;
    MidiDeviceCatalog* midiDevices = nullptr;
};

enum class RunState { Idle, Running, LearningNote, TuneMode };

// What the WAV dialog hands back when it closes: the voice and the detector
// chosen in it.
struct WavDialogChoices {
    int midiVoice = 0;
    DetectorChoice detector = DetectorChoice::Classic;
};

// How the Presets dialog ended: by Close, Load, Save, or the Enter key
// outside its buttons (no operation the program knows).
enum class PresetOperation { Close, Load, Save, Unknown };

class ConverterSession : private CaptureObserver, private MixerWindow {
public:
    // Start-up: reads the system settings, allocates the analysis records and
    // the capture blocks (a failure has shown its message and leaves
    // InitFailed set), rewrites "Default" and takes the last used preset.
    explicit ConverterSession(ConverterServices services);
    ~ConverterSession() override;
    ConverterSession(const ConverterSession&) = delete;
    ConverterSession& operator=(const ConverterSession&) = delete;

    bool InitFailed() const { return initFailed_; }
    void AddView(SessionView& view);
    void RemoveView(SessionView& view);

    ConverterSettings& Settings() { return settings_; }
    const ConverterSettings& Settings() const { return settings_; }
    UserPrompt& Prompt() { return prompt_; }
    MidiDeviceCatalog& MidiDevices() { return *midiDevices_; }
    // The analysis record; a WAV conversion uses it while no run is going.
    DetectorState& Detector() { return *records_.detector; }
    CaptureSession* Capture() { return capture_.get(); }

    // ---- the live run ----
    RunState State() const;
    bool IsRunActive() const { return capture_ != nullptr && capture_->IsRunning(); }
    // Whether the record toggle shows a run: always but in tune mode.
    bool RecordToggleOn() const;
    NoteLearn::Bound LearningBound() const { return noteLearn_.Active(); }
    // What the learning bound's field shows: the last detected note.
    int LearningFieldNote() const { return learningFieldNote_; }
    // The tuning Setup's list selects: in tune mode what the meter shows (or
    // what the user chose there since), else Tuning.
    int TuningShown() const;

    // The record toggle.
    void PressRecordToggle();
    // Ends a run before other work (the menu, the presets, closing); the
    // record toggle goes off with it.
    void StopLiveRun() override;
    // A double click on the field of that bound.
    void DoubleClickNoteField(NoteLearn::Bound bound);
    // Setup's "Tune" / "Done".
    void PressTune();
    // While a run is going the window calls Poll often (every 20 ms is
    // plenty, a block lasts 371 ms): it takes the blocks the device has
    // finished and analyses one of them.
    bool NeedsPolling() const { return IsRunActive(); }
    void Poll();

    // ---- the settings the main window shows ----
    void StepScale(bool up);
    // A bound's up or down button; it ends that bound's note learning first.
    void StepNoteBound(NoteLearn::Bound bound, bool up);
    void SetScale(int scale);
    void SetNoteRange(NoteRange range);
    // The sliders' positions and the analysis values they give.
    void SetInputVolume(int position);
    void SetGapRatio(int position);
    void SetNoteStopRatio(int position);
    void ToggleRhythmMode();
    // The display mode changed: the Presets dialog offers "Default" from now on.
    void TouchDisplayedSetting() { settings_.NoteDisplayedSettingTouched(); }

    // ---- Setup ----
    // Opening counts as touching a displayed setting and suspends Auto Shrink.
    void OpenSetup();
    bool IsSetupOpen() const { return setupOpen_; }
    // Setup's Auto Shrink and Drum Kit are kept until it closes.
    bool SetupAutoShrink() const { return setupAutoShrink_; }
    void ChooseSetupAutoShrink(bool on) { setupAutoShrink_ = on; }
    int SetupDrumKit() const { return setupDrumKit_; }
    void ChooseSetupDrumKit(int kit) { setupDrumKit_ = kit; }
    // Ends tune mode as "Done" does, then Drum Kit and Auto Shrink apply and
    // the system settings are written.
    void CloseSetup();
    // Setup's controls that act at once; the three system settings are
    // written at once.
    void SetOutputVolume(int volume);
    void SetTuning(int tuning);
    void SetRhythmNote(int note);
    void SetFixedVolume(bool on);
    void SetAlwaysOnTop(bool on);
    void SetHigherPriority(bool on);
    void SetSync(bool on);
    void SetMidiDevice(int deviceNumber);

    // ---- Auto Shrink, which the dialogs suspend while they are open ----
    void SetAutoShrink(bool on);
    void SuspendAutoShrink() { ++autoShrinkSuspensions_; }
    void RestoreAutoShrink();
    bool IsAutoShrinkInEffect() const;

    // ---- the Presets dialog ----
    // Stops a run and suspends Auto Shrink; returns the name the dialog
    // starts with ("Default" once a displayed setting was touched, else none).
    std::string BeginPresets();
    // Carries out how it ended and restores Auto Shrink.
    void EndPresets(PresetOperation operation, const std::string& name);

    // ---- the WAV dialog ----
    // Stops a run and ends note learning and tune mode, silences the live
    // notes (the dialog plays on the same device) and suspends Auto Shrink.
    void BeginWavFile();
    // What the dialog would start with.
    WavDialogChoices WavChoices() const;
    // The dialog closed: its voice is kept as MIDI Voice, its detector is
    // stored when it changed; Auto Shrink is restored.
    void EndWavFile(const WavDialogChoices& choices);

    // ---- the mixer ----
    void RunMixer() { mixerLauncher_->RunMixer(); }
    void ChooseMixer() { mixerLauncher_->ChooseMixer(); }

    // Closing the program: a run stops and the system settings are written.
    void Shutdown();

private:
    void AllocateAnalysis(ConverterServices& services);
    void ApplySettings();
    void ShowChanges();
    void TouchAndApply();

    void ToggleLiveRun();
    void LiveNotesFollowRun();
    void LeaveNoteLearn(NoteLearn::Ending ending);
    int LastDetectedNote() const;
    void EnterTuneMode();
    void LeaveTuneMode();
    void EndTuneMode();

    // CaptureObserver
    void BlockRecorded(const CaptureDisplay& display) override;
    void BlockAnalysed(const CaptureDisplay& display) override;
    void RecordButtonChanged(bool down) override;
    void HigherPriorityChosen() override;
    // MixerWindow
    void DropTopMost() override;
    void RestoreTopMost() override;
    void ShowTopMost(bool on);

    ConverterSettings settings_;
    UserPrompt& prompt_;
    std::unique_ptr<MidiDeviceCatalog> ownMidiDevices_;
    MidiDeviceCatalog* midiDevices_ = nullptr;
    std::unique_ptr<SystemThreadPriority> ownPriority_;
    std::unique_ptr<AudioInput> audioInput_;
    AnalysisRecords records_;
    // Declared before the capture that sends to it, so that it outlives it.
    std::unique_ptr<LiveMidiOutput> liveMidi_;
    std::unique_ptr<CaptureSession> capture_;
    std::unique_ptr<MixerLauncher> mixerLauncher_;
    std::vector<SessionView*> views_;
    bool initFailed_ = false;

    NoteLearn noteLearn_;
    int learningFieldNote_ = 0;
    bool tuneMode_ = false;
    int meterTuning_ = 0;
    bool setupOpen_ = false;
    bool setupAutoShrink_ = false;
    int setupDrumKit_ = 0;
    int autoShrinkSuspensions_ = 0;
};

}  // namespace voxnote
