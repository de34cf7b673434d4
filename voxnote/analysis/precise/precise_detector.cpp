#include "voxnote/analysis/precise/precise_detector.h"

#include "voxnote/analysis/precise/analysis_grid.h"
#include "voxnote/analysis/precise/detector_work.h"
#include "voxnote/analysis/precise/frame_analysis.h"
#include "voxnote/analysis/precise/note_rules.h"
#include "voxnote/analysis/precise/pitched_notes.h"
#include "voxnote/analysis/precise/rhythm_hits.h"

namespace voxnote {

PreciseDetector::PreciseDetector(size_t largestSampleCount)
    : largestSampleCount_(largestSampleCount),
      work_(std::make_unique<precise::DetectorWork>(precise::FrameCount(largestSampleCount))) {}

PreciseDetector::~PreciseDetector() = default;

bool PreciseDetector::Detect(std::span<const int16_t> samples, const DetectorHeaderSettings& settings) {
    precise::DetectorWork& work = *work_;
    work.noteCount = 0;
    work.eventCount = 0;
    if (samples.size() > largestSampleCount_) return false;

    const size_t frameCount = precise::FrameCount(samples.size());
    const bool rhythmMode = settings.constantNote >= 0;
    precise::AnalyseFrames(samples, frameCount, !rhythmMode, work);
    if (rhythmMode) {
        precise::FindRhythmHits(samples, frameCount, settings.releaseDrop, work);
    } else {
        precise::FindPitchedNotes(samples, frameCount, work);
    }
    work.eventCount = RuledNoteEvents(std::span(work.notes).first(work.noteCount), settings, work.events);
    return true;
}

std::span<const DetectedNote> PreciseDetector::Notes() const {
    return std::span(work_->notes).first(work_->noteCount);
}

std::span<const NoteEvent> PreciseDetector::Events() const {
    return std::span(work_->events).first(work_->eventCount);
}

std::vector<NoteEvent> DetectNotesPrecisely(std::span<const int16_t> samples, const DetectorHeaderSettings& settings) {
    PreciseDetector detector(samples.size());
    detector.Detect(samples, settings);
    const std::span<const NoteEvent> events = detector.Events();
    return {events.begin(), events.end()};
}

}  // namespace voxnote
