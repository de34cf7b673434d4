#pragma once
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "voxnote/app/display/level_meter.h"
#include "voxnote/app/display/main_window_layout.h"
#include "voxnote/app/session/converter_session.h"
#include "voxnote/app/skin/skin_button.h"
#include "voxnote/app/skin/skin_control_set.h"
#include "voxnote/app/skin/skin_owner.h"
#include "voxnote/app/skin/skin_slider.h"
#include "voxnote/app/skin/skin_toggle.h"
#include "voxnote/app/ui/artwork/skin_artwork.h"
#include "voxnote/app/ui/setup_dialog.h"
#include "voxnote/app/ui/window_drag.h"

namespace voxnote {

class SkinPainterCanvas;

// What the main window's session works with. Left empty, the prompt shows
// message boxes over the window and programs start detached from it.
using MainDialogServices = ConverterServices;

// The converter's one window: a frameless 199 x 346 panel that paints its
// skin and drives its skinned controls with the mouse. It is a view of the
// converter session: it shows the session's settings and run, hands it what
// the user does, and opens every other window.
//
// Its skinned controls, like the widgets of a dialog, are reached by name:
// "startToggle", "shrinkToggle", "minimiseButton", "closeButton",
// "mixerButton", "rhythmToggle", "waveButton", "setupButton",
// "presetButton", "scaleUpButton", "scaleDownButton", "maximumNoteUpButton",
// "maximumNoteDownButton", "minimumNoteUpButton", "minimumNoteDownButton",
// "inputVolumeSlider", "gapRatioSlider", "noteStopRatioSlider".
class MainDialog : public QWidget, private SkinOwner, private SessionView {
    Q_OBJECT

public:
    enum class DisplayMode { Volume = 0, Pitch = 1 };
    // Runs the WAV file dialog modally over the main window; returns the
    // choices it closed with.
    using WavDialogOpener = std::function<WavDialogChoices(MainDialog&)>;

    explicit MainDialog(MainDialogServices services = {}, QWidget* parent = nullptr);
    ~MainDialog() override;

    // A part that could not be had at start-up closes the window right after it opens.
    bool InitFailed() const { return session_->InitFailed(); }
    ConverterSession& Session() { return *session_; }

    const SkinArtwork& Artwork() const { return artwork_; }
    const SkinControlSet& ControlSet() const { return controls_; }
    // The skinned control of that name, or none.
    SkinControl* FindControl(std::string_view name) const { return controls_.Find(name); }
    SetupDialog* OpenSetupDialog() const { return setupDialog_; }

    void SetHelpFilePath(const QString& path) { helpFilePath_ = path; }
    const QString& HelpFilePath() const { return helpFilePath_; }
    void SetWavDialogOpener(WavDialogOpener opener) { wavDialogOpener_ = std::move(opener); }

    // ---- what the window shows ----
    void SetDisplayMode(DisplayMode mode);
    DisplayMode CurrentDisplayMode() const { return displayMode_; }
    // One redraw of the level bar from the analysis's level byte and indicator flags.
    void ShowLevel(int level, bool firstIndicator, bool secondIndicator, bool inputProcessed);
    // The note the pitch display shows while a run is active; none for silence.
    void ShowNote(std::optional<int> note);
    std::optional<int> ShownNote() const { return shownNote_; }
    const LevelMeter& Meter() const { return meter_; }
    void SetShrunk(bool shrunk) { ApplyShrink(shrunk); }
    bool IsShrunk() const { return height() == layout::kShrunkWindowSize.height; }
    bool IsTopMost() const { return topMost_; }
    bool IsDragging() const { return drag_.IsActive(); }
    const QWidget* DragOutline() const { return drag_.Outline(); }
    // True where a left press would start moving the window.
    bool IsOverDragBand(QPoint point) const;

