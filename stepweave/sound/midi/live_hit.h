#pragma once
// A kit hit played from MIDI, as the input thread hands it on: which slot at
// which level, what arrived (note and velocity) and when, on the mixer's
// millisecond clock. Plain data, so that it travels through lock-free queues.
#include <cstdint>

namespace stepweave {

struct LiveHit {
    uint8_t slot = 0;   // kit slot 1..16
    uint8_t level = 1;  // 1..9
    uint8_t note = 0;
    uint8_t velocity = 0;
    uint32_t receivedAt = 0;
};

// A hit as the audio thread started it: `delay` milliseconds after it
// arrived, the time of the first frame it sounds in.
struct HeardHit {
    LiveHit hit;
    int32_t delay = 0;
};

}  // namespace stepweave
