#pragma once
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "voxnote/analysis/detector/analysis_records.h"
#include "voxnote/analysis/input/audio_input.h"
#include "voxnote/analysis/capture/capture_observer.h"
#include "voxnote/analysis/capture/capture_session.h"
#include "voxnote/app/midi/live_midi_output.h"
#include "voxnote/analysis/capture/millisecond_clock.h"
#include "voxnote/analysis/capture/thread_priority.h"
#include "voxnote/app/settings/converter_settings.h"
#include "voxnote/app/display/level_meter.h"
#include "voxnote/app/display/main_window_layout.h"
#include "voxnote/app/mididevices/midi_device_catalog.h"
#include "voxnote/app/shell/mixer_launcher.h"
#include "voxnote/app/display/note_learn.h"
#include "voxnote/app/settings/note_range.h"
#include "voxnote/app/display/scale_step.h"
#include "voxnote/app/skin/skin_button.h"
#include "voxnote/app/skin/skin_control_set.h"
#include "voxnote/app/skin/skin_owner.h"
#include "voxnote/app/skin/skin_slider.h"
#include "voxnote/app/skin/skin_toggle.h"
#include "voxnote/app/shell/user_prompt.h"
#include "voxnote/app/ui/setup_dialog.h"
#include "voxnote/app/ui/artwork/skin_artwork.h"
#include "voxnote/app/ui/window_drag.h"

namespace voxnote {

class SkinPainterCanvas;

// What the main window works with; anything left empty gets the real thing
// (the settings file at its usual place, message boxes, the recording device
// of VOXNOTE_AUDIO_IN, the system clock and scheduler). Tests put in their own.
struct MainDialogServices {
    std::filesystem::path profilePath;
    UserPrompt* prompt = nullptr;
    ProgramStarter* programStarter = nullptr;
    std::unique_ptr<AudioInput> audioInput;
    MillisecondClock* clock = nullptr;
    ThreadPriorityControl* priority = nullptr;
    MidiDeviceCatalog* midiDevices = nullptr;
};

// The converter's one window: a frameless 199 x 346 panel that paints its
// skin and drives its skinned controls with the mouse. It holds the settings,
// the analysis record and the live capture, and opens every other window.
class MainDialog : public QWidget, public SkinOwner, private CaptureObserver, private MixerWindow {
    Q_OBJECT

public:
    enum class DisplayMode { Volume = 0, Pitch = 1 };
    // Opens the WAV file dialog over the main window; it is run modally.
    using WavDialogOpener = std::function<void(MainDialog&)>;

    explicit MainDialog(MainDialogServices services = {}, QWidget* parent = nullptr);
    ~MainDialog() override;

    // A part that could not be had at start-up closes the window right after it opens.
    bool InitFailed() const { return initFailed_; }

    const SkinArtwork& Artwork() const { return artwork_; }
    SkinControlSet& ControlSet() { return Controls; }
    ConverterSettings& Settings() { return settings_; }
    UserPrompt& Prompt() { return *prompt_; }
    // The analysis record; file conversion uses it while no live run is going.
    DetectorState& Detector() { return *records_.detector; }
    CaptureSession* Capture() { return capture_.get(); }
    // The MIDI output devices that converted files play on.
    MidiDeviceCatalog& MidiDevices() { return *midiDevices_; }
    SetupDialog* OpenSetupDialog() const { return setupDialog_; }

    void SetHelpFilePath(const QString& path) { helpFilePath_ = path; }
    const QString& HelpFilePath() const { return helpFilePath_; }
    void SetWavDialogOpener(WavDialogOpener opener) { wavDialogOpener_ = std::move(opener); }

    // ---- what the window shows and the settings behind it ----
    void SetScale(int scale);
    void SetNoteRange(NoteRange range);
    void SetDisplayMode(DisplayMode mode);
    // The three sliders and the analysis values they set.
    void SetSliderValues(int inputVolume, int gapRatio, int noteStopRatio);
    void SetShrunk(bool shrunk);
    // One redraw of the level bar from the analysis's level byte and indicator flags.
    void ShowLevel(int level, bool firstIndicator, bool secondIndicator, bool inputProcessed);
    // The note the pitch display shows while a run is active; none for silence.
    void ShowNote(std::optional<int> note);

