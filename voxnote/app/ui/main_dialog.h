#pragma once
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "voxnote/app/level_meter.h"
#include "voxnote/app/main_window_layout.h"
#include "voxnote/app/note_range.h"
#include "voxnote/app/scale_step.h"
#include "voxnote/app/skin_button.h"
#include "voxnote/app/skin_control_set.h"
#include "voxnote/app/skin_owner.h"
#include "voxnote/app/skin_slider.h"
#include "voxnote/app/skin_toggle.h"
#include "voxnote/app/ui/skin_artwork.h"
#include "voxnote/app/ui/window_drag.h"

namespace voxnote {

class SkinPainterCanvas;

// The converter's one window: a frameless 199 x 346 panel that paints its
// skin and drives its skinned controls with the mouse. It shows what it is
// given (preset, scale, note range, level, detected note) and reports what
// the user does through its handlers and signals.
class MainDialog : public QWidget, public SkinOwner {
    Q_OBJECT

public:
    enum class DisplayMode { Volume = 0, Pitch = 1 };

    explicit MainDialog(QWidget* parent = nullptr);
    ~MainDialog() override;

    const SkinArtwork& Artwork() const { return artwork_; }
    SkinControlSet& ControlSet() { return Controls; }

    // What the window shows.
    void SetPresetName(const QString& name);
    void SetScale(int scale);
    void SetNoteRange(NoteRange range);
    void SetDisplayMode(DisplayMode mode);
    void SetRunActive(bool active);
    // One redraw of the level bar from the analysis's level byte and indicator flags.
    void ShowLevel(int level, bool firstIndicator, bool secondIndicator, bool inputProcessed);
    // The note the pitch display shows while a run is active; none for silence.
    void ShowNote(std::optional<int> note);
    // Moves the three sliders (after a preset was loaded).
    void SetSliderValues(int inputVolume, int gapRatio, int noteStopRatio);
    void SetShrunk(bool shrunk);
    // With Auto Shrink on, the window rolls up to its title band whenever it
    // loses the focus and opens again when it gets it back.
    void SetAutoShrink(bool on);

    const QString& PresetName() const { return presetName_; }
    int Scale() const { return scale_; }
    NoteRange CurrentNoteRange() const { return noteRange_; }
    DisplayMode CurrentDisplayMode() const { return displayMode_; }
    bool IsRunActive() const { return runActive_; }
    bool IsShrunk() const { return height() == layout::kShrunkWindowSize.height; }
    bool IsDragging() const { return drag_.IsActive(); }
    const QWidget* DragOutline() const { return drag_.Outline(); }
    const LevelMeter& Meter() const { return meter_; }
    int InputVolume() const { return InputVolumeSlider->GetValue(); }
    int GapRatio() const { return GapRatioSlider->GetValue(); }
    int NoteStopRatio() const { return NoteStopRatioSlider->GetValue(); }
    // True where a left press would start moving the window.
    bool IsOverDragBand(QPoint point) const;
    const QTimer& StepRepeatTimer() const { return RepeatTimer; }

    // SkinOwner
    bool IsEnabled() const override { return isEnabled(); }
    SkinRect ClientRect() const override { return {0, 0, width(), height()}; }
    SkinSize BitmapSize(std::string_view name) const override;
    void Invalidate(const SkinRect& area) override;
    void ControlPressed(SkinControl& control) override;
    void ControlClicked(SkinControl& control) override;

signals:
    void startStopRequested();
    void mixerRequested();
    void rhythmModeToggled(bool on);
    void waveFileRequested();
    void setupRequested();
    void presetsRequested();
    void inputVolumeChanged(int value);
    void gapRatioChanged(int value);
    void noteStopRatioChanged(int value);
    void scaleChanged(int scale);
    void noteRangeChanged(int maximumNote, int minimumNote);
    void noteLearnRequested(bool maximumBound);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
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

private:
    void CreateSkinControls();

    // What each control does. Those that need the capture, the presets, the
    // settings file, WAV import or the mixer report through a signal.
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
    void SliderMoved(const SkinSlider& slider);
    void BackgroundDoubleClick(QPoint point);

    void PaintDisplayFields(SkinPainterCanvas& canvas);
    void PaintMeterArea(SkinPainterCanvas& canvas);
    void UpdateCursor(QPoint point);
    void ApplyShrink(bool shrunk);

    SkinArtwork artwork_;
    WindowDrag drag_{*this};
    const SkinControl* repeatingButton_ = nullptr;

    QString presetName_ = "Default";
    int scale_ = kChromaticScale;
    NoteRange noteRange_{101, 33};
    DisplayMode displayMode_ = DisplayMode::Volume;
    bool runActive_ = false;
    std::optional<int> shownNote_;
    LevelMeter meter_;
    bool autoShrink_ = false;
    // Set when Auto Shrink rolled the window up on losing the focus, until the next click.
    bool focusLostSinceShrinkClick_ = false;
};

}  // namespace voxnote
