#pragma once
#include <algorithm>

namespace voxnote {

// Client coordinates of the skinned window: x to the right, y downwards.
struct SkinPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const SkinPoint&, const SkinPoint&) = default;
};

struct SkinSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const SkinSize&, const SkinSize&) = default;
};

// A rectangle given by its edges; right and bottom lie just outside it, so a
// rectangle at (x, y) of size w x h holds the pixels x..x+w-1 and y..y+h-1.
struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static SkinRect At(SkinPoint topLeft, SkinSize size) {
        return {topLeft.x, topLeft.y, topLeft.x + size.width, topLeft.y + size.height};
    }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    SkinPoint TopLeft() const { return {left, top}; }
    bool IsEmpty() const { return right <= left || bottom <= top; }

    bool Contains(SkinPoint point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    // The nearest pixel of the rectangle to the point (the point itself when inside).
    SkinPoint Clamp(SkinPoint point) const {
        if (IsEmpty()) {
            return TopLeft();
        }
        return {std::clamp(point.x, left, right - 1), std::clamp(point.y, top, bottom - 1)};
    }
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

}  // namespace voxnote