    // ---- the dialogs ----
    void OpenPresetsDialog();
    void OpenSetup();
    void OpenAboutBox();
    void OpenHelp();
    void VisitWebSite();

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

private:
    static ConverterServices WithWindowServices(MainDialogServices services, MainDialog& window);
    void CreateSkinControls();
    void CreatePopupMenu();
    void ApplyTopMost(bool on);
    void ApplyShrink(bool shrunk);

    // What each control does.
    void StartToggleClick();
    void ShrinkToggleClick();
    void RhythmToggleClick();
    void WaveButtonClick();
    void StepButtonAction(const SkinControl& button);
    void SliderMoved(const SkinSlider& slider);
    void BackgroundDoubleClick(QPoint point);
    void ShowPopupMenu();

    // SkinOwner
    bool IsEnabled() const override { return isEnabled(); }
    SkinRect ClientRect() const override { return {0, 0, width(), height()}; }
    SkinSize BitmapSize(std::string_view name) const override;
    void Invalidate(const SkinRect& area) override;
    void ControlPressed(SkinControl& control) override;
    void ControlClicked(SkinControl& control) override;
    // SessionView
    void SessionChanged() override;
    void LiveBlockAnalysed(const CaptureDisplay& display) override;
    void ShowTopMost(bool on) override { ApplyTopMost(on); }
    void FollowRun();
    void FollowSettings();
    void FollowSetup();

    void PaintDisplayFields(SkinPainterCanvas& canvas);
    void PaintMeterArea(SkinPainterCanvas& canvas);
    void UpdateCursor(QPoint point);

    SkinArtwork artwork_;
    WindowDrag drag_{*this};
    std::unique_ptr<UserPrompt> ownPrompt_;
    std::unique_ptr<ProgramStarter> ownProgramStarter_;
    std::unique_ptr<ConverterSession> session_;

    // The control set comes first: the controls register in it as they are made.
    SkinControlSet controls_{static_cast<SkinOwner&>(*this)};
    std::unique_ptr<SkinToggle> startToggle_;
    std::unique_ptr<SkinToggle> shrinkToggle_;
    std::unique_ptr<SkinButton> minimiseButton_;
    std::unique_ptr<SkinButton> closeButton_;
    std::unique_ptr<SkinButton> mixerButton_;
    std::unique_ptr<SkinToggle> rhythmToggle_;
    std::unique_ptr<SkinButton> waveButton_;
    std::unique_ptr<SkinButton> setupButton_;
    std::unique_ptr<SkinButton> presetButton_;
    std::unique_ptr<SkinButton> scaleUpButton_;
    std::unique_ptr<SkinButton> scaleDownButton_;
    std::unique_ptr<SkinButton> maximumNoteUpButton_;
    std::unique_ptr<SkinButton> maximumNoteDownButton_;
    std::unique_ptr<SkinButton> minimumNoteUpButton_;
    std::unique_ptr<SkinButton> minimumNoteDownButton_;
    std::unique_ptr<SkinSlider> inputVolumeSlider_;
    std::unique_ptr<SkinSlider> gapRatioSlider_;
    std::unique_ptr<SkinSlider> noteStopRatioSlider_;
    // Repeats a held up/down button every 100 ms ("stepRepeatTimer").
    QTimer* stepRepeatTimer_ = nullptr;
    const SkinControl* repeatingButton_ = nullptr;
    // Polls the live run while one is going ("captureTimer").
    QTimer* captureTimer_ = nullptr;
    // Opened by Shift+F10 or a context-menu request ("popupMenu").
    QMenu* popupMenu_ = nullptr;

    DisplayMode displayMode_ = DisplayMode::Volume;
    std::optional<int> shownNote_;
    LevelMeter meter_;
    bool topMost_ = false;
    // Set when Auto Shrink rolled the window up on losing the focus, until the next click.
    bool focusLostSinceShrinkClick_ = false;
    QPointer<SetupDialog> setupDialog_;
    QString helpFilePath_;
    WavDialogOpener wavDialogOpener_;
};

}  // namespace voxnote
