#pragma once
// What the main window hears from a live run, all on the main thread.
#include <cstdint>
#include <string_view>

namespace voxnote {

// The analysis results the live displays show.
struct CaptureDisplay {
    uint8_t level = 0;             // the level meter byte (input level / 10)
    bool inputClipped = false;     // first indicator: the input clipped in the last block
    bool velocityClipped = false;  // second indicator: the last note's velocity clipped
    bool inputProcessed = false;   // a run is recording and its blocks are analysed
    uint8_t currentNote = 0;       // the last detected note
    uint8_t fineStep = 0;          // its tenth-of-a-semitone digit 0..9
};

class CaptureObserver {
public:
    virtual ~CaptureObserver() = default;
    // The device finished a block: refresh the note and the tuning meter
    // (at 14 - fineStep), and a note-learn field.
    virtual void BlockRecorded(const CaptureDisplay&) {}
    // A block was analysed: redraw the level meter, the indicators and the note.
    virtual void BlockAnalysed(const CaptureDisplay&) {}
    // The session moved the record button: a run it ended by itself, a start
    // that failed, or a start or stop that did not come from the button.
    virtual void RecordButtonChanged(bool /*down*/) {}
    // The user chose Higher Priority Processing: store the system settings.
    virtual void HigherPriorityChosen() {}
    // A diagnostic line for the debug output.
    virtual void Trace(std::string_view /*text*/) {}
};

}  // namespace voxnote
