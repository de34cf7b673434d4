#pragma once
#include <string_view>

#include "voxnote/app/skin/skin_geometry.h"

namespace voxnote {

// What a skinned control draws on: named bitmaps at a position, and the short
// green-on-black texts of the display fields.
class SkinCanvas {
public:
    virtual ~SkinCanvas() = default;
    virtual void DrawBitmap(std::string_view name, SkinPoint topLeft) = 0;
    // Clears the field to black and writes the text in green, centred.
    virtual void DrawFieldText(const SkinRect& field, std::string_view text) = 0;
};

}  // namespace voxnote
