#pragma once
// What a window showing the converter session hears from it. The main
// window and Setup each register one; all calls come on the main thread.
#include "voxnote/analysis/capture/capture_observer.h"

namespace voxnote {

class SessionView {
public:
    virtual ~SessionView() = default;
    // Something a window shows has changed: a setting, the run's state, the
    // learning field, the tuning meter. The window reads the session again.
    virtual void SessionChanged() {}
    // A block of the live run was analysed: the level meter and the note.
    virtual void LiveBlockAnalysed(const CaptureDisplay& /*display*/) {}
    // The main window becomes top-most, or stops being it (while another
    // program is started, its window comes to the front).
    virtual void ShowTopMost(bool /*on*/) {}
};

}  // namespace voxnote
