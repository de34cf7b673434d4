#pragma once
// Which waves the sound output plays and the renderer mixes: PCM of 8 or 16
// bits, mono or stereo. Anything else (24- or 32-bit PCM, floating point,
// more channels, the extensible header) would sound as noise or not at all,
// so it is refused where a file comes in, with its name and format.
#include <string>

namespace stepweave {

class TWave;

// "" when the wave can be played; otherwise its format in words, such as
// "24-bit PCM", "32-bit floating point", "PCM with 6 channels".
std::string UnplayableFormat(const TWave& wave);

// EWaveStreamError "'%s' cannot be used: it is %s; only 8- or 16-bit PCM, mono
// or stereo, can be played" with the file's name, for a wave that cannot be played.
void CheckPlayableWave(const TWave& wave, const std::string& fileName);

}  // namespace stepweave
