#pragma once
// The frame pitch decision: from one channel-table row, the single pitch of
// the frame (or none), and the band level that suits it.
#include <cstdint>

#include "voxnote/analysis/channel_table.h"
#include "voxnote/analysis/pitch_candidates.h"
#include "voxnote/analysis/pitch_frame.h"

namespace voxnote {

struct DetectorState;

PitchBounds PitchBoundsFromSettings(const DetectorState& state);

// The pitch of one row (screening marks the row's invalid entries).
int16_t DecideRowPitch(ChannelTableRow& row, const PitchBounds& bounds);

// Replaces the packed band candidates of the frame by the band level that suits
// the larger of this and the previous frame's pitch, and stores the pitch.
void WriteDecidedFrame(PitchFrame& frame, int16_t pitch, int16_t previousPitch);

// Rows of the channel table that every channel has written.
uint32_t CompletedRows(const DetectorState& state);

// Decides every channel-table row that all channels have written, in order,
// into the frame records waiting for it; then moves the unfinished rows to the
// start of the table.
void DecideCompletedRows(DetectorState& state);

}  // namespace voxnote
