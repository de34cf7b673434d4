#pragma once
// What a call on a voice or a sound device comes to. Control calls (play,
// stop, pan, volume, frequency, position) report it and never raise.
#include <cstdint>

namespace stepweave {

enum class SoundResult : uint8_t {
    Ok,
    // A value outside its range: a size, an offset, a volume, a frequency.
    InvalidParameter,
    // A format the mixer cannot play (only 8- or 16-bit PCM, mono or stereo).
    BadFormat,
    // Not enough memory for the voice's bytes.
    OutOfMemory,
    // The output lost its voices (its device was reset underneath them):
    // the voice stops and must be restored and written anew.
    VoiceLost,
    // The mixer's command queue was full; nothing changed.
    QueueFull,
};

}  // namespace stepweave
