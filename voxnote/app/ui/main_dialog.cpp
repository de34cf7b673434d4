#include "voxnote/app/ui/main_dialog.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "voxnote/analysis/input/audio_input_factory.h"
#include "voxnote/app/display/main_window_layout.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/mididevices/system_midi_devices.h"
#include "voxnote/app/ui/detached_program_starter.h"
#include "voxnote/app/ui/message_box_prompt.h"
#include "voxnote/app/ui/setup_dialog.h"

namespace voxnote {

namespace {
SkinPoint ToSkinPoint(QPoint point) { return {point.x(), point.y()}; }
bool Contains(const SkinRect& rect, QPoint point) { return rect.Contains(ToSkinPoint(point)); }
QString Caption(int id) { return QString::fromStdString(Text(id)); }
}  // namespace

MainDialog::MainDialog(MainDialogServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      artwork_(devicePixelRatioF()),
      settings_(services.profilePath.empty() ? VoxnoteProfilePath() : services.profilePath) {
    CreateDefaultServices(services);
    setWindowTitle(Caption(strings::kProgramTitle));
    setWindowIcon(artwork_.WindowIcon());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(layout::kWindowSize.width, layout::kWindowSize.height);
    AllocateAnalysis(services);
    CreateSkinControls();
    CreatePopupMenu();
    InitialiseSettings();
    ApplyTopMost(settings_.System().alwaysOnTop);

    RepeatTimer.setInterval(100);
    connect(&RepeatTimer, &QTimer::timeout, this, [this] {
        if (repeatingButton_ != nullptr) {
            StepButtonAction(*repeatingButton_);
        }
    });
    CaptureTimer.setInterval(20);
    connect(&CaptureTimer, &QTimer::timeout, this, &MainDialog::CaptureTick);
    if (initFailed_) {
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

MainDialog::~MainDialog() {
    // The capture reports to this window until it is gone.
    capture_.reset();
}

void MainDialog::CreateDefaultServices(MainDialogServices& services) {
    if (services.prompt == nullptr) {
        ownPrompt_ = std::make_unique<MessageBoxPrompt>(this);
        services.prompt = ownPrompt_.get();
    }
    prompt_ = services.prompt;
    if (services.programStarter == nullptr) {
        ownProgramStarter_ = std::make_unique<DetachedProgramStarter>();
        services.programStarter = ownProgramStarter_.get();
    }
    if (services.priority == nullptr) {
        ownPriority_ = std::make_unique<SystemThreadPriority>();
        services.priority = ownPriority_.get();
    }
    if (services.midiDevices == nullptr) {
        ownMidiDevices_ = std::make_unique<SystemMidiDevices>();
        services.midiDevices = ownMidiDevices_.get();
    }
    midiDevices_ = services.midiDevices;
    if (services.clock == nullptr) {
        services.clock = &SystemClock();
    }
    audioInput_ = services.audioInput ? std::move(services.audioInput) : CreateAudioInputFromEnvironment();
    mixerLauncher_ =
        std::make_unique<MixerLauncher>(settings_.Profile(), *prompt_, *services.programStarter,
                                        static_cast<MixerWindow&>(*this));
}

// The analysis record, the event slot and the capture blocks are had once, for
// as long as the window lives; without them the window closes again at once.
void MainDialog::AllocateAnalysis(MainDialogServices& services) {
    if (auto records = AllocateAnalysisRecords(*prompt_)) {
        records_ = std::move(*records);
    } else {
        initFailed_ = true;
        return;
    }
    const CaptureServices captureServices{*audioInput_, *services.clock, *prompt_, *services.priority};
    capture_ = CaptureSession::Create(captureServices, *records_.detector, *records_.eventSlot);
    if (!capture_) {
        initFailed_ = true;
        return;
    }
    capture_->SetObserver(static_cast<CaptureObserver*>(this));
    liveMidi_ = std::make_unique<LiveMidiOutput>(*midiDevices_);
    capture_->SetLiveNoteSink(liveMidi_.get());
}

// "Default" is rewritten from the start-up values, then the last used preset
// (if any) is taken and the sliders moved to it.
void MainDialog::InitialiseSettings() {
    settings_.StartUp();
    ShowLoadedPreset();
}

void MainDialog::CreateSkinControls() {
    // Made in this order, so that the slider value labels are the 17th, 19th
    // and 21st entries of the control list.
    StartToggle = std::make_unique<SkinToggle>(Controls, "STA_", layout::kStartToggle);
    ShrinkToggle = std::make_unique<SkinToggle>(Controls, "RED_", layout::kShrinkToggle);
    MinimiseButton = std::make_unique<SkinButton>(Controls, "MINIM_", layout::kMinimiseButton);
    CloseButton = std::make_unique<SkinButton>(Controls, "CLOSE_", layout::kCloseButton);
    MixerButton = std::make_unique<SkinButton>(Controls, "MIXER_", layout::kMixerButton);
    RhythmToggle = std::make_unique<SkinToggle>(Controls, "RHY_", layout::kRhythmToggle);
    WaveButton = std::make_unique<SkinButton>(Controls, "WAVE_", layout::kWaveButton);
    SetupButton = std::make_unique<SkinButton>(Controls, "SETUP_", layout::kSetupButton);
    PresetButton = std::make_unique<SkinButton>(Controls, "PRESET_", layout::kPresetButton);
    ScaleUpButton = std::make_unique<SkinButton>(Controls, "UP_", layout::kScaleUpButton);
    ScaleDownButton = std::make_unique<SkinButton>(Controls, "DN_", layout::kScaleDownButton);
    MaximumNoteUpButton = std::make_unique<SkinButton>(Controls, "UP_", layout::kMaximumNoteUpButton);
    MaximumNoteDownButton = std::make_unique<SkinButton>(Controls, "DN_", layout::kMaximumNoteDownButton);
    MinimumNoteUpButton = std::make_unique<SkinButton>(Controls, "UP_", layout::kMinimumNoteUpButton);
    MinimumNoteDownButton = std::make_unique<SkinButton>(Controls, "DN_", layout::kMinimumNoteDownButton);
    InputVolumeSlider = std::make_unique<SkinSlider>(Controls, "SLD_OF_", layout::kInputVolumeSlider);
    GapRatioSlider = std::make_unique<SkinSlider>(Controls, "SLD_OF_", layout::kGapRatioSlider);
    NoteStopRatioSlider = std::make_unique<SkinSlider>(Controls, "SLD_OF_", layout::kNoteStopRatioSlider);
    InputVolumeSlider->SetRange(0, layout::kInputVolumeMaximum);
    GapRatioSlider->SetRange(0, layout::kGapRatioMaximum);
    NoteStopRatioSlider->SetRange(0, layout::kNoteStopRatioMaximum);
}

void MainDialog::CreatePopupMenu() {
    ShowVolumeAction = PopupMenu.addAction(Caption(strings::kMenuShowVolume));
    ShowPitchAction = PopupMenu.addAction(Caption(strings::kMenuShowPitch));
    ChangeMixerAction = PopupMenu.addAction(Caption(strings::kMenuChangeMixer));
    HelpAction = PopupMenu.addAction(Caption(strings::kMenuHelp));
    WebSiteAction = PopupMenu.addAction(Caption(strings::kMenuVisitWebSite));
    AboutAction = PopupMenu.addAction(Caption(strings::kMenuAbout));
    connect(ShowVolumeAction, &QAction::triggered, this, [this] { SetDisplayMode(DisplayMode::Volume); });
    connect(ShowPitchAction, &QAction::triggered, this, [this] { SetDisplayMode(DisplayMode::Pitch); });
    connect(ChangeMixerAction, &QAction::triggered, this, &MainDialog::ChangeMixer);
    connect(HelpAction, &QAction::triggered, this, &MainDialog::OpenHelp);
    connect(WebSiteAction, &QAction::triggered, this, &MainDialog::VisitWebSite);
    connect(AboutAction, &QAction::triggered, this, &MainDialog::OpenAboutBox);
}

// ---- window behaviour ----

void MainDialog::SetShrunk(bool shrunk) { ApplyShrink(shrunk); }

void MainDialog::ApplyShrink(bool shrunk) {
    ShrinkToggle->SetState(shrunk ? 1 : 0);
    const SkinSize size = shrunk ? layout::kShrunkWindowSize : layout::kWindowSize;
    setFixedSize(size.width, size.height);  // the top-left corner stays put
}

void MainDialog::SetAutoShrink(bool on) {
    settings_.System().autoShrink = on;
    focusLostSinceShrinkClick_ = false;
}

void MainDialog::RestoreAutoShrink() {
    if (autoShrinkSuspensions_ > 0) {
        --autoShrinkSuspensions_;
    }
}

bool MainDialog::IsAutoShrinkInEffect() const { return settings_.System().autoShrink && autoShrinkSuspensions_ == 0; }

void MainDialog::SetAlwaysOnTop(bool on) {
    settings_.System().alwaysOnTop = on;
    ApplyTopMost(on);
    settings_.WriteSystemSettings(*prompt_);
}

// Top-most or not, without moving, sizing or hiding the window.
void MainDialog::ApplyTopMost(bool on) {
    topMost_ = on;
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    if (QWindow* window = windowHandle()) {
        window->setFlags(flags);
        overrideWindowFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void MainDialog::DropTopMost() {
    if (settings_.System().alwaysOnTop) {
        ApplyTopMost(false);
    }
}

void MainDialog::RestoreTopMost() { ApplyTopMost(settings_.System().alwaysOnTop); }

bool MainDialog::IsOverDragBand(QPoint point) const {
    return point.y() >= 0 && point.y() <= layout::kDragBandLastRow && point.x() >= 0 && point.x() < width() &&
           Controls.HitTest(ToSkinPoint(point)) == nullptr;
}

// ---- SkinOwner ----

SkinSize MainDialog::BitmapSize(std::string_view name) const {
    const QSize size = artwork_.BitmapSize(name);
    return {size.width(), size.height()};
}

void MainDialog::Invalidate(const SkinRect& area) { update(QRect(area.left, area.top, area.Width(), area.Height())); }

void MainDialog::ControlPressed(SkinControl& control) {
    for (const auto* button : {ScaleUpButton.get(), ScaleDownButton.get(), MaximumNoteUpButton.get(),
                               MaximumNoteDownButton.get(), MinimumNoteUpButton.get(),
                               MinimumNoteDownButton.get()}) {
        if (&control == button) {
            // Up and down buttons act at once and keep acting while held.
            StepButtonAction(control);
            repeatingButton_ = &control;
            RepeatTimer.start();
            return;
        }
    }
    for (const SkinSlider* slider : {InputVolumeSlider.get(), GapRatioSlider.get(), NoteStopRatioSlider.get()}) {
        if (&control == slider) {
            SliderMoved(*slider);
        }
    }
}

void MainDialog::ControlClicked(SkinControl& control) {
    if (&control == StartToggle.get()) {
        StartToggleClick();
    } else if (&control == ShrinkToggle.get()) {
        ShrinkToggleClick();
    } else if (&control == MinimiseButton.get()) {
        MinimiseButtonClick();
    } else if (&control == CloseButton.get()) {
        CloseButtonClick();
    } else if (&control == MixerButton.get()) {
        MixerButtonClick();
    } else if (&control == RhythmToggle.get()) {
        RhythmToggleClick();
    } else if (&control == WaveButton.get()) {
        WaveButtonClick();
    } else if (&control == SetupButton.get()) {
        SetupButtonClick();
    } else if (&control == PresetButton.get()) {
        PresetButtonClick();
    }
}

void MainDialog::ShrinkToggleClick() {
    if (focusLostSinceShrinkClick_) {
        // This click only brought the window back to the front, which opened
        // it again already: the toggle just shows that again.
        focusLostSinceShrinkClick_ = false;
        ShrinkToggle->SetState(IsShrunk() ? 1 : 0);
        return;
    }
    ApplyShrink(ShrinkToggle->IsOn());
}

void MainDialog::MinimiseButtonClick() { showMinimized(); }

void MainDialog::CloseButtonClick() { close(); }

// ---- mouse, keys and focus ----

void MainDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (Controls.HitTest(ToSkinPoint(point)) != ShrinkToggle.get()) {
        focusLostSinceShrinkClick_ = false;  // the window is back in use: the toggle works again
    }
    Controls.MouseDown(ToSkinPoint(point));
    if (Controls.LastPressHitNothing() && point.y() <= layout::kDragBandLastRow) {
        drag_.Begin(event->globalPosition().toPoint());
        if (!drag_.IsActive()) {
            Controls.MouseUp(ToSkinPoint(point));  // the display server moves the window itself
        }
    }
}

void MainDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (drag_.IsActive()) {
        drag_.Follow(event->globalPosition().toPoint());
        return;
    }
    Controls.MouseMove(ToSkinPoint(point));
    if (event->buttons() == Qt::NoButton) {
        UpdateCursor(point);
    }
}

void MainDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    RepeatTimer.stop();
    repeatingButton_ = nullptr;
    if (drag_.IsActive()) {
        drag_.End(event->globalPosition().toPoint());
    }
    Controls.MouseUp(ToSkinPoint(event->position().toPoint()));
}

void MainDialog::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second click comes as press, release, double click, release:
    // the double click stands in for the second press. On a control it is a
    // press like the first; only the background has double-click actions.
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (Controls.HitTest(ToSkinPoint(point)) != nullptr) {
        mousePressEvent(event);
    } else {
        BackgroundDoubleClick(point);
    }
}

void MainDialog::BackgroundDoubleClick(QPoint point) {
    if (Contains(layout::kMeterArea, point)) {
        SetDisplayMode(displayMode_ == DisplayMode::Volume ? DisplayMode::Pitch : DisplayMode::Volume);
    } else if (Contains(layout::kMaximumNoteField, point)) {
        NoteFieldDoubleClick(NoteLearn::Bound::Maximum);
    } else if (Contains(layout::kMinimumNoteField, point)) {
        NoteFieldDoubleClick(NoteLearn::Bound::Minimum);
    }
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        ShowPopupMenu();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainDialog::contextMenuEvent(QContextMenuEvent*) { ShowPopupMenu(); }

void MainDialog::UpdateCursor(QPoint point) {
    if (IsOverDragBand(point)) {
        setCursor(artwork_.DragCursor());
    } else {
        unsetCursor();
    }
}

bool MainDialog::event(QEvent* event) {
    if (IsAutoShrinkInEffect() && event->type() == QEvent::WindowDeactivate) {
        focusLostSinceShrinkClick_ = true;
        ApplyShrink(true);
    } else if (IsAutoShrinkInEffect() && event->type() == QEvent::WindowActivate) {
        ApplyShrink(false);
    }
    return QWidget::event(event);
}

// Closing stops a live run, closes Setup and stores the system settings.
void MainDialog::closeEvent(QCloseEvent* event) {
    StopLiveRun();
    if (setupDialog_ != nullptr) {
        setupDialog_->close();
    }
    settings_.WriteSystemSettings(*prompt_);
    event->accept();
}

}  // namespace voxnote