    QString PresetName() const { return QString::fromStdString(settings_.PresetName()); }
    int Scale() const { return settings_.Scale(); }
    NoteRange CurrentNoteRange() const { return settings_.Range(); }
    DisplayMode CurrentDisplayMode() const { return displayMode_; }
    bool IsRunActive() const { return capture_ != nullptr && capture_->IsRunning(); }
    bool IsShrunk() const { return height() == layout::kShrunkWindowSize.height; }
    bool IsDragging() const { return drag_.IsActive(); }
    const QWidget* DragOutline() const { return drag_.Outline(); }
    const LevelMeter& Meter() const { return meter_; }
    // The note the pitch display shows, if any.
    std::optional<int> ShownNote() const { return shownNote_; }
    int InputVolume() const { return InputVolumeSlider->GetValue(); }
    int GapRatio() const { return GapRatioSlider->GetValue(); }
    int NoteStopRatio() const { return NoteStopRatioSlider->GetValue(); }
    // True where a left press would start moving the window.
    bool IsOverDragBand(QPoint point) const;
    const QTimer& StepRepeatTimer() const { return RepeatTimer; }

    // The settings changed: the analysis and the displays follow.
    void SettingsChanged();

    // ---- window behaviour ----
    // Every change is stored in the system settings at once.
    void SetAlwaysOnTop(bool on);
    bool IsTopMost() const { return topMost_; }
    // With Auto Shrink on, the window rolls up to its title band whenever it
    // loses the focus and opens again when it gets it back; the dialogs it
    // opens suspend that while they are open.
    void SetAutoShrink(bool on);
    void SuspendAutoShrink() { ++autoShrinkSuspensions_; }
    void RestoreAutoShrink();
    bool IsAutoShrinkInEffect() const;

    // ---- live run ----
    // Starts or stops a live run as the record toggle does; the toggle follows.
    void ToggleLiveRun();
    // Stops a live run if one is going and resets the start toggle.
    void StopLiveRun() override;
    bool IsStartToggleOn() const { return StartToggle->IsOn(); }
    // Only the toggle's picture: the run is left as it is (Setup's tune mode).
    void SetStartToggleImage(bool on) { StartToggle->SetState(on ? 1 : 0); }
    NoteLearn::Bound NoteLearnBound() const { return noteLearn_.Active(); }
    // Ends a note-learn mode because other work begins.
    void EndNoteLearn();

    // ---- the dialogs ----
    void OpenPresetsDialog();
    void OpenSetup();
    void OpenAboutBox();
    void OpenHelp();
    void VisitWebSite();
    void ChangeMixer();
    // The Setup dialog is closing: its Auto Shrink applies from now on.
    void SetupDialogClosed(bool autoShrink);

    // SkinOwner
    bool IsEnabled() const override { return isEnabled(); }
    SkinRect ClientRect() const override { return {0, 0, width(), height()}; }
    SkinSize BitmapSize(std::string_view name) const override;
    void Invalidate(const SkinRect& area) override;
    void ControlPressed(SkinControl& control) override;
    void ControlClicked(SkinControl& control) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

public:
    // The control set comes first: the controls register in it as they are made.
    SkinControlSet Controls{*this};
    std::unique_ptr<SkinToggle> StartToggle;
    std::unique_ptr<SkinToggle> ShrinkToggle;
    std::unique_ptr<SkinButton> MinimiseButton;
    std::unique_ptr<SkinButton> CloseButton;
    std::unique_ptr<SkinButton> MixerButton;
    std::unique_ptr<SkinToggle> RhythmToggle;
    std::unique_ptr<SkinButton> WaveButton;
    std::unique_ptr<SkinButton> SetupButton;
    std::unique_ptr<SkinButton> PresetButton;
    std::unique_ptr<SkinButton> ScaleUpButton;
    std::unique_ptr<SkinButton> ScaleDownButton;
    std::unique_ptr<SkinButton> MaximumNoteUpButton;
    std::unique_ptr<SkinButton> MaximumNoteDownButton;
    std::unique_ptr<SkinButton> MinimumNoteUpButton;
    std::unique_ptr<SkinButton> MinimumNoteDownButton;
    std::unique_ptr<SkinSlider> InputVolumeSlider;
    std::unique_ptr<SkinSlider> GapRatioSlider;
    std::unique_ptr<SkinSlider> NoteStopRatioSlider;
    // Repeats a held up/down button every 100 ms.
    QTimer RepeatTimer;
    // Takes the recording device's finished blocks and analyses one per tick.
    QTimer CaptureTimer;
    // Opened by Shift+F10 or a context-menu request.
    QMenu PopupMenu;
    QAction* ShowVolumeAction = nullptr;
    QAction* ShowPitchAction = nullptr;
    QAction* ChangeMixerAction = nullptr;
    QAction* HelpAction = nullptr;
    QAction* WebSiteAction = nullptr;
    QAction* AboutAction = nullptr;

private:
    void CreateDefaultServices(MainDialogServices& services);
    void AllocateAnalysis(MainDialogServices& services);
    void InitialiseSettings();
    void CreateSkinControls();
    void CreatePopupMenu();
    void ApplyTopMost(bool on);
    void ApplyShrink(bool shrunk);

