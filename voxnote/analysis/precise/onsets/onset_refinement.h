#pragma once
// Where a sound really begins. The frames place a note's start to within a
// frame or two; a fine level envelope (128-sample windows every 32 samples)
// moves it to the first step where the sound is within 12 dB of the level it
// reaches just after the start. A sound that is already that loud where the
// search begins (a note that follows another without a gap) keeps the start
// the frames gave it, unless the search begins at the file's first sample.
#include <cstdint>
#include <span>

namespace voxnote::precise {

// The refined start sample of a sound whose frames start at `start`; the
// answer lies in [max(earliest, start - 40 ms), start + 30 ms] and never
// before `earliest` (the end of the previous note, or 0).
int64_t RefineOnset(std::span<const int16_t> samples, int64_t earliest, int64_t start);

}  // namespace voxnote::precise
