#pragma once
// The format tags of a WAV format record that voxnote tells apart.
#include <cstdint>

namespace voxnote {

inline constexpr uint16_t kPcmFormatTag = 1;
inline constexpr uint16_t kExtensibleFormatTag = 0xFFFE;

}  // namespace voxnote
