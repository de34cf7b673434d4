#pragma once
// Brings a sound from the synthesis rate down to the output rate: a
// windowed-sinc low-pass that removes everything above about 21 kHz, then
// every second sample. The filter is centred, so the sound is not delayed.
#include <vector>

namespace stepweave {

std::vector<double> DecimateByTwo(const std::vector<double>& samples);

}  // namespace stepweave
