#pragma once
// The two records the main window allocates once at start-up and hands to the
// live capture: the analysis record ("VXNDS") and the one-event slot ("EVS").
// A failed allocation shows its message; the window then fails to start.
#include <memory>
#include <optional>

#include "voxnote/analysis/capture/capture_prompt.h"
#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/notes/note_event.h"

namespace voxnote {

struct AnalysisRecords {
    std::unique_ptr<DetectorState> detector;  // zero-filled
    std::unique_ptr<NoteEvent> eventSlot;
};

// Both records, or nothing (after the message) when either cannot be had.
std::optional<AnalysisRecords> AllocateAnalysisRecords(CapturePrompt& prompt);

}  // namespace voxnote
