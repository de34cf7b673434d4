#pragma once
// The drift between the sound card's sample clock and the system's
// millisecond clock. The analysis counts time in samples, event times are
// system milliseconds; the measured offset lets the event clock follow the
// system clock.
#include <cstdint>
#include <optional>

#include "voxnote/analysis/input/audio_input.h"

namespace voxnote {

// A recording position in milliseconds (samples / 11.025, bytes / 22.05,
// truncated); nothing for a type that has no such meaning.
std::optional<uint32_t> PositionMilliseconds(const CapturePosition& position);

// The time-offset target for the analysis: the system time since the start
// less the device position and 80 ms.
int32_t DriftTarget(uint32_t elapsedMs, uint32_t positionMs);

}  // namespace voxnote
