#include "voxnote/app/display/scale_step.h"

namespace voxnote {

int ScaleUp(int scale) { return scale + 1 >= kScaleCount || scale < 0 ? 0 : scale + 1; }

int ScaleDown(int scale) { return scale - 1 < 0 || scale >= kScaleCount ? kChromaticScale : scale - 1; }

}  // namespace voxnote
