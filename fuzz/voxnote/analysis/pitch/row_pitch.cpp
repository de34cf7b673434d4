// Decides the pitch of arbitrary channel-table rows under arbitrary note
// ranges and tuning: the pitch is none or below the top of the pitch range
// (a virtual fundamental may lie below its bottom), and a row decides the
// same pitch however often it is decided.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fuzz/voxnote/analysis/fuzz_input.h"
#include "voxnote/analysis/detector/detector.h"
#include "voxnote/analysis/pitch/pitch_decision.h"

namespace {

using namespace voxnote;
using fuzzing::FuzzInput;

constexpr int kLargestRows = 8;

// An entry as a period tracker writes it: a coarse-log strength plus the
// channel's offset, and a step of the fine log below 790 (negative for the
// longest intervals) or none.
ChannelTableEntry EntryFrom(FuzzInput& in) {
    ChannelTableEntry entry;
    entry.strength = static_cast<int16_t>(in.Word() % (960 + 256));
    const uint16_t pitch = in.Word();
    entry.pitch = pitch >= 0xF000 ? kNoPitch : static_cast<int16_t>(static_cast<int>(pitch % (1000 + kPitchBins)) - 1000);
    return entry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto state = std::make_unique<DetectorState>();
    FuzzInput in{data, size};
    RefreshDetectorSettings(*state, fuzzing::SettingsFrom(in));
    const PitchBounds bounds = PitchBoundsFromSettings(*state);
    for (int rows = 0; rows < kLargestRows && in.size > 0; ++rows) {
        ChannelTableRow row;
        for (ChannelTableEntry& entry : row) entry = EntryFrom(in);
        ChannelTableRow again;
        std::memcpy(again, row, sizeof row);
        const int16_t pitch = DecideRowPitch(row, bounds);
        if (pitch != kNoPitch && pitch >= kPitchBins) std::abort();
        if (DecideRowPitch(again, bounds) != pitch) std::abort();
    }
    return 0;
}
