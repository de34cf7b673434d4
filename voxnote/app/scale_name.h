#pragma once
#include <string_view>

#include "voxnote/analysis/detector_header_settings.h"  // kChromaticScale

namespace voxnote {

// Scales 0..11 are the major keys from C upwards (with their relative minor);
// 12 lets every semitone through.
constexpr int kScaleCount = kChromaticScale + 1;

// "CMaj/AMin" .. "BMaj/G#Min", "Chromatic"; empty for a number outside 0..12.
std::string_view ScaleName(int scale);

// The next scale up or down, wrapping around between 12 and 0.
int ScaleUp(int scale);
int ScaleDown(int scale);

}  // namespace voxnote
