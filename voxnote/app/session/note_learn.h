#pragma once
// Learning a bound of the note range from the voice: the user double-clicks
// the maximum or minimum note field, the bound opens wide (101 or 24) and a
// live run listens; ending the mode takes the last detected note as the new
// bound when the range accepts it, else the bound goes back to what it was.
// One bound learns at a time.
#include "voxnote/app/settings/note_range.h"

namespace voxnote {

class NoteLearn {
public:
    enum class Bound { None, Maximum, Minimum };
    // How the mode ends: by the user on that bound's field or buttons, or
    // because other work begins (a run starts or stops, a WAV file is opened).
    enum class Ending { ByUser, ByOtherWork };

    Bound Active() const { return active_; }
    bool IsActive() const { return active_ != Bound::None; }

    // Starts learning `bound`, ending the other bound's mode first. True when
    // the caller must switch the start toggle on and start a live run (it was off).
    bool Enter(Bound bound, NoteRange& range, bool startToggleOn, int lastDetectedNote);

    // Ends the active mode (does nothing when none is active). True when the
    // caller must switch the start toggle off and stop the run: the mode
    // started that run and the user ended the mode.
    bool Leave(Ending ending, NoteRange& range, int lastDetectedNote);

private:
    void TakeLearnedNote(NoteRange& range, int lastDetectedNote);

    Bound active_ = Bound::None;
    int savedValue_ = 0;
    bool startToggleWasOn_ = false;
};

}  // namespace voxnote
