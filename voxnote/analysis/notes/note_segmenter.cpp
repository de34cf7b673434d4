#include "voxnote/analysis/notes/note_segmenter.h"

#include <algorithm>
#include <cstring>

#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/notes/event_queue.h"
#include "voxnote/analysis/notes/note_decision.h"

namespace voxnote {
namespace {

constexpr uint32_t kNoBandLevelYet = 16384;
constexpr uint32_t kMinimumAfterNote = 16384;
constexpr int32_t kEarlyDecisionFrames = 200;

struct Thresholds {
    uint32_t gap;
    uint32_t drop;
};

void EnterRise(NoteSegmenter& segmenter, uint32_t level) {
    segmenter.lowestBandLevel = kNoBandLevelYet;
    segmenter.peak = level;
    segmenter.phase = SegmenterPhase::kRise;
}

// Returns true when the frame starts a note.
bool HandleIdle(NoteSegmenter& segmenter, uint32_t level, const Thresholds& thresholds) {
    if (level < kQuietLevel) {
        segmenter.runningMinimum = kQuietLevel;
    } else if (level <= segmenter.runningMinimum) {
        segmenter.runningMinimum = level;
    } else if (level - segmenter.runningMinimum > thresholds.gap) {
        return true;
    }
    return false;
}

}  // namespace

void EndNote(DetectorState& state, int32_t endFrame) {
    NoteSegmenter& segmenter = state.running.segmenter;
    if (!segmenter.earlyDecision) DecideNote(state, endFrame);
    segmenter.earlyDecision = 0;
    segmenter.phase = SegmenterPhase::kIdle;
    if (segmenter.noteRejected) {
        segmenter.noteRejected = 0;
        return;
    }
    EmitEvent(state, state.results.currentNote, 0, endFrame - segmenter.startFrame);
    segmenter.lastEventFrame = endFrame;
    segmenter.runningMinimum = kMinimumAfterNote;
}

uint8_t RunNoteSegmenter(DetectorState& state, int32_t availableFrames) {
    NoteSegmenter& segmenter = state.running.segmenter;
    Thresholds thresholds{state.header.reattackGap, state.header.releaseDrop};
    int32_t f = segmenter.position;
    while (f < availableFrames) {
        const PitchFrame& frame = state.frames[f];
        uint32_t level = frame.level;
        switch (segmenter.phase) {
        case SegmenterPhase::kIdle:
            if (HandleIdle(segmenter, level, thresholds)) {
                segmenter.startFrame = f;
                EnterRise(segmenter, level);
            }
            ++f;
            break;
        case SegmenterPhase::kRise:
            if (level > segmenter.peak) {
                segmenter.peak = level;
                ++f;
            } else if (segmenter.peak - level >= thresholds.drop) {
                EndNote(state, f);  // the same frame is then handled in Idle
            } else {
                segmenter.phase = SegmenterPhase::kHold;
                ++f;
            }
            break;
        case SegmenterPhase::kHold:
            if (level <= segmenter.peak - thresholds.drop) {
                EndNote(state, f);
            } else if (frame.bandLevel < segmenter.lowestBandLevel) {
                segmenter.lowestBandLevel = frame.bandLevel;
                segmenter.dipFrame = f;
                ++f;
            } else if (level >= segmenter.lowestBandLevel + thresholds.gap) {
                // Re-attack: the old note ends where the band level dipped and
                // the new one starts there.
                int32_t dip = segmenter.dipFrame;
                EndNote(state, dip);
                segmenter.startFrame = std::max(dip, 0);
                EnterRise(segmenter, level);
                ++f;
            } else if (level > segmenter.peak) {
                EnterRise(segmenter, level);
                ++f;
            } else {
                ++f;
            }
            break;
        }
    }
    segmenter.position = f;
    bool sounding = segmenter.phase != SegmenterPhase::kIdle;
    if (sounding && !segmenter.earlyDecision && f - segmenter.startFrame >= kEarlyDecisionFrames) {
        DecideNote(state, f);
        segmenter.earlyDecision = 1;
    }
    return state.results.ok;
}

void CompactFrameStream(DetectorState& state) {
    DetectorRunningState& running = state.running;
    NoteSegmenter& segmenter = running.segmenter;
    bool keepNote = segmenter.phase != SegmenterPhase::kIdle && !segmenter.earlyDecision;
    int32_t keepFrom = keepNote ? std::min(segmenter.startFrame, segmenter.position) : segmenter.position;
    keepFrom = std::max(keepFrom, 0);
    if (keepFrom == 0) return;
    std::memmove(&state.frames[0], &state.frames[keepFrom],
                 static_cast<size_t>(running.frameWrite - keepFrom) * sizeof(PitchFrame));
    running.frameWrite -= keepFrom;
    running.frameDecided -= keepFrom;
    running.framesBeforeStream += static_cast<uint32_t>(keepFrom);
    segmenter.position -= keepFrom;
    segmenter.startFrame -= keepFrom;
    segmenter.dipFrame -= keepFrom;
    segmenter.lastEventFrame -= keepFrom;
}

}  // namespace voxnote
