#include "voxnote/app/conversion/precise_session.h"

#include "voxnote/analysis/precise/precise_detector.h"

namespace voxnote {

void PreciseSession::Start(const DetectorHeaderSettings& settings) {
    settings_ = settings;
    samples_.clear();
    events_.clear();
    nextEvent_ = 0;
}

bool PreciseSession::Analyse(std::span<const int16_t> samples) {
    samples_.insert(samples_.end(), samples.begin(), samples.end());
    return true;
}

bool PreciseSession::Flush() {
    events_ = DetectNotesPrecisely(samples_, settings_);
    nextEvent_ = 0;
    samples_ = {};
    return true;
}

void PreciseSession::Abandon() {
    samples_ = {};
    events_.clear();
    nextEvent_ = 0;
}

bool PreciseSession::NextEvent(AnalysedNoteEvent& event) {
    if (nextEvent_ >= events_.size()) {
        return false;
    }
    event.message = events_[nextEvent_].message;
    event.timeMs = events_[nextEvent_].timeMs;
    ++nextEvent_;
    return true;
}

}  // namespace voxnote
