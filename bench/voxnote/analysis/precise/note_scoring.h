#pragma once
// The note F-measure of transcription: an estimated note matches a reference
// note when its onset lies within 50 ms and its pitch within 50 cents
// (the same MIDI note); offsets are ignored. Each note matches at most once,
// the closest pairs first. Onset scoring (percussion) ignores the pitch.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "bench/voxnote/analysis/precise/evaluation_set.h"

namespace voxnote::evaluation {

inline constexpr double kOnsetTolerance = 0.050;

struct EstimatedNote {
    double onsetSeconds = 0;
    int note = 0;
};

struct Score {
    size_t references = 0;
    size_t estimates = 0;
    size_t matches = 0;

    void Add(const Score& other) {
        references += other.references;
        estimates += other.estimates;
        matches += other.matches;
    }
    double Precision() const { return estimates ? double(matches) / estimates : 0.0; }
    double Recall() const { return references ? double(matches) / references : 0.0; }
    double F1() const {
        const double p = Precision(), r = Recall();
        return p + r > 0 ? 2 * p * r / (p + r) : 0.0;
    }
};

inline Score ScoreNotes(const std::vector<ReferenceNote>& references, const std::vector<EstimatedNote>& estimates,
                        bool onsetsOnly) {
    struct Pair {
        double distance;
        size_t reference;
        size_t estimate;
    };
    std::vector<Pair> pairs;
    for (size_t r = 0; r < references.size(); ++r) {
        for (size_t e = 0; e < estimates.size(); ++e) {
            const double distance = std::fabs(estimates[e].onsetSeconds - references[r].onsetSeconds);
            if (distance > kOnsetTolerance) continue;
            if (!onsetsOnly && estimates[e].note != references[r].note) continue;
            pairs.push_back({distance, r, e});
        }
    }
    std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) { return a.distance < b.distance; });
    std::vector<bool> referenceUsed(references.size()), estimateUsed(estimates.size());
    Score score{references.size(), estimates.size(), 0};
    for (const Pair& pair : pairs) {
        if (referenceUsed[pair.reference] || estimateUsed[pair.estimate]) continue;
        referenceUsed[pair.reference] = estimateUsed[pair.estimate] = true;
        ++score.matches;
    }
    return score;
}

}  // namespace voxnote::evaluation
