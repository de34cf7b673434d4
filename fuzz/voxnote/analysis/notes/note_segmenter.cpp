// Feeds arbitrary measured frames, in arbitrary batches, to the note
// segmenter as the analysis hands them on after each block, then ends the run
// as a flush does. Whatever the frames hold, the events that come out are
// note-ons and their note-offs in turn, never back in time, and no note is
// left sounding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fuzz/voxnote/analysis/fuzz_input.h"
#include "voxnote/analysis/detector/detector.h"
#include "voxnote/analysis/notes/note_segmenter.h"

namespace {

using namespace voxnote;
using fuzzing::FuzzInput;

void Require(bool condition) {
    if (!condition) std::abort();
}

// A frame as the measurement and the pitch decision leave it: a level and a
// band level on the coarse log scale, and a pitch step of the pitch range
// (those of a valid channel entry) or none.
PitchFrame FrameFrom(FuzzInput& in) {
    PitchFrame frame;
    frame.weight = in.Word();
    frame.level = in.Word() % 1024;
    frame.bandLevel = in.Word() % 1024;
    const uint16_t pitch = in.Word();
    frame.pitch = pitch >= 0xF000 ? kNoPitch : static_cast<int16_t>(80 + pitch % 710);
    return frame;
}

struct EventChecker {
    bool sounding = false;
    uint8_t note = 0;
    uint32_t lastTime = 0;

    void Drain(DetectorState& state) {
        NoteEvent event;
        while (DrainEvents(state, event)) {
            Require(event.Status() == kNoteOnStatus && event.Note() <= 127 && event.Velocity() <= 127 &&
                    (event.message >> 24) == 0 && event.timeMs >= lastTime);
            lastTime = event.timeMs;
            if (event.Velocity() > 0) {
                Require(!sounding);
                sounding = true;
                note = event.Note();
            } else {
                Require(sounding && event.Note() == note);
                sounding = false;
            }
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto state = std::make_unique<DetectorState>();
    FuzzInput in{data, size};
    RefreshDetectorSettings(*state, fuzzing::SettingsFrom(in));
    ResetDetector(*state, 0);
    DetectorRunningState& running = state->running;
    EventChecker events;
    while (in.size > 0) {
        // A batch: how many frames a block finished (at most what the stream holds), then those frames.
        const int room = kFrameStreamCapacity - running.frameWrite;
        const int count = std::min(room, int{in.Byte()});
        for (int i = 0; i < count; ++i) state->frames[running.frameWrite++] = FrameFrom(in);
        running.frameDecided = running.frameWrite;
        RunNoteSegmenter(*state, running.frameWrite);
        CompactFrameStream(*state);
        events.Drain(*state);
        if (count == 0) break;
    }
    if (running.segmenter.phase != SegmenterPhase::kIdle) EndNote(*state, running.segmenter.position);
    events.Drain(*state);
    Require(!events.sounding || OkFlag(*state) == 0);
    return 0;
}
