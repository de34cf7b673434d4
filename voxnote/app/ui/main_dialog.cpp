#include "voxnote/app/ui/main_dialog.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "voxnote/app/display/main_window_layout.h"
#include "voxnote/app/settings/string_table.h"
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
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), artwork_(devicePixelRatioF()) {
    session_ = std::make_unique<ConverterSession>(WithWindowServices(std::move(services), *this));
    setWindowTitle(Caption(strings::kProgramTitle));
    setWindowIcon(artwork_.WindowIcon());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(layout::kWindowSize.width, layout::kWindowSize.height);
    CreateSkinControls();
    CreatePopupMenu();
    ApplyTopMost(session_->Settings().System().alwaysOnTop);

    stepRepeatTimer_ = new QTimer(this);
    stepRepeatTimer_->setObjectName("stepRepeatTimer");
    stepRepeatTimer_->setInterval(100);
    connect(stepRepeatTimer_, &QTimer::timeout, this, [this] {
        if (repeatingButton_ != nullptr) {
            StepButtonAction(*repeatingButton_);
        }
    });
    captureTimer_ = new QTimer(this);
    captureTimer_->setObjectName("captureTimer");
    captureTimer_->setInterval(20);
    connect(captureTimer_, &QTimer::timeout, this, [this] { session_->Poll(); });
    session_->AddView(*this);
    SessionChanged();
    if (InitFailed()) {
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

MainDialog::~MainDialog() {
    delete setupDialog_;  // an open Setup hears from the session, which goes before the children
    session_->RemoveView(*this);
}

// The window's own prompt and program starter where the caller gave none.
ConverterServices MainDialog::WithWindowServices(MainDialogServices services, MainDialog& window) {
    if (services.prompt == nullptr) {
        window.ownPrompt_ = std::make_unique<MessageBoxPrompt>(&window);
        services.prompt = window.ownPrompt_.get();
    }
    if (services.programStarter == nullptr) {
        window.ownProgramStarter_ = std::make_unique<DetachedProgramStarter>();
        services.programStarter = window.ownProgramStarter_.get();
    }
    return services;
}

void MainDialog::CreateSkinControls() {
    // Made in this order, so that the slider value labels are the 17th, 19th
    // and 21st entries of the control list.
    auto make = [this]<typename Control>(std::unique_ptr<Control>& control, const char* prefix, SkinPoint position,
                                        const char* name) {
        control = std::make_unique<Control>(controls_, prefix, position);
        control->SetName(name);
    };
    make(startToggle_, "STA_", layout::kStartToggle, "startToggle");
    make(shrinkToggle_, "RED_", layout::kShrinkToggle, "shrinkToggle");
    make(minimiseButton_, "MINIM_", layout::kMinimiseButton, "minimiseButton");
    make(closeButton_, "CLOSE_", layout::kCloseButton, "closeButton");
    make(mixerButton_, "MIXER_", layout::kMixerButton, "mixerButton");
    make(rhythmToggle_, "RHY_", layout::kRhythmToggle, "rhythmToggle");
    make(waveButton_, "WAVE_", layout::kWaveButton, "waveButton");
    make(setupButton_, "SETUP_", layout::kSetupButton, "setupButton");
    make(presetButton_, "PRESET_", layout::kPresetButton, "presetButton");
    make(scaleUpButton_, "UP_", layout::kScaleUpButton, "scaleUpButton");
    make(scaleDownButton_, "DN_", layout::kScaleDownButton, "scaleDownButton");
    make(maximumNoteUpButton_, "UP_", layout::kMaximumNoteUpButton, "maximumNoteUpButton");
    make(maximumNoteDownButton_, "DN_", layout::kMaximumNoteDownButton, "maximumNoteDownButton");
    make(minimumNoteUpButton_, "UP_", layout::kMinimumNoteUpButton, "minimumNoteUpButton");
    make(minimumNoteDownButton_, "DN_", layout::kMinimumNoteDownButton, "minimumNoteDownButton");
    make(inputVolumeSlider_, "SLD_OF_", layout::kInputVolumeSlider, "inputVolumeSlider");
    make(gapRatioSlider_, "SLD_OF_", layout::kGapRatioSlider, "gapRatioSlider");
    make(noteStopRatioSlider_, "SLD_OF_", layout::kNoteStopRatioSlider, "noteStopRatioSlider");
    inputVolumeSlider_->SetRange(0, layout::kInputVolumeMaximum);
    gapRatioSlider_->SetRange(0, layout::kGapRatioMaximum);
    noteStopRatioSlider_->SetRange(0, layout::kNoteStopRatioMaximum);
}

void MainDialog::CreatePopupMenu() {
    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName("popupMenu");
    auto add = [this](int caption, const char* name, auto action) {
        QAction* item = popupMenu_->addAction(Caption(caption));
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, action);
    };
    add(strings::kMenuShowVolume, "showVolumeAction", [this] { SetDisplayMode(DisplayMode::Volume); });
    add(strings::kMenuShowPitch, "showPitchAction", [this] { SetDisplayMode(DisplayMode::Pitch); });
    add(strings::kMenuChangeMixer, "changeMixerAction", [this] { session_->ChooseMixer(); });
    add(strings::kMenuHelp, "helpAction", [this] { OpenHelp(); });
    add(strings::kMenuVisitWebSite, "webSiteAction", [this] { VisitWebSite(); });
    add(strings::kMenuAbout, "aboutAction", [this] { OpenAboutBox(); });
}

// ---- window behaviour ----

void MainDialog::ApplyShrink(bool shrunk) {
    shrinkToggle_->SetState(shrunk ? 1 : 0);
    const SkinSize size = shrunk ? layout::kShrunkWindowSize : layout::kWindowSize;
    setFixedSize(size.width, size.height);  // the top-left corner stays put
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

bool MainDialog::IsOverDragBand(QPoint point) const {
    return point.y() >= 0 && point.y() <= layout::kDragBandLastRow && point.x() >= 0 && point.x() < width() &&
           controls_.HitTest(ToSkinPoint(point)) == nullptr;
}

// ---- SkinOwner ----

SkinSize MainDialog::BitmapSize(std::string_view name) const {
    const QSize size = artwork_.BitmapSize(name);
    return {size.width(), size.height()};
}

void MainDialog::Invalidate(const SkinRect& area) { update(QRect(area.left, area.top, area.Width(), area.Height())); }

void MainDialog::ControlPressed(SkinControl& control) {
    for (const auto* button : {scaleUpButton_.get(), scaleDownButton_.get(), maximumNoteUpButton_.get(),
                               maximumNoteDownButton_.get(), minimumNoteUpButton_.get(),
                               minimumNoteDownButton_.get()}) {
        if (&control == button) {
            // Up and down buttons act at once and keep acting while held.
            StepButtonAction(control);
            repeatingButton_ = &control;
            stepRepeatTimer_->start();
            return;
        }
    }
    for (const SkinSlider* slider : {inputVolumeSlider_.get(), gapRatioSlider_.get(), noteStopRatioSlider_.get()}) {
        if (&control == slider) {
            SliderMoved(*slider);
        }
    }
}

void MainDialog::ControlClicked(SkinControl& control) {
    if (&control == startToggle_.get()) {
        StartToggleClick();
    } else if (&control == shrinkToggle_.get()) {
        ShrinkToggleClick();
    } else if (&control == minimiseButton_.get()) {
        showMinimized();
    } else if (&control == closeButton_.get()) {
        close();
    } else if (&control == mixerButton_.get()) {
        session_->RunMixer();
    } else if (&control == rhythmToggle_.get()) {
        RhythmToggleClick();
    } else if (&control == waveButton_.get()) {
        WaveButtonClick();
    } else if (&control == setupButton_.get()) {
        OpenSetup();
    } else if (&control == presetButton_.get()) {
        OpenPresetsDialog();
    }
}

void MainDialog::ShrinkToggleClick() {
    if (focusLostSinceShrinkClick_) {
        // This click only brought the window back to the front, which opened
        // it again already: the toggle just shows that again.
        focusLostSinceShrinkClick_ = false;
        shrinkToggle_->SetState(IsShrunk() ? 1 : 0);
        return;
    }
    ApplyShrink(shrinkToggle_->IsOn());
}

// ---- mouse, keys and focus ----

void MainDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (controls_.HitTest(ToSkinPoint(point)) != shrinkToggle_.get()) {
        focusLostSinceShrinkClick_ = false;  // the window is back in use: the toggle works again
    }
    controls_.MouseDown(ToSkinPoint(point));
    if (controls_.LastPressHitNothing() && point.y() <= layout::kDragBandLastRow) {
        drag_.Begin(event->globalPosition().toPoint());
        if (!drag_.IsActive()) {
            controls_.MouseUp(ToSkinPoint(point));  // the display server moves the window itself
        }
    }
}

void MainDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (drag_.IsActive()) {
        drag_.Follow(event->globalPosition().toPoint());
        return;
    }
    controls_.MouseMove(ToSkinPoint(point));
    if (event->buttons() == Qt::NoButton) {
        UpdateCursor(point);
    }
}

void MainDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    stepRepeatTimer_->stop();
    repeatingButton_ = nullptr;
    if (drag_.IsActive()) {
        drag_.End(event->globalPosition().toPoint());
    }
    controls_.MouseUp(ToSkinPoint(event->position().toPoint()));
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
    if (controls_.HitTest(ToSkinPoint(point)) != nullptr) {
        mousePressEvent(event);
    } else {
        BackgroundDoubleClick(point);
    }
}

void MainDialog::BackgroundDoubleClick(QPoint point) {
    if (Contains(layout::kMeterArea, point)) {
        SetDisplayMode(displayMode_ == DisplayMode::Volume ? DisplayMode::Pitch : DisplayMode::Volume);
    } else if (Contains(layout::kMaximumNoteField, point)) {
        session_->DoubleClickNoteField(NoteLearn::Bound::Maximum);
    } else if (Contains(layout::kMinimumNoteField, point)) {
        session_->DoubleClickNoteField(NoteLearn::Bound::Minimum);
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
    const bool autoShrink = session_ && session_->IsAutoShrinkInEffect();
    if (autoShrink && event->type() == QEvent::WindowDeactivate) {
        focusLostSinceShrinkClick_ = true;
        ApplyShrink(true);
    } else if (autoShrink && event->type() == QEvent::WindowActivate) {
        ApplyShrink(false);
    }
    return QWidget::event(event);
}

// Closing stops a live run, closes Setup and stores the system settings.
void MainDialog::closeEvent(QCloseEvent* event) {
    session_->StopLiveRun();
    if (setupDialog_ != nullptr) {
        setupDialog_->close();
    }
    session_->Shutdown();
    event->accept();
}

}  // namespace voxnote
