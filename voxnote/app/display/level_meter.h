#pragma once
#include "voxnote/app/skin/skin_geometry.h"

namespace voxnote {

// The input-level bar of the meter area: 25 segments, lit from the bottom.
// The bar jumps up to a louder level at once and falls back one segment per
// redraw. Two indicator lamps above it follow the analysis's two indicator
// flags; the first one stays lit for two more redraws after its flag clears.
class LevelMeter {
public:
    static constexpr int kSegmentCount = 25;
    static constexpr int kDarkSegmentBitmap = 205;
    static constexpr int kDarkIndicatorBitmap = 235;
    static constexpr int kFirstIndicatorBitmap = 237;
    static constexpr int kSecondIndicatorBitmap = 236;
    static constexpr SkinPoint kFirstIndicatorPosition{12, 66};
    static constexpr SkinPoint kSecondIndicatorPosition{39, 66};

    // Where segment i (0 at the bottom) is drawn.
    static SkinPoint SegmentPosition(int segment) { return {23, 177 - 4 * segment}; }
    // The bitmap of a lit segment: green, yellow, then red towards the top.
    static int LitSegmentBitmap(int segment);
    // The bar height that an analysis level asks for; -1 for a level of 20 or
    // less, which asks for nothing.
    static int TargetHeight(int level);

    // One redraw's worth of analysis output. Without input being processed
    // the bar drops to nothing and the lamps go dark.
    void Update(int level, bool firstFlag, bool secondFlag, bool inputProcessed);
    void Reset();

    int Height() const { return height_; }
    bool IsFirstIndicatorLit() const { return firstLit_; }
    bool IsSecondIndicatorLit() const { return secondLit_; }
    int SegmentBitmap(int segment) const { return segment < height_ ? LitSegmentBitmap(segment) : kDarkSegmentBitmap; }
    int FirstIndicatorBitmap() const { return firstLit_ ? kFirstIndicatorBitmap : kDarkIndicatorBitmap; }
    int SecondIndicatorBitmap() const { return secondLit_ ? kSecondIndicatorBitmap : kDarkIndicatorBitmap; }

private:
    static constexpr int kFirstIndicatorHold = 2;

    int height_ = 0;
    bool firstLit_ = false;
    bool secondLit_ = false;
    int firstHold_ = 0;
};

}  // namespace voxnote
