#pragma once
// The fixed list of 49 instrument labels. The index of a label is the
// instrument number used throughout the sequencer, and the label is what a
// pattern cell holds:
//   0        the empty label (silence)
//   1..16    the kit's instruments, labelled like the kit's slots
//            ("Kick      [ ]": name padded to 10, then "[", level, "]")
//   17..48   the user samples "Sample1".."Sample32" (sample = index - 16)
#include <string_view>

namespace stepweave {

class InstrumentList {
public:
    static constexpr int kCount = 49;
    static constexpr int kFirstKitInstrument = 1;
    static constexpr int kLastKitInstrument = 16;
    static constexpr int kFirstUserSample = 17;
    static constexpr int kLastUserSample = 48;
    static constexpr int kNotFound = -1;

    // The label of an index, or "" outside 0..48.
    static std::string_view Label(int index);

    // The index of the label equal to text with letter case ignored, or
    // kNotFound. The empty text finds index 0.
    static int IndexOf(std::string_view text);

    static bool IsKitInstrument(int index) { return index >= kFirstKitInstrument && index <= kLastKitInstrument; }
    static bool IsUserSample(int index) { return index >= kFirstUserSample && index <= kLastUserSample; }
    // The user sample number 1..32 of a sample index.
    static int UserSampleNumber(int index) { return index - kLastKitInstrument; }
};

}  // namespace stepweave
