#include "stepweave/sound/mixer/clock_to_frame_mapping.h"

#include <algorithm>
#include <cmath>

namespace stepweave {

void ClockToFrameMapping::Observe(int64_t frame, uint32_t now) {
    if (!started_) {
        started_ = true;
        lastReading_ = now;
        unwrappedReading_ = now;
        anchorFrame_ = frame;
        estimate_ = static_cast<double>(now);
        readingsSinceStart_ = 1;
        return;
    }
    unwrappedReading_ += static_cast<int32_t>(now - lastReading_);
    lastReading_ = now;

    const double predicted = estimate_ + static_cast<double>(frame - anchorFrame_) / framesPerMillisecond_;
    const double error = static_cast<double>(unwrappedReading_) - predicted;
    anchorFrame_ = frame;
    if (std::fabs(error) > kRestartMilliseconds) {
        estimate_ = static_cast<double>(unwrappedReading_);
        readingsSinceStart_ = 1;
        return;
    }
    // Early on, every reading weighs as much as all before it together (a
    // running mean), so the estimate settles quickly; later each one only
    // nudges it.
    ++readingsSinceStart_;
    double weight = std::max(kSmoothing, 1.0 / readingsSinceStart_);
    // A callback can come late but never early. A reading clearly earlier
    // than predicted means the estimate ran late: the late readings of a
    // stalled device pulled it along. It returns quickly rather than over
    // seconds, during which every sound would land early.
    if (error < -kEarlyReadingMilliseconds) {
        weight = std::max(weight, kEarlyCorrection);
    }
    estimate_ = predicted + error * weight;
}

int64_t ClockToFrameMapping::FrameFor(uint32_t time, uint32_t latencyMilliseconds) const {
    const int64_t unwrappedTime = unwrappedReading_ + static_cast<int32_t>(time - lastReading_);
    const double millisecondsAfterAnchor =
        static_cast<double>(unwrappedTime) + latencyMilliseconds - estimate_;
    return anchorFrame_ + std::llround(millisecondsAfterAnchor * framesPerMillisecond_);
}

}  // namespace stepweave
