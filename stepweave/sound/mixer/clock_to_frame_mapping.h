#pragma once
// Maps times of the millisecond clock to output frames, so a sound started
// by the main thread at time t begins at the frame that corresponds to
// t plus a constant latency, wherever that falls inside an audio buffer.
//
// The audio thread reports, once per callback, the clock reading and the
// number of the first frame it is about to render. Callbacks arrive with
// jitter (and readings are whole milliseconds), so the time of a frame is not
// taken from the latest reading but from a smoothed estimate: each reading
// nudges the estimate by a small fraction of its error. The estimate follows
// slow drift between the sound card's clock and the system clock, while the
// jitter of single callbacks barely moves it. A reading far off the estimate
// (the first one, or after the device stalled) restarts the estimate there.
//
// Used by the audio thread only: no locks, no allocation.
#include <cstdint>

namespace stepweave {

class ClockToFrameMapping {
public:
    // How much of its error one reading moves the estimate, once settled.
    static constexpr double kSmoothing = 1.0 / 128.0;
    // A reading this much earlier than predicted (more than the readings'
    // own resolution) moves the estimate by this much of its error.
    static constexpr double kEarlyReadingMilliseconds = 1.0;
    static constexpr double kEarlyCorrection = 1.0 / 8.0;
    // Readings further off than this restart the estimate.
    static constexpr double kRestartMilliseconds = 80.0;

    explicit ClockToFrameMapping(uint32_t sampleRate) : framesPerMillisecond_(sampleRate / 1000.0) {}

    // The clock read now is `now`, and the next frame to render is `frame`.
    void Observe(int64_t frame, uint32_t now);

    // The frame at which something stamped `time` sounds, latency later.
    int64_t FrameFor(uint32_t time, uint32_t latencyMilliseconds) const;

    // Estimated clock time (ms, unwrapped) of the frame given in the last Observe.
    double EstimatedTimeOfAnchor() const { return estimate_; }
    bool Started() const { return started_; }

private:
    double framesPerMillisecond_;
    bool started_ = false;
    uint32_t lastReading_ = 0;
    int64_t unwrappedReading_ = 0;  // the last reading, counted past 32-bit wraps
    int64_t anchorFrame_ = 0;
    double estimate_ = 0.0;  // estimated clock time of anchorFrame_
    int64_t readingsSinceStart_ = 0;
};

}  // namespace stepweave
