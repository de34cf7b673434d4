#pragma once
// The analysis as its callers use it (live capture and file conversion):
//   RefreshDetectorSettings, ResetDetector, then per block: write the samples
//   into InputArea, AnalyseBlock, DrainEvents until it returns false; at the
//   end FlushDetector and a last DrainEvents.
// Everything lives in the caller's DetectorState; nothing is allocated.
#include <cstdint>

#include "voxnote/analysis/detector/detector_header_settings.h"
#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/notes/note_event.h"
#include "voxnote/analysis/pitch/pitch_frame.h"

namespace voxnote {

// Starts a run: clears everything after the settings header, sets the ok flag,
// and starts the event clock at startTimeMs.
void ResetDetector(DetectorState& state, uint32_t startTimeMs);

// Where the caller writes a block's signed 16-bit mono samples at 11025 Hz
// (at most kInputAreaBytes bytes, kBlockSamples samples).
int16_t* InputArea(DetectorState& state);

// Analyses byteCount bytes of the input area (stages 1..5). An odd sample at the
// end is carried into the next block. Returns the ok flag: 0 once the pending-event
// queue has overflowed. byteCount 0 changes nothing; more than kInputAreaBytes is
// cut to kInputAreaBytes, and an odd last byte is ignored.
uint8_t AnalyseBlock(DetectorState& state, uint32_t byteCount);

// Ends a run: analyses eight frames of silence and ends a note still sounding.
// Returns the ok flag.
uint8_t FlushDetector(DetectorState& state);

// Moves the oldest pending event into slot; false when there is none.
bool DrainEvents(DetectorState& state, NoteEvent& slot);

// Writes the header fields (and the scale-lock flag = scale is not chromatic).
// May be called during a run: a changed constant note, for example, applies to
// the next note decision. The drift target is written too; a caller that wants
// to keep the last measured drift (a file conversion after a live run) starts
// from ReadDetectorSettings.
void RefreshDetectorSettings(DetectorState& state, const DetectorHeaderSettings& settings);
// The header fields as they stand (the drift target included).
DetectorHeaderSettings ReadDetectorSettings(const DetectorState& state);
// The live run's drift measurement moves the event clock toward this offset.
void SetTimeOffsetTarget(DetectorState& state, int32_t targetMs);

// Results for the displays.
uint8_t CurrentNote(const DetectorState& state);
uint8_t CurrentFineStep(const DetectorState& state);  // 0..9 tenths of a semitone
bool InputClipped(const DetectorState& state);        // in the last block
bool VelocityClipped(const DetectorState& state);
uint8_t OkFlag(const DetectorState& state);
uint8_t LevelMeter(const DetectorState& state);       // input level / 10

// Calls observer(context, frameIndex, frame) for every frame as the segmenter
// reads it (frame indices count from 0 at ResetDetector). Kept across resets;
// pass nullptr to stop.
void SetFrameObserver(DetectorState& state, FrameObserver observer, void* context);

}  // namespace voxnote
