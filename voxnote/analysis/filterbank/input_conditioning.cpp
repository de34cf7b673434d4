#include "voxnote/analysis/filterbank/input_conditioning.h"

#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/filterbank/smoothing_chain.h"

namespace voxnote {

void ConvertInput(DetectorState& state, uint32_t byteCount) {
    DetectorRunningState& running = state.running;
    int inputSamples = static_cast<int>(byteCount / 2);
    int total = inputSamples + (running.hasCarriedSample ? 1 : 0);
    int paired = total & ~1;

    int32_t* out = state.history + kHistorySamples;
    int next = 0;
    if (running.hasCarriedSample && paired > 0) {
        out[next++] = running.carriedSample;
        running.hasCarriedSample = 0;
    }
    int fromInput = paired - next;
    for (int i = 0; i < fromInput; ++i) out[next++] = state.input[i];
    if (fromInput < inputSamples) {
        running.carriedSample = state.input[inputSamples - 1];
        running.hasCarriedSample = 1;
    }

    int clipped = 0;
    for (int i = 0; i < paired; ++i) {
        if (out[i] >= kClipHigh || out[i] <= kClipLow) ++clipped;
    }
    state.results.inputClipped = clipped > 0 ? 1 : 0;
    running.blockBytes = static_cast<uint32_t>(paired) * 2;
}

void PreFilter(DetectorState& state) {
    int count = static_cast<int>(state.running.blockBytes / 2);
    int32_t* s = state.history;
    int first = kHistorySamples - kPreFilterLookahead;
    for (int n = first; n < first + count; ++n) {
        // Same wrap-around as 32-bit arithmetic (inputs are 16-bit, so it never wraps).
        s[n] = s[n] + 3 * s[n + 1] + 3 * s[n + 2] + s[n + 3];
    }
}

}  // namespace voxnote
