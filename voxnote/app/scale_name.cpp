#include "voxnote/app/scale_name.h"

namespace voxnote {

namespace {
constexpr std::string_view kScaleNames[kScaleCount] = {
    "CMaj/AMin",  "DbMaj/BbMin", "DMaj/BMin",  "EbMaj/CMin", "EMaj/C#Min", "FMaj/DMin", "GbMaj/EbMin",
    "GMaj/EMin",  "AbMaj/FMin",  "AMaj/F#Min", "BbMaj/GMin", "BMaj/G#Min", "Chromatic"};
}

std::string_view ScaleName(int scale) {
    if (scale < 0 || scale >= kScaleCount) {
        return {};
    }
    return kScaleNames[scale];
}

int ScaleUp(int scale) { return scale + 1 >= kScaleCount || scale < 0 ? 0 : scale + 1; }

int ScaleDown(int scale) { return scale - 1 < 0 || scale >= kScaleCount ? kChromaticScale : scale - 1; }

}  // namespace voxnote
