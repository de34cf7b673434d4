#pragma once
// The five stages of one block, always run in order 1..5 on the same block:
//  1. input conditioning, time-base smoothing, pre-filter, channel 28, the
//     frame measurement, channels 27-24;
//  2. channels 23-18;  3. channels 17-12;  4. channels 11-6;
//  5. channels 5-0, the frame pitch decisions, the note segmenter, and the
//     move of the sample history. Returns the ok flag.
#include <cstdint>

namespace voxnote {

struct DetectorState;

void AnalysisStage1(DetectorState& state, uint32_t byteCount);
void AnalysisStage2(DetectorState& state);
void AnalysisStage3(DetectorState& state);
void AnalysisStage4(DetectorState& state);
uint8_t AnalysisStage5(DetectorState& state);

// Stage 5 after its band loops: pitch decisions, segmenter, compaction, meter,
// history move. Returns the ok flag.
uint8_t FinishBlock(DetectorState& state);

}  // namespace voxnote
