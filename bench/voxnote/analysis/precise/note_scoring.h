#pragma once
// The note F-measures of transcription. An estimated note matches a
// reference note when its onset lies within 50 ms and its pitch within 50
// cents (the same MIDI note); with offsets, its offset must also lie within
// 50 ms or a fifth of the reference note's length, whichever is more. Each
// note matches at most once, the closest onsets first. Onset scoring
// (percussion) ignores the pitch.
//
// An octave error is an estimate that matches nothing and lies, for at least
// half its length, on a reference note a whole number of octaves away: the
// note heard at the wrong octave, for all of it or for a part.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "bench/voxnote/analysis/precise/evaluation_item.h"

namespace voxnote::evaluation {

inline constexpr double kOnsetTolerance = 0.050;
inline constexpr double kShortestOffsetTolerance = 0.050;
inline constexpr double kOffsetToleranceShare = 0.2;

struct EstimatedNote {
    double onsetSeconds = 0;
    double offsetSeconds = 0;
    int note = 0;
};

struct Score {
    size_t references = 0;
    size_t estimates = 0;
    size_t matches = 0;
    size_t offsetMatches = 0;  // matches whose offset is right as well
    size_t octaveErrors = 0;
    size_t resung = 0;         // reference notes re-sung (or replayed) on the pitch before, without silence
    size_t resungFound = 0;

    void Add(const Score& other) {
        references += other.references;
        estimates += other.estimates;
        matches += other.matches;
        offsetMatches += other.offsetMatches;
        octaveErrors += other.octaveErrors;
        resung += other.resung;
        resungFound += other.resungFound;
    }
    static double F1Of(size_t matched, size_t references, size_t estimates) {
        return references + estimates > 0 ? 2.0 * matched / static_cast<double>(references + estimates) : 0.0;
    }
    double Precision() const { return estimates ? double(matches) / estimates : 0.0; }
    double Recall() const { return references ? double(matches) / references : 0.0; }
    double F1() const { return F1Of(matches, references, estimates); }
    double OffsetF1() const { return F1Of(offsetMatches, references, estimates); }
};

// For each reference note, the estimate matched to it, or -1.
inline std::vector<int> MatchNotes(const std::vector<ReferenceNote>& references,
                                   const std::vector<EstimatedNote>& estimates, bool onsetsOnly, bool withOffsets) {
    struct Pair {
        double distance;
        size_t reference;
        size_t estimate;
    };
    std::vector<Pair> pairs;
    for (size_t r = 0; r < references.size(); ++r) {
        const ReferenceNote& reference = references[r];
        const double offsetTolerance = std::max(
            kShortestOffsetTolerance, kOffsetToleranceShare * (reference.offsetSeconds - reference.onsetSeconds));
        for (size_t e = 0; e < estimates.size(); ++e) {
            const double distance = std::fabs(estimates[e].onsetSeconds - reference.onsetSeconds);
            if (distance > kOnsetTolerance) continue;
            if (!onsetsOnly && estimates[e].note != reference.note) continue;
            if (withOffsets && std::fabs(estimates[e].offsetSeconds - reference.offsetSeconds) > offsetTolerance) continue;
            pairs.push_back({distance, r, e});
        }
    }
    std::stable_sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) { return a.distance < b.distance; });
    std::vector<int> matchOf(references.size(), -1);
    std::vector<bool> estimateUsed(estimates.size());
    for (const Pair& pair : pairs) {
        if (matchOf[pair.reference] >= 0 || estimateUsed[pair.estimate]) continue;
        matchOf[pair.reference] = static_cast<int>(pair.estimate);
        estimateUsed[pair.estimate] = true;
    }
    return matchOf;
}

inline bool IsOctaveError(const EstimatedNote& estimate, const std::vector<ReferenceNote>& references) {
    const double length = estimate.offsetSeconds - estimate.onsetSeconds;
    for (const ReferenceNote& reference : references) {
        const int apart = std::abs(estimate.note - reference.note);
        if (apart == 0 || apart % 12 != 0) continue;
        const double overlap = std::min(estimate.offsetSeconds, reference.offsetSeconds) -
                               std::max(estimate.onsetSeconds, reference.onsetSeconds);
        if (overlap > 0 && overlap >= 0.5 * length) return true;
    }
    return false;
}

inline Score ScoreNotes(const std::vector<ReferenceNote>& references, const std::vector<EstimatedNote>& estimates,
                        bool onsetsOnly) {
    Score score;
    score.references = references.size();
    score.estimates = estimates.size();
    const std::vector<int> matchOf = MatchNotes(references, estimates, onsetsOnly, false);
    std::vector<bool> matched(estimates.size());
    for (size_t r = 0; r < references.size(); ++r) {
        if (matchOf[r] >= 0) {
            ++score.matches;
            matched[static_cast<size_t>(matchOf[r])] = true;
        }
        if (references[r].resung) {
            ++score.resung;
            if (matchOf[r] >= 0) ++score.resungFound;
        }
    }
    if (onsetsOnly) return score;
    for (int match : MatchNotes(references, estimates, false, true)) score.offsetMatches += match >= 0;
    for (size_t e = 0; e < estimates.size(); ++e) {
        if (!matched[e] && IsOctaveError(estimates[e], references)) ++score.octaveErrors;
    }
    return score;
}

}  // namespace voxnote::evaluation
