#include "voxnote/app/audio/audio_timeline.h"

#include <cmath>

namespace voxnote {

namespace {

// Later than this, an observation restarts the sequence.
constexpr double kResyncUs = 100000;
// A later observation pulls the sequence a 1024th of the way toward it.
constexpr double kDriftPull = 1.0 / 1024;

}  // namespace

AudioTimeline::AudioTimeline(double sampleRate) : sampleRate_(sampleRate) {}

int64_t AudioTimeline::NextBuffer(int64_t observedUs, unsigned frames) {
    const double observed = static_cast<double>(observedUs);
    if (!started_ || observed < expectedUs_ || observed - expectedUs_ > kResyncUs) {
        expectedUs_ = observed;
        started_ = true;
    } else {
        expectedUs_ += (observed - expectedUs_) * kDriftPull;
    }
    const double start = expectedUs_;
    expectedUs_ += frames * 1e6 / sampleRate_;
    return std::llround(start);
}

}  // namespace voxnote
