#include "voxnote/analysis/precise/notes/reattack_split.h"

#include <algorithm>
#include <array>

#include "voxnote/analysis/precise/onsets/level_change.h"
#include "voxnote/analysis/precise/onsets/loudness_dip.h"

namespace voxnote::precise {

namespace {

constexpr uint32_t kShortestPart = 4;  // frames (46 ms) on either side of a split
constexpr float kStrongOnset = 4.0f;
constexpr float kStrongAttack = 5.0f;  // an attack-flux onset five times the attack flux around it
constexpr float kRisingFlux = 1.2f;    // where a dip rises again: the flux over the flux around it
constexpr uint32_t kRiseFrames = 5;
constexpr size_t kFluxReach = 10;      // frames either side for the flux around it
constexpr float kFluxFloor = 8.0f;     // flux units, as the onsets' floor
constexpr float kRiseUnderStrongOnset = 20.0f;  // 2 dB in log units
constexpr float kRiseUnderWeakOnset = 60.0f;    // 6 dB: more than a sounding note swells

bool IsReattack(const Onset& onset, std::span<const float> levels) {
    const float rise = onset.strength >= kStrongOnset ? kRiseUnderStrongOnset : kRiseUnderWeakOnset;
    return LevelRisesAt(levels, onset.frame, rise);
}

// Where the segment is parted, in order: each frame is a dip's lowest point
// or a re-attacking onset.
class SplitFinder {
public:
    SplitFinder(const NoteSegment& segment, const ReattackEvidence& evidence, size_t& nextOnset, size_t& nextAttack)
        : segment_(segment), evidence_(evidence), nextOnset_(nextOnset), nextAttack_(nextAttack) {}

    // The first split at or after `from`, or the segment's end.
    uint32_t Next(uint32_t from) {
        const uint32_t last = segment_.endFrame >= kShortestPart ? segment_.endFrame - kShortestPart : 0;
        SkipBefore(evidence_.onsets, nextOnset_, from);
        SkipBefore(evidence_.attackOnsets, nextAttack_, from);
        for (uint32_t f = from; f < last; ++f) {
            if (At(evidence_.onsets, nextOnset_, f) && IsReattack(evidence_.onsets[nextOnset_++], evidence_.levels)) {
                return f;
            }
            if (At(evidence_.attackOnsets, nextAttack_, f) && evidence_.attackOnsets[nextAttack_++].strength >= kStrongAttack) {
                return f;
            }
            if (PartsNotes(MeasureDip(evidence_.fineLevels, f, segment_.startFrame, segment_.endFrame)) && RisesWithAttack(f)) {
                return f;
            }
        }
        return segment_.endFrame;
    }

private:
    // The sound rises out of the dip with a peak of the spectral flux: a new
    // syllable or attack, not the beating of a room with the sound.
    bool RisesWithAttack(uint32_t bottom) const {
        const std::span<const float> fluxes = evidence_.fluxes;
        if (bottom >= fluxes.size()) return false;
        const size_t end = std::min<size_t>(fluxes.size(), bottom + kRiseFrames);
        float strongest = 0.0f;
        for (size_t f = bottom; f < end; ++f) strongest = std::max(strongest, fluxes[f]);
        std::array<float, 2 * kFluxReach + 1> around{};
        size_t count = 0;
        for (size_t f = bottom - std::min<size_t>(bottom, kFluxReach); f <= std::min(fluxes.size() - 1, bottom + kFluxReach); ++f) {
            around[count++] = fluxes[f];
        }
        auto middle = around.begin() + static_cast<long>(count / 2);
        std::nth_element(around.begin(), middle, around.begin() + static_cast<long>(count));
        return strongest >= kRisingFlux * (kFluxFloor + *middle);
    }

    static void SkipBefore(std::span<const Onset> onsets, size_t& next, uint32_t frame) {
        while (next < onsets.size() && onsets[next].frame < frame) ++next;
    }
    static bool At(std::span<const Onset> onsets, size_t next, uint32_t frame) {
        return next < onsets.size() && onsets[next].frame == frame;
    }

    const NoteSegment& segment_;
    const ReattackEvidence& evidence_;
    size_t& nextOnset_;
    size_t& nextAttack_;
};

}  // namespace

size_t SplitAtReattacks(std::span<const NoteSegment> segments, const ReattackEvidence& evidence,
                        std::span<NoteSegment> split) {
    size_t written = 0;
    size_t nextOnset = 0;
    size_t nextAttack = 0;
    for (const NoteSegment& segment : segments) {
        SplitFinder finder(segment, evidence, nextOnset, nextAttack);
        uint32_t start = segment.startFrame;
        for (uint32_t at = finder.Next(start + kShortestPart); at < segment.endFrame;
             at = finder.Next(start + kShortestPart)) {
            if (written < split.size()) split[written++] = {start, at};
            start = at;
        }
        if (written < split.size()) split[written++] = {start, segment.endFrame};
    }
    return written;
}

}  // namespace voxnote::precise
