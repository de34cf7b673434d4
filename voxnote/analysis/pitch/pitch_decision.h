#pragma once
// The frame pitch decision: from one channel-table row, the single pitch of
// the frame (or none), and the band level that suits it.
#include <cstdint>

#include "voxnote/analysis/filterbank/channel_table.h"
#include "voxnote/analysis/pitch/pitch_candidates.h"
#include "voxnote/analysis/pitch/pitch_frame.h"

namespace voxnote {

struct DetectorState;

// A channel-table row describes the sound about seven frames before the frame
// measured when the row is completed: the slowest filters are centred some 850
// samples back, and every tracker reports one frame's worth of whole periods
// from the start of the frame before. (A tone that changes pitch in the middle
// of frame f shows the change halfway in row f + 7.) Row r therefore decides
// the pitch of frame r - 7, so that a frame's pitch belongs to the same stretch
// of sound as its weight; the first seven rows describe the time before the run
// and are dropped. The segmenter thus runs seven frames behind the
// measurement, which the eight frames of a flush cover.
constexpr uint32_t kRowLagFrames = 7;

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
