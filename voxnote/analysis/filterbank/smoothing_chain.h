#pragma once
// How each channel reads the sample history: its tap spacing, how far behind
// the newest pre-filtered sample it reads, and the smoothed sample some loops
// write further back. Each write lands just beyond the reach of its group's
// widest kernel, and the next group reads at that lag, so every group sees the
// signal low-passed once more than the group before.
#include <array>

#include "voxnote/analysis/filterbank/band_table.h"

namespace voxnote {

enum class SmoothingKind : unsigned char {
    kNone,
    kBinomial4,  // 1, 3, 3, 1 at the given spacing
    kBinomial7,  // 1, 6, 15, 20, 15, 6, 1 at spacing 1
};

struct SmoothingWrite {
    SmoothingKind kind = SmoothingKind::kNone;
    int spacing = 0;
    int shift = 0;         // the scale: an arithmetic shift right
    int writtenBack = 0;   // samples behind the channel's read position
};

struct ChannelLayout {
    int spacingNumerator;
    int spacingDenominator;
    int readLag;  // samples behind the newest pre-filtered sample
    SmoothingWrite smoothing;
};

inline constexpr SmoothingWrite kNoWrite{};

constexpr SmoothingWrite Binomial(int spacing, int shift, int writtenBack) {
    return {SmoothingKind::kBinomial4, spacing, shift, writtenBack};
}

inline constexpr std::array<ChannelLayout, kChannelCount> kChannelLayouts = {{
    {96, 1, 2935, kNoWrite},                 // 0
    {83, 1, 2935, kNoWrite},                 // 1
    {72, 1, 2935, kNoWrite},                 // 2
    {63, 1, 1990, Binomial(28, 3, 945)},     // 3
    {55, 1, 1990, kNoWrite},                 // 4
    {48, 1, 1990, kNoWrite},                 // 5
    {42, 1, 1360, Binomial(19, 3, 630)},     // 6
    {37, 1, 1360, kNoWrite},                 // 7
    {32, 1, 1360, kNoWrite},                 // 8
    {28, 1, 940, Binomial(12, 3, 420)},      // 9
    {24, 1, 940, kNoWrite},                  // 10
    {21, 1, 625, Binomial(8, 2, 315)},       // 11
    {37, 2, 625, kNoWrite},                  // 12
    {16, 1, 625, kNoWrite},                  // 13
    {14, 1, 415, Binomial(6, 4, 210)},       // 14
    {12, 1, 415, kNoWrite},                  // 15
    {21, 2, 257, Binomial(4, 1, 158)},       // 16
    {28, 3, 257, kNoWrite},                  // 17
    {8, 1, 257, kNoWrite},                   // 18
    {7, 1, 152, Binomial(3, 4, 105)},        // 19
    {6, 1, 152, kNoWrite},                   // 20
    {16, 3, 152, kNoWrite},                  // 21
    {14, 3, 82, Binomial(2, 2, 70)},         // 22
    {4, 1, 82, kNoWrite},                    // 23
    {7, 2, 82, kNoWrite},                    // 24
    {3, 1, 37, {SmoothingKind::kBinomial7, 1, 7, 45}},  // 25
    {8, 3, 37, kNoWrite},                    // 26
    {7, 3, 0, Binomial(1, 1, 37)},           // 27
    {2, 1, 0, kNoWrite},                     // 28 (reads the pre-filtered signal itself)
}};

// The pre-filter needs three samples ahead, so the newest pre-filtered sample is
// three behind the newest input sample. The slowest channels (lag 2935, reach
// 1440) then need exactly the 4378 samples of history.
constexpr int kPreFilterLookahead = 3;

}  // namespace voxnote
