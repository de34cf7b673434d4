#include "voxnote/analysis/filterbank/period_tracker.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "voxnote/analysis/filterbank/log_scale.h"
#include "voxnote/analysis/pitch/pitch_frame.h"

namespace voxnote {
namespace {

constexpr int32_t kFrameBytes = 576;  // 144 samples of 32 bits
constexpr uint32_t kNoSwingYet = std::numeric_limits<uint32_t>::max();
constexpr int32_t kPitchSteps = 790;

// Bookkeeping of a frame's span: the reference is the first extremum confirmed
// after the frame boundary; later extrema of the same kind extend the span, a
// whole number k of periods, until it covers a frame's length. So the entry
// written at the next boundary measures one frame's worth of whole periods
// from that frame on; a period longer than a frame runs on into the next one.
// The stored 8-bit count is 2k - 3 (odd, so never 0), so that (count + 3) with
// its lowest bit cleared is 2k; 0 means no whole period yet.
uint32_t DoublePeriods(uint8_t count) { return ((count + 3u) & 0xFFu) & ~1u; }

void ExtendSpan(BandChannel& channel, int slot, uint8_t kind, uint32_t position) {
    if (channel.referenceKind[slot] == kNoReference) {
        channel.referenceKind[slot] = kind;
        channel.referencePosition[slot] = position;
        channel.span[slot] = 0;
        channel.cycleCount[slot] = 0;
    } else if (channel.referenceKind[slot] == kind && channel.span[slot] < kFrameBytes) {
        // k -> k + 1: 2k - 3 grows by 2; from no period (0) to one period (-1).
        channel.cycleCount[slot] = static_cast<uint8_t>(channel.cycleCount[slot] == 0 ? 0xFF : channel.cycleCount[slot] + 2);
        channel.span[slot] = static_cast<int32_t>(position - channel.referencePosition[slot]) * 4;
    }
}

void LowerSwings(BandChannel& channel, uint32_t intervalBytes) {
    // One unsigned comparison: lower bound <= interval <= lower bound + window.
    bool inRange = intervalBytes - static_cast<uint32_t>(channel.lowerBound) <=
                   static_cast<uint32_t>(channel.windowWidth);
    uint32_t swing = 0;
    if (inRange) {
        int64_t difference = int64_t{channel.lastMaxValue} - channel.lastMinValue;
        swing = difference <= 0 ? 0 : static_cast<uint32_t>(difference);
    }
    channel.smallestSwing[0] = std::min(channel.smallestSwing[0], swing);
}

// A maximum (or minimum) of `value` at `position` is confirmed.
void ConfirmExtremum(BandChannel& channel, bool maximum, int32_t value, uint32_t position) {
    uint32_t interval;
    if (maximum) {
        interval = (position - channel.lastMaxPosition) * 4;
        channel.lastMaxPosition = position;
        channel.lastMaxValue = value;
    } else {
        interval = (position - channel.lastMinPosition) * 4;
        channel.lastMinPosition = position;
        channel.lastMinValue = value;
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
    uint64_t interval;
    if (span < 0x10000) {
        // The usual case, a span of a frame or two: a 32-bit division is enough.
        interval = (static_cast<uint32_t>(span) << 16) / divisor;
    } else {
        interval = (uint64_t{static_cast<uint32_t>(span)} << 16) / divisor;
        if (interval > std::numeric_limits<uint32_t>::max()) return kNoPitch;
    }
    int32_t step = FineLog(static_cast<uint32_t>(interval));
    return step >= kPitchSteps ? kNoPitch : static_cast<int16_t>(step);
}

void CloseFrame(BandChannel& channel, ChannelTableEntry* table) {
    // The smallest swing from the start of the frame two back up to now.
    uint32_t smallest = std::min({channel.smallestSwing[0], channel.smallestSwing[1], channel.smallestSwing[2]});
    uint32_t shiftedSwing = smallest >> channel.strengthShift;
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

namespace {

// Runs through values[i..end) looking for a maximum (or, mirrored, a
// minimum); returns the index where one is confirmed, or end. Without
// branches but the one that ends the search: the running extremum follows the
// signal, and the retreat from it (0 for a sample that moved it) is compared
// with the hysteresis. The retreat is never negative and below 2^32, so it is
// exact as an unsigned 32-bit difference.
template <bool kMaximum>
[[gnu::always_inline]] inline int SeekTurn(const int32_t* values, int i, int end, uint32_t twoH, int32_t& extremum,
                                           int& extremumIndex) {
    int32_t best = extremum;
    int bestIndex = extremumIndex;
    for (; i < end; ++i) {
        int32_t value = values[i];
        bool further = kMaximum ? value > best : value < best;
        bestIndex = further ? i : bestIndex;
        best = further ? value : best;
        uint32_t retreat = kMaximum ? static_cast<uint32_t>(best) - static_cast<uint32_t>(value)
                                    : static_cast<uint32_t>(value) - static_cast<uint32_t>(best);
        if (retreat > twoH) break;
    }
    extremum = best;
    extremumIndex = bestIndex;
    return i;
}

}  // namespace

void TrackBandBlock(BandChannel& channel, const int32_t* values, int count, uint32_t position,
                    ChannelTableEntry* table) {
    const uint32_t twoH = static_cast<uint32_t>(channel.hysteresisPositive);
    int i = 0;
    while (i < count) {
        // Samples left before the frame clock reaches 0 (it counts 4 per sample).
        int untilClose = std::max((-channel.frameClock + 3) / 4, 1);
        int segmentStart = i;
        int end = std::min(count, i + untilClose);
        bool seekingMaximum = (channel.flags & kSeekingMaximum) != 0;
        int32_t extremum = channel.runningExtremum;
        // Index of the running extremum relative to `values` (may lie before it).
        int extremumIndex = static_cast<int>(channel.runningExtremumPosition - position);
        while (i < end) {
            i = seekingMaximum ? SeekTurn<true>(values, i, end, twoH, extremum, extremumIndex)
                               : SeekTurn<false>(values, i, end, twoH, extremum, extremumIndex);
            if (i == end) break;
            ConfirmExtremum(channel, seekingMaximum, extremum, position + static_cast<uint32_t>(extremumIndex));
            // The search for the other kind starts at this sample.
            seekingMaximum = !seekingMaximum;
            extremum = values[i];
            extremumIndex = i;
            ++i;
        }
        channel.runningExtremum = extremum;
        channel.runningExtremumPosition = position + static_cast<uint32_t>(extremumIndex);
        channel.flags = seekingMaximum ? static_cast<uint8_t>(channel.flags | kSeekingMaximum)
                                       : static_cast<uint8_t>(channel.flags & ~kSeekingMaximum);
        channel.frameClock += 4 * (end - segmentStart);
        if (channel.frameClock >= 0) CloseFrame(channel, table);
    }
}

}  // namespace voxnote
