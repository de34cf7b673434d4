#include "voxnote/analysis/pitch/strongest_candidate_pitch.h"

#include <algorithm>

#include "voxnote/analysis/pitch/harmonic_windows.h"

namespace voxnote {
namespace {

constexpr int32_t kLowPitch = 370;
constexpr int kLowPlaces = 4;
constexpr int kTopCount = 4;
constexpr int32_t kWeakest = 150;
constexpr int32_t kStrongIntruder = 200;
constexpr int32_t kSubharmonicMargin = 200;

struct TopCandidates {
    int count = 0;
    int index[kTopCount] = {};  // into the list, strongest first
};

// Keeps the four strongest; among equal strengths the earlier stays ahead.
void Enter(TopCandidates& top, const CandidateList& list, int index) {
    int32_t strength = list.items[index].strength;
    int place = top.count;
    while (place > 0 && list.items[top.index[place - 1]].strength < strength) --place;
    if (place >= kTopCount) return;
    int last = std::min(top.count, kTopCount - 1);
    for (int i = last; i > place; --i) top.index[i] = top.index[i - 1];
    top.index[place] = index;
    if (top.count < kTopCount) ++top.count;
}

bool InHarmonicWindowAbove(int32_t difference) {
    return kSecondAbove.Holds(difference) || kThirdAbove.Holds(difference) ||
           kFourthAbove.Holds(difference) || kFifthAbove.Holds(difference) ||
           kSixthAbove.Holds(difference) || kSeventhAbove.Holds(difference);
}

// Harmonics above c must be present (as strong as the strongest top candidate)
// and nothing strong may lie between them.
bool PassesHarmonicTest(const CandidateList& list, int c, int32_t strongestTop) {
    const PitchCandidate& candidate = list.items[c];
    int32_t harmonic = candidate.strength;
    for (int i = c + 1; i < list.count; ++i) {
        int32_t difference = list.items[i].pitch - candidate.pitch;
        if (difference > kSeventhAbove.high) break;
        if (InHarmonicWindowAbove(difference)) {
            harmonic = std::max(harmonic, list.items[i].strength);
        } else if (list.items[i].strength >= kStrongIntruder) {
            return false;
        }
    }
    return harmonic >= strongestTop;
}

bool InWindowBelow(int32_t distance) {
    for (const StepWindow& window : kWindowsBelow) {
        if (window.Holds(distance)) return true;
    }
    return false;
}

// No strong candidate may sit just below c or at a sub-harmonic distance.
bool PassesSubharmonicTest(const CandidateList& list, int c) {
    const PitchCandidate& candidate = list.items[c];
    int32_t margin = candidate.strength - kSubharmonicMargin;
    for (int i = c - 1; i >= 0; --i) {
        int32_t distance = candidate.pitch - list.items[i].pitch;
        int32_t strength = list.items[i].strength;
        if (distance > kWindowsBelow[7].high) return true;
        if (kWindowsBelow[7].Holds(distance) && strength < margin) return true;
        if (distance < kWindowsBelow[0].low && strength >= kStrongIntruder) return false;
        if (InWindowBelow(distance) && strength >= margin) return false;
    }
    return true;
}

}  // namespace

std::optional<int32_t> StrongestCandidatePitch(const CandidateList& list, const PitchBounds& bounds) {
    int32_t lowMax = 0;
    int i = 0;
    for (; i < kLowPlaces && i < list.count && list.items[i].pitch < kLowPitch; ++i) {
        lowMax = std::max(lowMax, list.items[i].strength);
    }
    TopCandidates top;
    for (; i <= list.count; ++i) {  // the sentinel ends the walk at the latest
        if (list.items[i].pitch >= bounds.upper) break;
        Enter(top, list, i);
    }
    if (top.count == 0) return std::nullopt;

    int32_t strongestTop = list.items[top.index[0]].strength;
    if (strongestTop < lowMax - 60) return std::nullopt;
    for (int t = 0; t < top.count; ++t) {
        int c = top.index[t];
        if (list.items[c].strength < kWeakest) return std::nullopt;
        if (!PassesHarmonicTest(list, c, strongestTop)) continue;
        if (!PassesSubharmonicTest(list, c)) continue;
        return list.items[c].pitch;
    }
    return std::nullopt;
}

}  // namespace voxnote
