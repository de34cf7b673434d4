#include "voxnote/app/conversion/detector_session.h"

#include <algorithm>
#include <cstring>

namespace voxnote {

namespace {

void PassFrameOn(void* context, uint32_t frameIndex, const PitchFrame& frame) {
    static_cast<PitchFrameSink*>(context)->OnFrame(frameIndex, frame);
}

}  // namespace

DetectorSession::DetectorSession(DetectorState& state, PitchFrameSink* frames) : state_(state), frames_(frames) {}

DetectorSession::~DetectorSession() {
    if (frames_) {
        SetFrameObserver(state_, nullptr, nullptr);
    }
}

void DetectorSession::Start(const DetectorHeaderSettings& settings) {
    RefreshDetectorSettings(state_, settings);
    SetFrameObserver(state_, frames_ ? PassFrameOn : nullptr, frames_);
    ResetDetector(state_, 0);
}

bool DetectorSession::Analyse(std::span<const int16_t> samples) {
    const size_t count = std::min<size_t>(samples.size(), kBlockSamples);
    if (count > 0) {
        std::memcpy(InputArea(state_), samples.data(), count * sizeof(int16_t));
    }
    return AnalyseBlock(state_, static_cast<uint32_t>(count * sizeof(int16_t))) != 0;
}

bool DetectorSession::Flush() {
    return FlushDetector(state_) != 0;
}

void DetectorSession::Abandon() {
    Flush();
}

bool DetectorSession::NextEvent(AnalysedNoteEvent& event) {
    NoteEvent slot;
    if (!DrainEvents(state_, slot)) {
        return false;
    }
    event.message = slot.message;
    event.timeMs = slot.timeMs;
    return true;
}

}  // namespace voxnote
