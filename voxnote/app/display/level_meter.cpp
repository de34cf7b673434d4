#include "voxnote/app/display/level_meter.h"

#include <algorithm>

namespace voxnote {

int LevelMeter::LitSegmentBitmap(int segment) {
    if (segment <= 7) {
        return 206;
    }
    return segment <= 12 ? 207 : 209;
}

int LevelMeter::TargetHeight(int level) {
    // Levels grow by 60 per doubling of the amplitude; three level units per
    // segment, with the yellow and red zones starting at 45 and 60.
    if (level <= 20) {
        return -1;
    }
    int height = 0;
    if (level <= 44) {
        height = (level - 20) / 3;
    } else if (level <= 59) {
        height = 8 + (level - 45) / 3;
    } else {
        height = 13 + (level - 60) / 3;
    }
    return std::min(height, kSegmentCount);
}

void LevelMeter::Update(int level, bool firstFlag, bool secondFlag, bool inputProcessed) {
    if (!inputProcessed) {
        Reset();
        return;
    }
    height_ = std::max(height_ - 1, std::max(TargetHeight(level), 0));

    if (firstFlag) {
        firstHold_ = kFirstIndicatorHold;
        firstLit_ = true;
    } else if (firstHold_ > 0) {
        --firstHold_;
        firstLit_ = true;
    } else {
        firstLit_ = false;
    }
    secondLit_ = secondFlag;
}

void LevelMeter::Reset() {
    height_ = 0;
    firstLit_ = false;
    secondLit_ = false;
    firstHold_ = 0;
}

}  // namespace voxnote
