#pragma once
// What a song render shows and asks while it runs. The render runs on the
// caller's thread and hands control to the user interface once per song
// line, so that the window stays responsive and its Stop button can end the
// render. The main window with its render window implements this; the
// headless render command implements it on a terminal.
#include <string>

namespace stepweave {

class RenderObserver {
public:
    virtual ~RenderObserver() = default;

    // The save dialog ("Save As One Big Lovely WAV File"): the chosen path,
    // or "" when the user cancelled.
    virtual std::string ChooseOutputFile() = 0;

    // The Play Pattern and Play Song buttons: disabled while a render runs.
    virtual void SetPlayButtonsEnabled(bool enabled) = 0;
    // True once the user has pressed Stop (in the window: the Play Pattern
    // button has been enabled again). The render then saves what it has
    // mixed so far and ends.
    virtual bool StopRequested() = 0;

    // The render window ("Now Adding:" and the instrument being mixed).
    virtual void ShowRenderWindow() = 0;
    virtual void HideRenderWindow() = 0;
    // The instrument's label, or "Sample 3" for user sample 3. Told for every
    // note mixed, so an implementation should only redraw on a change.
    virtual void NowAdding(const std::string& name) = 0;

    // The progress bar: its maximum is the number of song lines, and each
    // instrument's pass moves it from 0 towards that maximum.
    virtual void ShowProgress(int maximum) = 0;
    virtual void SetProgress(int position) = 0;
    virtual void HideProgress() = 0;

    // An instrument pass begins: pass `index` (0-based) of `count`.
    virtual void PassStarted(int instrument, int index, int count) {
        (void)instrument, (void)index, (void)count;
    }

    // Lets the user interface handle what is pending. Called once per song
    // line of every pass: an implementation with costly event processing
    // should do it only every few milliseconds.
    virtual void ProcessEvents() = 0;
};

}  // namespace stepweave
