#include "voxnote/app/ui/main_dialog.h"

#include <QEvent>
#include <QMouseEvent>

#include "voxnote/app/main_window_layout.h"

namespace voxnote {

namespace {
SkinPoint ToSkinPoint(QPoint point) { return {point.x(), point.y()}; }
bool Contains(const SkinRect& rect, QPoint point) { return rect.Contains(ToSkinPoint(point)); }
}  // namespace

MainDialog::MainDialog(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), artwork_(devicePixelRatioF()) {
    setWindowTitle("Voxnote");
    setWindowIcon(artwork_.WindowIcon());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(layout::kWindowSize.width, layout::kWindowSize.height);
    CreateSkinControls();
    RepeatTimer.setInterval(100);
    connect(&RepeatTimer, &QTimer::timeout, this, [this] {
        if (repeatingButton_ != nullptr) {
            StepButtonAction(*repeatingButton_);
        }
    });
}

MainDialog::~MainDialog() = default;

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
    SetSliderValues(13, 16, 10);
}

// ---- what the window shows ----

void MainDialog::SetPresetName(const QString& name) {
    presetName_ = name;
    update();
}

void MainDialog::SetScale(int scale) {
    scale_ = scale;
    update();
}

void MainDialog::SetNoteRange(NoteRange range) {
    noteRange_ = range;
    update();
}

void MainDialog::SetDisplayMode(DisplayMode mode) {
    if (mode == DisplayMode::Volume && displayMode_ != mode) {
        meter_.Reset();
    }
    displayMode_ = mode;
    update();
}

void MainDialog::SetRunActive(bool active) {
    runActive_ = active;
    if (!active) {
        shownNote_.reset();
    }
    update();
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

void MainDialog::SetSliderValues(int inputVolume, int gapRatio, int noteStopRatio) {
    InputVolumeSlider->SetValue(inputVolume);
    GapRatioSlider->SetValue(gapRatio);
    NoteStopRatioSlider->SetValue(noteStopRatio);
}

void MainDialog::SetShrunk(bool shrunk) { ApplyShrink(shrunk); }

void MainDialog::ApplyShrink(bool shrunk) {
    ShrinkToggle->SetState(shrunk ? 1 : 0);
    const SkinSize size = shrunk ? layout::kShrunkWindowSize : layout::kWindowSize;
    setFixedSize(size.width, size.height);  // the top-left corner stays put
}

void MainDialog::SetAutoShrink(bool on) {
    autoShrink_ = on;
    focusLostSinceShrinkClick_ = false;
}

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

// ---- the controls' actions ----

void MainDialog::StartToggleClick() { emit startStopRequested(); }

void MainDialog::ShrinkToggleClick() {
    if (focusLostSinceShrinkClick_) {
        // This click only brought the window back to the front, which opened
        // it again already: the toggle just shows that again.
        focusLostSinceShrinkClick_ = false;
        ShrinkToggle->SetState(height() == layout::kShrunkWindowSize.height ? 1 : 0);
        return;
    }
    ApplyShrink(ShrinkToggle->IsOn());
}

void MainDialog::MinimiseButtonClick() { showMinimized(); }

void MainDialog::CloseButtonClick() { close(); }

void MainDialog::MixerButtonClick() { emit mixerRequested(); }

void MainDialog::RhythmToggleClick() { emit rhythmModeToggled(RhythmToggle->IsOn()); }

void MainDialog::WaveButtonClick() { emit waveFileRequested(); }

void MainDialog::SetupButtonClick() { emit setupRequested(); }

void MainDialog::PresetButtonClick() { emit presetsRequested(); }

void MainDialog::StepButtonAction(const SkinControl& button) {
    if (&button == ScaleUpButton.get() || &button == ScaleDownButton.get()) {
        SetScale(&button == ScaleUpButton.get() ? ScaleUp(scale_) : ScaleDown(scale_));
        emit scaleChanged(scale_);
        return;
    }
    bool stepped = false;
    if (&button == MaximumNoteUpButton.get()) {
        stepped = noteRange_.MaximumUp();
    } else if (&button == MaximumNoteDownButton.get()) {
        stepped = noteRange_.MaximumDown();
    } else if (&button == MinimumNoteUpButton.get()) {
        stepped = noteRange_.MinimumUp();
    } else if (&button == MinimumNoteDownButton.get()) {
        stepped = noteRange_.MinimumDown();
    }
    if (stepped) {
        update();
        emit noteRangeChanged(noteRange_.maximum, noteRange_.minimum);
    }
}

void MainDialog::SliderMoved(const SkinSlider& slider) {
    if (&slider == InputVolumeSlider.get()) {
        emit inputVolumeChanged(slider.GetValue());
    } else if (&slider == GapRatioSlider.get()) {
        emit gapRatioChanged(slider.GetValue());
    } else if (&slider == NoteStopRatioSlider.get()) {
        emit noteStopRatioChanged(slider.GetValue());
    }
}

void MainDialog::BackgroundDoubleClick(QPoint point) {
    if (Contains(layout::kMeterArea, point)) {
        SetDisplayMode(displayMode_ == DisplayMode::Volume ? DisplayMode::Pitch : DisplayMode::Volume);
    } else if (Contains(layout::kMaximumNoteField, point)) {
        emit noteLearnRequested(true);
    } else if (Contains(layout::kMinimumNoteField, point)) {
        emit noteLearnRequested(false);
    }
}

// ---- mouse and focus ----

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
    // The second press of a double click has already come as a press of its
    // own (so a control under it is clicked twice); only the background has
    // anything more to do.
    if (event->button() == Qt::LeftButton) {
        BackgroundDoubleClick(event->position().toPoint());
    }
}

void MainDialog::UpdateCursor(QPoint point) {
    if (IsOverDragBand(point)) {
        setCursor(artwork_.DragCursor());
    } else {
        unsetCursor();
    }
}

bool MainDialog::event(QEvent* event) {
    if (autoShrink_ && event->type() == QEvent::WindowDeactivate) {
        focusLostSinceShrinkClick_ = true;
        ApplyShrink(true);
    } else if (autoShrink_ && event->type() == QEvent::WindowActivate) {
        ApplyShrink(false);
    }
    return QWidget::event(event);
}

}  // namespace voxnote
