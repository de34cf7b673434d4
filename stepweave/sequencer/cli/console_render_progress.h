#pragma once
// The headless render's user interface on a terminal: the output file given
// on the command line stands for the save dialog, Ctrl+C for the Stop button,
// and a one-line progress bar on the error stream (when it is a terminal)
// for the progress bar and the render window.
#include <functional>
#include <iosfwd>
#include <string>

#include "stepweave/sequencer/render/render_observer.h"

namespace stepweave {

class ConsoleRenderProgress : public RenderObserver {
public:
    // stopRequested: polled once per song line.
    ConsoleRenderProgress(std::string outputPath, std::ostream& bar, bool showBar,
                          std::function<bool()> stopRequested);

    // The output path, once its folder is known to exist (FileCreateError
    // otherwise); "" when a stop was asked for before mixing began, so that
    // nothing is written.
    std::string ChooseOutputFile() override;
    void SetPlayButtonsEnabled(bool) override {}
    bool StopRequested() override { return stopRequested_(); }
    void ShowRenderWindow() override {}
    void HideRenderWindow() override {}
    // The pass already names the instrument.
    void NowAdding(const std::string&) override {}
    void ShowProgress(int maximum) override;
    void SetProgress(int position) override;
    void HideProgress() override;
    void PassStarted(int instrument, int index, int count) override;
    void ProcessEvents() override {}

private:
    void Draw();

    std::string outputPath_;
    std::ostream& bar_;
    bool showBar_;
    std::function<bool()> stopRequested_;
    bool shown_ = false;
    bool drawn_ = false;
    int lines_ = 1;
    int pass_ = 0;
    int passes_ = 1;
    int position_ = 0;
    int drawnPermille_ = -1;
    std::string instrument_;
    std::string drawnInstrument_;
};

}  // namespace stepweave
