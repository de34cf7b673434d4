#pragma once
// The length of a recording as the WAV dialog shows it: minutes, seconds
// with up to three decimals (trailing zeros dropped), or milliseconds alone
// for sounds under a second, e.g. "1 min 30.5 secs ", "500 msecs ".
#include <cstdint>
#include <string>

namespace voxnote {

std::string DurationText(uint64_t milliseconds);

}  // namespace voxnote
