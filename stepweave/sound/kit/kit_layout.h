#pragma once
// The names of a kit's 17 slots. Slot 0 is the unnamed blank slot; slots
// 1..16 carry the instrument labels by which the sequencer finds its sounds:
// the name padded with blanks to 10 characters, then "[ ]" where a pattern
// cell carries its level digit.
#include <array>
#include <string_view>

namespace stepweave {

inline constexpr int kKitSlotCount = 17;

inline constexpr std::array<std::string_view, kKitSlotCount> kKitSlotNames = {
    "",
    "Kick      [ ]", "Short Kick[ ]", "Snare     [ ]", "ClsHiat   [ ]",
    "OpHiat    [ ]", "Tom1      [ ]", "Tom2      [ ]", "Cymbol1   [ ]",
    "Cymbol2   [ ]", "Rimshot   [ ]", "Shaker    [ ]", "Block     [ ]",
    "Congo     [ ]", "Cowbell   [ ]", "Crack     [ ]", "Tamb      [ ]",
};

}  // namespace stepweave
