#pragma once
// Which waves the sound output plays and the renderer mixes: PCM of 8 or 16
// bits, mono or stereo, with the plain header or the extensible one.
// Anything else (24- or 32-bit PCM, floating point, more channels) would
// sound as noise or not at all, so it is refused where a file comes in, with
// its name and format.
#include <cstdint>
#include <string>

namespace stepweave {

class WaveData;

// "" when the wave can be played; otherwise its format in words, such as
// "24-bit PCM", "32-bit floating point", "PCM with 6 channels",
// "24-bit WAVE_FORMAT_EXTENSIBLE".
std::string UnplayableFormat(const uint8_t* record, int32_t size);
std::string UnplayableFormat(const WaveData& wave);

// WaveStreamError "'%s' cannot be used: it is %s; only 8- or 16-bit PCM, mono
// or stereo, can be played" with the file's (or the sound's) name, for a wave
// that cannot be played.
void CheckPlayableFormat(const uint8_t* record, int32_t size, const std::string& name);
void CheckPlayableWave(const WaveData& wave, const std::string& fileName);

}  // namespace stepweave
