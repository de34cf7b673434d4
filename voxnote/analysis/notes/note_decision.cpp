#include "voxnote/analysis/notes/note_decision.h"

#include <cstring>

#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/notes/event_queue.h"

namespace voxnote {
namespace {

constexpr int32_t kShortestNote = 4;  // frames after the attack
constexpr int kWindowBins = 10;
constexpr uint8_t kFixedVelocity = 64;
constexpr int32_t kCentreFine = 5;

void Reject(DetectorState& state) { state.running.segmenter.noteRejected = 1; }

// The attack is skipped: the note starts at the first frame that reaches
// peak - release drop. Returns false when no such frame is left.
bool SkipAttack(DetectorState& state, int32_t endFrame) {
    NoteSegmenter& segmenter = state.running.segmenter;
    const PitchFrame* frames = state.frames;
    int32_t start = segmenter.startFrame;
    if (endFrame - start < kShortestNote) return false;  // too short whatever the levels
    uint16_t threshold = static_cast<uint16_t>(segmenter.peak - state.header.releaseDrop);
    bool belowThreshold = segmenter.peak < state.header.releaseDrop;
    auto below = [&](int32_t f) { return belowThreshold || frames[f].level < threshold; };
    int32_t search = (below(start + 2) || below(start + 1)) ? start + 2 : start;
    while (search < endFrame && below(search)) ++search;
    if (search >= endFrame) return false;
    segmenter.startFrame = search;
    return endFrame - search >= kShortestNote;
}

// Returns false when unpitched frames outweigh pitched ones.
bool FillHistogram(DetectorState& state, int32_t endFrame) {
    uint32_t* histogram = state.histogram;
    std::memset(histogram, 0, sizeof(state.histogram));
    uint64_t pitched = 0, unpitched = 0;
    for (int32_t f = state.running.segmenter.startFrame; f < endFrame; ++f) {
        const PitchFrame& frame = state.frames[f];
        if (frame.pitch >= 0 && frame.pitch < kPitchBins) {
            histogram[frame.pitch] += frame.weight;
            pitched += frame.weight;
        } else {
            unpitched += frame.weight;
        }
    }
    return unpitched <= pitched;
}

// The pitch path: histogram, median, tuning, scale lock, range, transposition.
bool PitchedNote(DetectorState& state, int32_t endFrame, NotePitch& result) {
    if (!FillHistogram(state, endFrame)) return false;
    const DetectorSettingsHeader& header = state.header;
    result = StepToNote(HistogramMedianBin(state.histogram), header.tuning);
    if (header.scaleLock) result.note = LockToScale(result.note, result.fine, header.scale);
    std::optional<int32_t> note =
        RangedTransposedNote(result.note, static_cast<uint8_t>(header.minimumNote),
                             static_cast<uint8_t>(header.maximumNote), header.transposition);
    if (!note) return false;
    result.note = *note;
    return true;
}

}  // namespace

int32_t HistogramMedianBin(const uint32_t* histogram) {
    uint64_t windowSum = 0;
    for (int i = 0; i < kWindowBins; ++i) windowSum += histogram[i];
    uint64_t bestSum = windowSum;
    int best = 0;
    for (int i = 1; i + kWindowBins <= kPitchBins; ++i) {
        windowSum += histogram[i + kWindowBins - 1];
        windowSum -= histogram[i - 1];
        if (windowSum > bestSum) {
            bestSum = windowSum;
            best = i;
        }
    }
    const uint32_t* bins = histogram + best;
    uint64_t total = bestSum;
    if (bins[0] >= total - bins[0]) return best;
    // T - 2*b0 is positive here, since b0 < T - b0.
    uint64_t half = (total - 2 * uint64_t{bins[0]}) / 2;
    uint64_t running = 0;
    for (int k = 1; k < kWindowBins; ++k) {
        running += bins[k];
        if (running >= half) return best + k;
    }
    return best + kWindowBins - 1;
}

NotePitch StepToNote(int32_t medianBin, int32_t tuning) {
    int32_t v = medianBin + 235 - tuning;
    return {v / 10, v % 10};
}

int32_t LockToScale(int32_t note, int32_t fine, int32_t scale) {
    int32_t degree = ((note - scale) % 12 + 12) % 12;
    bool offScale = degree == 1 || degree == 3 || degree == 6 || degree == 8 || degree == 10;
    if (!offScale) return note;
    return fine < 5 ? note - 1 : note + 1;
}

std::optional<int32_t> RangedTransposedNote(int32_t note, uint8_t minimumNote, uint8_t maximumNote,
                                            int32_t transposition) {
    if (note < minimumNote || note > maximumNote) return std::nullopt;
    note += transposition;
    if (note < 0 || note > 127) return std::nullopt;
    return note;
}

Velocity VelocityFromPeak(uint32_t peak, uint32_t velocityBase) {
    if (peak <= velocityBase) return {0, false};
    uint32_t x = 80 * (peak - velocityBase) + 240;
    if (x >= 32768) return {127, true};
    return {static_cast<uint8_t>(x / 256), false};
}

void DecideNote(DetectorState& state, int32_t endFrame) {
    NoteSegmenter& segmenter = state.running.segmenter;
    const DetectorSettingsHeader& header = state.header;
    if (segmenter.peak < header.inputThreshold || !SkipAttack(state, endFrame)) return Reject(state);

    NotePitch pitch{header.constantNote, kCentreFine};
    bool constantNote = header.constantNote >= 0;
    if (!constantNote && !PitchedNote(state, endFrame, pitch)) return Reject(state);

    uint8_t velocity = kFixedVelocity;
    if (header.fixedVolume) {
        state.results.velocityClipped = 0;
    } else {
        Velocity fromPeak = VelocityFromPeak(segmenter.peak, header.velocityBase);
        if (fromPeak.value == 0) return Reject(state);
        state.results.velocityClipped = fromPeak.clipped ? 1 : 0;
        velocity = fromPeak.value;
    }
    state.results.currentNote = static_cast<uint8_t>(pitch.note);
    state.results.fineStep = static_cast<uint8_t>(pitch.fine);
    EmitEvent(state, static_cast<uint8_t>(pitch.note), velocity,
              segmenter.startFrame - segmenter.lastEventFrame);
}

}  // namespace voxnote
