#include "voxnote/analysis/precise/pitch/pitch_track.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace voxnote::precise {

namespace {

// Log-probabilities of the decode.
constexpr float kGlideSemitones = 0.5f;     // typical pitch movement from one frame to the next
constexpr float kJumpFloor = 0.01f;         // any larger move, a note change
constexpr float kOctaveJumpFloor = 0.001f;  // a move by whole octaves (within a semitone)
constexpr float kOctaveSlack = 1.0f;
constexpr float kVoicingSwitch = 0.03f;     // voiced to unvoiced or back
constexpr float kYinTrust = 0.5f;           // share of the candidates' probability believed
constexpr float kUnvoicedLikelihood = 0.1f; // scale of the unvoiced state's likelihood
constexpr float kSmallest = 1e-9f;
constexpr float kImpossible = -std::numeric_limits<float>::infinity();

float LogOf(float value) { return std::log(std::max(value, kSmallest)); }

// A jump by whole octaves is far more often a candidate at the wrong octave
// than a leap that was sung or played.
bool IsOctaveJump(float interval) {
    return interval > 12.0f - kOctaveSlack && std::fabs(interval - 12.0f * std::round(interval / 12.0f)) < kOctaveSlack;
}

float LogMove(float fromPitch, float toPitch) {
    const float distance = (toPitch - fromPitch) / kGlideSemitones;
    const float jump = IsOctaveJump(std::fabs(toPitch - fromPitch)) ? kOctaveJumpFloor : kJumpFloor;
    return std::log(std::exp(-0.5f * distance * distance) + jump);
}

// Log-likelihoods of the frame's states; unused candidate states impossible.
void FrameLikelihoods(const FrameCandidates& frame, float* likelihood, int unvoiced) {
    for (int i = 0; i < unvoiced; ++i) {
        likelihood[i] = i < frame.count ? LogOf(kYinTrust * frame.candidates[static_cast<size_t>(i)].probability)
                                        : kImpossible;
    }
    likelihood[unvoiced] = LogOf((1.0f - kYinTrust * std::min(1.0f, frame.voicedProbability)) * kUnvoicedLikelihood);
}

}  // namespace

PitchTrackDecoder::PitchTrackDecoder(size_t largestFrameCount) : cameFrom_(largestFrameCount * kStates) {}

void PitchTrackDecoder::Decode(std::span<const FrameCandidates> frames, std::span<PitchTrackFrame> track) {
    const size_t count = std::min({frames.size(), track.size(), cameFrom_.size() / kStates});
    if (count == 0) return;
    const float logStay = std::log(1.0f - kVoicingSwitch);
    const float logSwitch = std::log(kVoicingSwitch);

    float score[kStates];
    float likelihood[kStates];
    FrameLikelihoods(frames[0], likelihood, kUnvoiced);
    for (int s = 0; s < kStates; ++s) score[s] = likelihood[s];

    for (size_t t = 1; t < count; ++t) {
        const FrameCandidates& before = frames[t - 1];
        const FrameCandidates& now = frames[t];
        FrameLikelihoods(now, likelihood, kUnvoiced);
        float next[kStates];
        uint8_t* from = &cameFrom_[t * kStates];
        for (int s = 0; s < kStates; ++s) {
            float best = kImpossible;
            int bestFrom = kUnvoiced;
            if (likelihood[s] != kImpossible) {
                const bool voiced = s != kUnvoiced;
                for (int p = 0; p < before.count; ++p) {
                    float move = voiced ? logStay + LogMove(before.candidates[static_cast<size_t>(p)].pitch,
                                                             now.candidates[static_cast<size_t>(s)].pitch)
                                        : logSwitch;
                    if (score[p] + move > best) {
                        best = score[p] + move;
                        bestFrom = p;
                    }
                }
                const float fromUnvoiced = score[kUnvoiced] + (voiced ? logSwitch : logStay);
                if (fromUnvoiced > best) {
                    best = fromUnvoiced;
                    bestFrom = kUnvoiced;
                }
                best += likelihood[s];
            }
            next[s] = best;
            from[s] = static_cast<uint8_t>(bestFrom);
        }
        std::copy(next, next + kStates, score);
    }

    int state = static_cast<int>(std::max_element(score, score + kStates) - score);
    for (size_t t = count; t-- > 0;) {
        const bool voiced = state != kUnvoiced;
        track[t].voiced = voiced;
        track[t].pitch = voiced ? frames[t].candidates[static_cast<size_t>(state)].pitch : 0.0f;
        if (t > 0) state = cameFrom_[t * kStates + static_cast<size_t>(state)];
    }
}

}  // namespace voxnote::precise
