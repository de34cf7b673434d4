#pragma once
// The fixed description of the 29 band channels: where each one's frame clock
// starts, where its entries go in the channel table, which period interval it
// accepts, how its strength is scaled and how much hysteresis its tracker uses.
#include <array>
#include <cstdint>

namespace voxnote {

constexpr int kChannelCount = 29;

struct BandTableRow {
    int16_t clockStartBytes;    // frame clock start (negative: the channel's delay)
    uint16_t columnOffsetBytes; // first entry in the channel table: row*116 + channel*4
    int16_t lowerBoundBytes;    // shortest accepted period, bytes of 32-bit samples
    int16_t windowBytes;        // accepted periods: lower bound .. lower bound + window
    uint16_t strengthPacked;    // low byte: strength scale shift, high byte: offset
    uint16_t hysteresis;        // h: the tracker confirms an extremum after 2h
};

using BandTable = std::array<BandTableRow, kChannelCount>;

// Channel k passes pitch steps 80+24k .. 130+24k (about 57 Hz for channel 0 up to
// about 2760 Hz for channel 28).
extern const BandTable kBandTable;

}  // namespace voxnote
