#include "voxnote/analysis/pitch/harmonic_scoring.h"

#include <algorithm>
#include <functional>

#include "voxnote/analysis/pitch/harmonic_windows.h"

namespace voxnote {
namespace {

constexpr int kScoredCandidates = 4;
constexpr int32_t kLowestAcceptedStart = 330;
constexpr int32_t kAcceptScore = 600;
constexpr int32_t kVirtualThirdDistance = 190;

// Contributions of a fundamental: itself and its harmonics 2, 3, 4, 5 and 7.
enum Contribution { kFundamental, kSecond, kThird, kFourth, kFifth, kSeventh, kContributions };

struct ScoredFundamental {
    bool accepted = false;
    int32_t pitch = 0;
    int32_t score = 0;
    int32_t contribution[kContributions] = {};
};

int32_t StrengthInWindow(const CandidateList& list, int32_t base, const StepWindow& window) {
    for (int i = 0; i < list.count; ++i) {
        int32_t difference = list.items[i].pitch - base;
        if (difference > window.high) break;
        if (window.Holds(difference)) return list.items[i].strength;
    }
    return 0;
}

void Score(ScoredFundamental& record) {
    int32_t sorted[kContributions];
    std::copy(record.contribution, record.contribution + kContributions, sorted);
    std::sort(sorted, sorted + kContributions, std::greater<int32_t>());
    record.score = sorted[0] + sorted[1] + sorted[2];
    record.accepted = sorted[2] != 0 && record.score > kAcceptScore;
}

void FillHarmonics(ScoredFundamental& record, const CandidateList& list) {
    record.contribution[kSecond] = StrengthInWindow(list, record.pitch, kSecondAbove);
    record.contribution[kFourth] = StrengthInWindow(list, record.pitch, kFourthAbove);
    record.contribution[kFifth] = StrengthInWindow(list, record.pitch, kFifthAbove);
    record.contribution[kSeventh] = StrengthInWindow(list, record.pitch, kSeventhAbove);
}

// Sum of the two largest contributions other than `excluded`.
int32_t TwoLargestWithout(const ScoredFundamental& record, Contribution excluded) {
    int32_t first = 0, second = 0;
    for (int i = 0; i < kContributions; ++i) {
        if (i == excluded) continue;
        int32_t value = record.contribution[i];
        if (value > first) {
            second = first;
            first = value;
        } else if (value > second) {
            second = value;
        }
    }
    return first + second;
}

int32_t OctaveSupport(const ScoredFundamental& record) {
    int32_t odd[3] = {record.contribution[kThird], record.contribution[kFifth],
                      record.contribution[kSeventh]};
    std::sort(odd, odd + 3, std::greater<int32_t>());
    return odd[0] + std::max(odd[1], record.contribution[kFundamental]);
}

// The support a lower record gives for lying `distance` steps below the best.
std::optional<int32_t> SupportAt(const ScoredFundamental& record, int32_t distance) {
    if (StepWindow{118, 122}.Holds(distance)) return OctaveSupport(record);
    if (StepWindow{188, 192}.Holds(distance)) return TwoLargestWithout(record, kThird);
    if (StepWindow{238, 242}.Holds(distance)) return TwoLargestWithout(record, kFourth);
    if (StepWindow{276, 281}.Holds(distance)) return TwoLargestWithout(record, kFifth);
    if (StepWindow{335, 339}.Holds(distance)) return TwoLargestWithout(record, kSeventh);
    return std::nullopt;
}

struct Scoring {
    ScoredFundamental real[kScoredCandidates];
    ScoredFundamental virtuals[kScoredCandidates];
    const ScoredFundamental* best = nullptr;
    int32_t lowestAccepted = kLowestAcceptedStart;

    void Consider(const ScoredFundamental& record) {
        if (!record.accepted) return;
        lowestAccepted = std::min(lowestAccepted, record.pitch);
        if (best == nullptr || record.score + record.pitch > best->score + best->pitch) best = &record;
    }
};

int32_t CorrectOctave(const Scoring& scoring) {
    const ScoredFundamental& best = *scoring.best;
    int32_t threshold = std::max(best.score - 100, 0);
    const ScoredFundamental* order[2 * kScoredCandidates];
    for (int i = 0; i < kScoredCandidates; ++i) {
        order[i] = &scoring.virtuals[i];
        order[kScoredCandidates + i] = &scoring.real[i];
    }
    for (const ScoredFundamental* record : order) {
        if (!record->accepted || record->score <= threshold) continue;
        int32_t half = std::max(record->score / 2, kReferenceStrength);
        std::optional<int32_t> support = SupportAt(*record, best.pitch - record->pitch);
        if (support && *support > half) return record->pitch;
    }
    return best.pitch;
}

}  // namespace

std::optional<int32_t> HarmonicScoringPitch(const CandidateList& list, const PitchBounds& bounds) {
    if (list.count < 3) return std::nullopt;
    Scoring scoring;
    int scored = std::min(list.count, kScoredCandidates);
    for (int i = 0; i < scored; ++i) {
        const PitchCandidate& f = list.items[i];
        if (f.pitch >= bounds.upper) continue;
        ScoredFundamental& record = scoring.real[i];
        record.pitch = f.pitch;
        record.contribution[kFundamental] = f.strength;
        record.contribution[kThird] = StrengthInWindow(list, f.pitch, kThirdAbove);
        FillHarmonics(record, list);
        Score(record);
        scoring.Consider(record);
    }
    for (int i = 0; i < scored; ++i) {
        const PitchCandidate& g = list.items[i];
        int32_t v = g.pitch - kVirtualThirdDistance;
        if (v < bounds.lower || v >= bounds.upper || v >= scoring.lowestAccepted) continue;
        ScoredFundamental& record = scoring.virtuals[i];
        record.pitch = v;
        record.contribution[kThird] = g.strength;
        FillHarmonics(record, list);
        Score(record);
        scoring.Consider(record);
    }
    if (scoring.best == nullptr) return std::nullopt;
    return CorrectOctave(scoring);
}

}  // namespace voxnote
