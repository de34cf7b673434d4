#pragma once
#include "voxnote/analysis/detector/detector_header_settings.h"  // kChromaticScale

namespace voxnote {

// Scales 0..11 are the major keys from C upwards (with their relative minor);
// 12 lets every semitone through. Their names are in the string table.
constexpr int kScaleCount = kChromaticScale + 1;

// The next scale up or down, wrapping around between 12 and 0.
int ScaleUp(int scale);
int ScaleDown(int scale);

}  // namespace voxnote
