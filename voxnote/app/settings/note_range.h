#pragma once

namespace voxnote {

// The range of notes the detector reports, as the main window's up and down
// buttons change it: the maximum stays within 25..101 and above the minimum,
// the minimum within 24..100 and below the maximum.
struct NoteRange {
    int maximum = 101;
    int minimum = 33;

    bool IsValidMaximum(int note) const { return note >= 25 && note <= 101 && note > minimum; }
    bool IsValidMinimum(int note) const { return note >= 24 && note <= 100 && note < maximum; }

    // Each step moves its bound by one semitone if the result is valid and
    // tells whether it did.
    bool MaximumUp() { return SetMaximum(maximum + 1); }
    bool MaximumDown() { return SetMaximum(maximum - 1); }
    bool MinimumUp() { return SetMinimum(minimum + 1); }
    // Lowering the minimum never needs the maximum's consent, so a range that
    // came in crossed (from a hand-edited preset) can always be opened again.
    bool MinimumDown() {
        if (minimum <= 24) {
            return false;
        }
        --minimum;
        return true;
    }

    bool SetMaximum(int note) {
        if (!IsValidMaximum(note)) {
            return false;
        }
        maximum = note;
        return true;
    }
    bool SetMinimum(int note) {
        if (!IsValidMinimum(note)) {
            return false;
        }
        minimum = note;
        return true;
    }
};

}  // namespace voxnote
