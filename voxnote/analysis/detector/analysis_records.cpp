#include "voxnote/analysis/detector/analysis_records.h"

#include <new>
#include <optional>

#include "voxnote/analysis/capture/capture_messages.h"

namespace voxnote {

std::optional<AnalysisRecords> AllocateAnalysisRecords(CapturePrompt& prompt) {
    AnalysisRecords records;
    records.detector.reset(new (std::nothrow) DetectorState{});
    if (!records.detector) {
        prompt.ShowMessage(CaptureMessageText(CaptureMessage::DetectorAllocation));
        return std::nullopt;
    }
    records.eventSlot.reset(new (std::nothrow) NoteEvent{});
    if (!records.eventSlot) {
        prompt.ShowMessage(CaptureMessageText(CaptureMessage::EventSlotAllocation));
        return std::nullopt;
    }
    return records;
}

}  // namespace voxnote
