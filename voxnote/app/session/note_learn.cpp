#include "voxnote/app/session/note_learn.h"

#include "voxnote/app/settings/detector_settings.h"

namespace voxnote {

bool NoteLearn::Enter(Bound bound, NoteRange& range, bool startToggleOn, int lastDetectedNote) {
    if (bound == Bound::None) {
        return false;
    }
    if (active_ == Bound::None) {
        startToggleWasOn_ = startToggleOn;
    } else {
        TakeLearnedNote(range, lastDetectedNote);
    }
    active_ = bound;
    if (bound == Bound::Maximum) {
        savedValue_ = range.maximum;
        range.maximum = kHighestMaximumNote;
    } else {
        savedValue_ = range.minimum;
        range.minimum = kLowestMinimumNote;
    }
    return !startToggleOn;
}

bool NoteLearn::Leave(Ending ending, NoteRange& range, int lastDetectedNote) {
    if (active_ == Bound::None) {
        return false;
    }
    TakeLearnedNote(range, lastDetectedNote);
    active_ = Bound::None;
    return ending == Ending::ByUser && !startToggleWasOn_;
}

void NoteLearn::TakeLearnedNote(NoteRange& range, int lastDetectedNote) {
    if (active_ == Bound::Maximum && !range.SetMaximum(lastDetectedNote)) {
        range.maximum = savedValue_;
    } else if (active_ == Bound::Minimum && !range.SetMinimum(lastDetectedNote)) {
        range.minimum = savedValue_;
    }
}

}  // namespace voxnote
