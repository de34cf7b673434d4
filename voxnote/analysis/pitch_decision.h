#pragma once
// The frame pitch decision: from one channel-table row, the single pitch of
// the frame (or none), and the band level that suits it.
#include <cstdint>

#include "voxnote/analysis/channel_table.h"
#include "voxnote/analysis/pitch_candidates.h"
#include "voxnote/analysis/pitch_frame.h"

namespace voxnote {

struct DetectorState;

// A channel-table row describes the sound about six frames before the frame
// measured when the row is completed: the slowest filters are centred some 850
// samples back and every tracker reports the period of the frame before. Row r
// therefore decides the pitch of frame r - 6, so that a frame's pitch belongs to
// the same stretch of sound as its level; the first six rows describe the time
// before the run and are dropped. (The segmenter thus runs about seven frames
// behind the measurement, which the eight frames of a flush cover.)
constexpr uint32_t kRowLagFrames = 6;

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