    // What each control does.
    void StartToggleClick();
    void ShrinkToggleClick();
    void MinimiseButtonClick();
    void CloseButtonClick();
    void MixerButtonClick();
    void RhythmToggleClick();
    void WaveButtonClick();
    void SetupButtonClick();
    void PresetButtonClick();
    void StepButtonAction(const SkinControl& button);
    void StepNoteRange(const SkinControl& button);
    void SliderMoved(const SkinSlider& slider);
    void BackgroundDoubleClick(QPoint point);
    void NoteFieldDoubleClick(NoteLearn::Bound bound);
    void ShowPopupMenu();

    void ShowLoadedPreset();
    void LeaveNoteLearn(NoteLearn::Ending ending);
    int LastDetectedNote() const;
    void RunStateChanged();
    void CaptureTick();
    void LiveNotesFollowRun();

    // CaptureObserver
    void BlockRecorded(const CaptureDisplay& display) override;
    void BlockAnalysed(const CaptureDisplay& display) override;
    void RecordButtonChanged(bool down) override;
    void HigherPriorityChosen() override;
    // MixerWindow
    void DropTopMost() override;
    void RestoreTopMost() override;

    void PaintDisplayFields(SkinPainterCanvas& canvas);
    void PaintMeterArea(SkinPainterCanvas& canvas);
    void UpdateCursor(QPoint point);

    SkinArtwork artwork_;
    WindowDrag drag_{*this};
    const SkinControl* repeatingButton_ = nullptr;

    ConverterSettings settings_;
    std::unique_ptr<UserPrompt> ownPrompt_;
    UserPrompt* prompt_ = nullptr;
    std::unique_ptr<ProgramStarter> ownProgramStarter_;
    std::unique_ptr<SystemThreadPriority> ownPriority_;
    std::unique_ptr<MidiDeviceCatalog> ownMidiDevices_;
    MidiDeviceCatalog* midiDevices_ = nullptr;
    std::unique_ptr<AudioInput> audioInput_;
    AnalysisRecords records_;
    // Declared before the capture that sends to it, so that it outlives it.
    std::unique_ptr<LiveMidiOutput> liveMidi_;
    std::unique_ptr<CaptureSession> capture_;
    std::unique_ptr<MixerLauncher> mixerLauncher_;
    bool initFailed_ = false;

    DisplayMode displayMode_ = DisplayMode::Volume;
    std::optional<int> shownNote_;
    LevelMeter meter_;
    NoteLearn noteLearn_;
    // What the learning bound's field shows in red: the last detected note.
    int learnShownNote_ = 0;
    bool topMost_ = false;
    int autoShrinkSuspensions_ = 0;
    // Set when Auto Shrink rolled the window up on losing the focus, until the next click.
    bool focusLostSinceShrinkClick_ = false;
    QPointer<SetupDialog> setupDialog_;
    QString helpFilePath_;
    WavDialogOpener wavDialogOpener_;
};

}  // namespace voxnote
