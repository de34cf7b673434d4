#include "voxnote/analysis/period_tracker.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "voxnote/analysis/log_scale.h"
#include "voxnote/analysis/pitch_frame.h"

namespace voxnote {
namespace {

constexpr int32_t kFrameBytes = 576;  // 144 samples of 32 bits
constexpr uint32_t kNoSwingYet = std::numeric_limits<uint32_t>::max();
constexpr int32_t kPitchSteps = 790;

// Bookkeeping of a frame's span: the reference is the first extremum confirmed
// after the frame boundary; every later extremum of the same kind extends the
// span to a whole number k of periods. The stored 8-bit count is 2k - 3, so that
// (count + 3) with its lowest bit cleared is 2k, and 0 means no whole period.
uint32_t DoublePeriods(uint8_t count) { return ((count + 3u) & 0xFFu) & ~1u; }

void ExtendSpan(BandChannel& channel, int slot, uint8_t kind, uint32_t position) {
    if (channel.referenceKind[slot] == kNoReference) {
        channel.referenceKind[slot] = kind;
        channel.referencePosition[slot] = position;
        channel.span[slot] = 0;
        channel.cycleCount[slot] = 0;
        return;
    }
    if (channel.referenceKind[slot] != kind) return;
    uint32_t periods = channel.cycleCount[slot] == 0 ? 1 : DoublePeriods(channel.cycleCount[slot]) / 2 + 1;
    channel.cycleCount[slot] = static_cast<uint8_t>(2 * periods - 3);
    channel.span[slot] = static_cast<int32_t>(position - channel.referencePosition[slot]) * 4;
}

void LowerSwings(BandChannel& channel, uint32_t intervalBytes) {
    bool inRange = intervalBytes >= static_cast<uint32_t>(channel.lowerBound) &&
                   intervalBytes <= static_cast<uint32_t>(channel.lowerBound + channel.windowWidth);
    uint32_t swing = 0;
    if (inRange) {
        int64_t difference = int64_t{channel.lastMaxValue} - channel.lastMinValue;
        swing = difference <= 0 ? 0 : static_cast<uint32_t>(difference);
    }
    for (uint32_t& smallest : channel.smallestSwing) smallest = std::min(smallest, swing);
}

void ConfirmExtremum(BandChannel& channel, bool maximum) {
    uint32_t position = channel.runningExtremumPosition;
    uint32_t interval;
    if (maximum) {
        interval = (position - channel.lastMaxPosition) * 4;
        channel.lastMaxPosition = position;
        channel.lastMaxValue = channel.runningExtremum;
    } else {
        interval = (position - channel.lastMinPosition) * 4;
        channel.lastMinPosition = position;
        channel.lastMinValue = channel.runningExtremum;
    }
    LowerSwings(channel, interval);
    uint8_t kind = maximum ? kMaximumReference : kMinimumReference;
    ExtendSpan(channel, 0, kind, position);
    ExtendSpan(channel, 1, kind, position);
}

int16_t EntryPitch(const BandChannel& channel, uint32_t shiftedSwing) {
    uint8_t count = channel.cycleCount[1];
    int32_t span = channel.span[1];
    uint32_t divisor = DoublePeriods(count);
    if (shiftedSwing == 0 || count == 0 || span <= 0 || divisor == 0) return kNoPitch;
    uint64_t interval = (uint64_t{static_cast<uint32_t>(span)} << 16) / divisor;
    if (interval > std::numeric_limits<uint32_t>::max()) return kNoPitch;
    int32_t step = FineLog(static_cast<uint32_t>(interval));
    return step >= kPitchSteps ? kNoPitch : static_cast<int16_t>(step);
}

void CloseFrame(BandChannel& channel, ChannelTableEntry* table) {
    uint32_t shiftedSwing = channel.smallestSwing[2] >> channel.strengthShift;
    ChannelTableEntry& entry = table[channel.columnPosition / sizeof(ChannelTableEntry)];
    entry.strength = static_cast<int16_t>(CoarseLog(shiftedSwing) + channel.strengthOffset);
    entry.pitch = EntryPitch(channel, shiftedSwing);
    channel.columnPosition += kChannelTableRowBytes;

    channel.smallestSwing[2] = channel.smallestSwing[1];
    channel.smallestSwing[1] = channel.smallestSwing[0];
    channel.smallestSwing[0] = kNoSwingYet;
    channel.span[1] = channel.span[0];
    channel.cycleCount[1] = channel.cycleCount[0];
    channel.referenceKind[1] = channel.referenceKind[0];
    channel.referencePosition[1] = channel.referencePosition[0];
    channel.span[0] = 0;
    channel.cycleCount[0] = 0;
    channel.referenceKind[0] = kNoReference;
    channel.frameClock -= kFrameBytes;
}

}  // namespace

void InitialiseBandChannel(BandChannel& channel, const BandTableRow& row) {
    channel = BandChannel{};
    channel.frameClock = row.clockStartBytes;
    channel.columnPosition = row.columnOffsetBytes;
    channel.lowerBound = row.lowerBoundBytes;
    channel.windowWidth = row.windowBytes;
    channel.strengthShift = static_cast<uint8_t>(row.strengthPacked & 0xFF);
    channel.strengthOffset = static_cast<uint8_t>(row.strengthPacked >> 8);
    channel.hysteresisPositive = 2 * int32_t{row.hysteresis};
    channel.hysteresisNegative = -2 * int32_t{row.hysteresis};
    channel.runningExtremum = std::numeric_limits<int32_t>::max();
    for (uint32_t& smallest : channel.smallestSwing) smallest = kNoSwingYet;
}

void TrackBandSample(BandChannel& channel, int32_t value, uint32_t position,
                     ChannelTableEntry* table) {
    if (channel.flags & kSeekingMaximum) {
        if (value > channel.runningExtremum) {
            channel.runningExtremum = value;
            channel.runningExtremumPosition = position;
        } else if (int64_t{value} - channel.runningExtremum < channel.hysteresisNegative) {
            ConfirmExtremum(channel, true);
            channel.flags &= static_cast<uint8_t>(~kSeekingMaximum);
            channel.runningExtremum = value;
            channel.runningExtremumPosition = position;
        }
    } else {
        if (value < channel.runningExtremum) {
            channel.runningExtremum = value;
            channel.runningExtremumPosition = position;
        } else if (int64_t{value} - channel.runningExtremum > channel.hysteresisPositive) {
            ConfirmExtremum(channel, false);
            channel.flags |= kSeekingMaximum;
            channel.runningExtremum = value;
            channel.runningExtremumPosition = position;
        }
    }
    channel.frameClock += 4;
    if (channel.frameClock >= 0) CloseFrame(channel, table);
}

}  // namespace voxnote
