#pragma once
// Places the audio buffers of an output stream on the steady clock, so that
// a message sent at time t sounds at the sample that belongs to t (plus a
// constant latency), not at the start of whichever buffer comes next.
//
// Buffers follow one another at exactly their length in samples. A buffer
// must never cover a time that has not come yet (a message for it could
// still be sent), so a callback observed earlier than the sequence expects
// (the output asks for several buffers at once) moves the sequence back to
// it at once; one observed later moves it forward only slowly, following the
// drift between the sound card's clock and the system's. An observation far
// later (the stream stalled, or started again) starts the sequence anew.
#include <cstdint>

namespace voxnote {

class AudioTimeline {
public:
    explicit AudioTimeline(double sampleRate);

    // The clock time (microseconds) that the first frame of the buffer of
    // `frames` rendered now belongs to, given the latest time that this
    // buffer may cover (the clock at this callback less a margin).
    int64_t NextBuffer(int64_t observedUs, unsigned frames);

    void Restart() { started_ = false; }

private:
    double sampleRate_;
    bool started_ = false;
    double expectedUs_ = 0;
};

}  // namespace voxnote
