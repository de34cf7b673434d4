#include "voxnote/analysis/pitch/pitch_decision.h"

#include <algorithm>
#include <cstring>

#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/pitch/harmonic_scoring.h"
#include "voxnote/analysis/pitch/strongest_candidate_pitch.h"

namespace voxnote {

PitchBounds PitchBoundsFromSettings(const DetectorState& state) {
    int32_t minimum = static_cast<uint8_t>(state.header.minimumNote);
    int32_t maximum = static_cast<uint8_t>(state.header.maximumNote);
    return {10 * minimum - 240 + state.header.tuning, 10 * maximum - 220 + state.header.tuning};
}

int16_t DecideRowPitch(ChannelTableRow& row, const PitchBounds& bounds) {
    CandidateList list;
    if (!BuildCandidateList(row, bounds, list)) return kNoPitch;
    std::optional<int32_t> pitch = StrongestCandidatePitch(list, bounds);
    if (!pitch) pitch = HarmonicScoringPitch(list, bounds);
    return pitch ? static_cast<int16_t>(*pitch) : kNoPitch;
}

void WriteDecidedFrame(PitchFrame& frame, int16_t pitch, int16_t previousPitch) {
    uint32_t packed = uint32_t{frame.bandLevel} | (uint32_t{static_cast<uint16_t>(frame.pitch)} << 16);
    uint16_t shortWindow = static_cast<uint16_t>((packed >> 20) & 0x3FF);   // 72 samples
    uint16_t middleWindow = static_cast<uint16_t>((packed >> 10) & 0x3FF);  // 144 samples
    uint16_t longWindow = static_cast<uint16_t>(packed & 0x3FF);            // 288 samples
    int32_t q = std::max(pitch, previousPitch);
    if (q >= 240) {
        frame.bandLevel = shortWindow;
    } else if (q >= 140 || q < 0) {
        frame.bandLevel = middleWindow;
    } else {
        frame.bandLevel = longWindow;
    }
    frame.pitch = pitch;
}

uint32_t CompletedRows(const DetectorState& state) {
    uint32_t completeRows = kChannelTableRows;
    for (const BandChannel& channel : state.channels) {
        completeRows = std::min(completeRows, channel.columnPosition / kChannelTableRowBytes);
    }
    return completeRows;
}

void DecideCompletedRows(DetectorState& state) {
    DetectorRunningState& running = state.running;
    uint32_t completeRows = CompletedRows(state);
    // A row is never complete before the frame it belongs to has been measured.
    uint32_t rowsToDrop = running.rowsCompleted < kRowLagFrames ? kRowLagFrames - running.rowsCompleted : 0;
    uint32_t framesWaiting = static_cast<uint32_t>(running.frameWrite - running.frameDecided);
    completeRows = std::min(completeRows, framesWaiting + rowsToDrop);
    PitchBounds bounds = PitchBoundsFromSettings(state);
    for (uint32_t row = 0; row < completeRows; ++row, ++running.rowsCompleted) {
        // The first rows describe the time before the run started.
        if (running.rowsCompleted < kRowLagFrames) continue;
        int16_t pitch = DecideRowPitch(state.channelTable[row], bounds);
        WriteDecidedFrame(state.frames[running.frameDecided], pitch, running.previousPitch);
        running.previousPitch = pitch;
        ++running.frameDecided;
    }
    if (completeRows == 0) return;
    uint32_t usedRows = 0;
    for (const BandChannel& channel : state.channels) {
        usedRows = std::max(usedRows, (channel.columnPosition + kChannelTableRowBytes - 1) / kChannelTableRowBytes);
    }
    std::memmove(&state.channelTable[0], &state.channelTable[completeRows],
                 (usedRows - completeRows) * kChannelTableRowBytes);
    for (BandChannel& channel : state.channels) {
        channel.columnPosition -= completeRows * kChannelTableRowBytes;
    }
}

}  // namespace voxnote
