// SequenceWindow: rendering the song into a WAV file (F11), with the render
// window and the progress bar.
#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>

#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/render/render_observer.h"
#include "stepweave/sequencer/render/song_renderer.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/ui/render_progress_window.h"
#include "stepweave/sequencer/ui/sequence_window.h"
#include "stepweave/sequencer/ui/window_prompt.h"

namespace stepweave {

namespace {

// How often a render lets the window handle its events: often enough to
// answer Stop at once, seldom enough that the render keeps its speed.
constexpr qint64 kEventMilliseconds = 10;

constexpr const char* kRenderDialogTitle = "Save As One Big Lovely WAV File";
constexpr const char* kRenderDialogFilter = "Audio files (*.wav *.WAV);;All files (*)";

}  // namespace

// What the render shows and asks, in the main window and its render window.
class SequenceWindow::WindowRenderObserver : public RenderObserver {
public:
    explicit WindowRenderObserver(SequenceWindow& window) : window_(window) { sinceEvents_.start(); }

    std::string ChooseOutputFile() override {
        return window_.prompt_.ChooseFileToSave(
            {kRenderDialogTitle, kRenderDialogFilter, window_.session_.StartDirectory(), "", "wav"});
    }
    void SetPlayButtonsEnabled(bool enabled) override {
        window_.session_.Engine().SetPlayButtonsEnabled(enabled);
        window_.ShowTransport();
    }
    bool StopRequested() override { return window_.session_.Engine().PlayPatternEnabled(); }
    void ShowRenderWindow() override { window_.renderWindow_->ShowCentred(); }
    void HideRenderWindow() override { window_.renderWindow_->hide(); }
    void NowAdding(const std::string& name) override {
        window_.renderWindow_->ShowInstrument(QString::fromStdString(name));
    }
    void ShowProgress(int maximum) override {
        window_.renderProgressBar->setRange(0, maximum);
        window_.renderProgressBar->setValue(0);
        window_.renderProgressBar->show();
        window_.renderProgressBar->raise();
    }
    void SetProgress(int position) override { position_ = position; }
    void HideProgress() override { window_.renderProgressBar->hide(); }
    void ProcessEvents() override {
        if (sinceEvents_.elapsed() < kEventMilliseconds) {
            return;
        }
        window_.renderProgressBar->setValue(position_);
        QCoreApplication::processEvents();
        sinceEvents_.restart();
    }

private:
    SequenceWindow& window_;
    QElapsedTimer sinceEvents_;
    int position_ = 0;
};

// F11 and the Render button. The render compiles the song as Play Song does,
// so the editor ends up holding its last pattern (Undo takes it back). A
// playback still running is stopped first, as Stop does: its end would
// otherwise read as the user's Stop and cut the render short. While the
// render runs, the play commands wait; closing the window stops it first.
void SequenceWindow::RenderClick() {
    if (rendering_) {
        return;
    }
    if (session_.Engine().Playing()) {
        session_.Engine().Stop();
    }
    rendering_ = true;
    for (QAction* play : {playPatternAction, playSongAction}) {
        play->setEnabled(false);
    }
    WindowRenderObserver observer(*this);
    SongRenderer renderer(document_, session_.DrumKit().Items(), observer);
    PlaybackEngine& engine = session_.Engine();
    const std::optional<int> globalTempo = engine.UsesGlobalTempo() ? std::optional<int>(engine.GlobalTempoValue()) : std::nullopt;
    RecordEdit("Render", [&] { renderer.Render(session_.RenderSamples(), globalTempo); });
    for (QAction* play : {playPatternAction, playSongAction}) {
        play->setEnabled(true);
    }
    rendering_ = false;
    activateWindow();  // the keys come back here once the render window has gone
    ShowDocument();
    if (closeAfterRender_) {
        close();
    }
}

}  // namespace stepweave
