// The frame pitch decision over channel-table rows built by hand.
#include "voxnote/analysis/pitch/pitch_decision.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace voxnote {
namespace {

struct Entry {
    int channel;
    int16_t pitch;
    int16_t strength;
};

constexpr PitchBounds kStartUpBounds{10 * 33 - 240, 10 * 101 - 220};

int16_t Decide(std::initializer_list<Entry> entries, PitchBounds bounds = kStartUpBounds) {
    ChannelTableRow row;
    for (ChannelTableEntry& entry : row) entry = {kNoPitch, 0};
    for (const Entry& e : entries) row[e.channel] = {e.pitch, e.strength};
    return DecideRowPitch(row, bounds);
}

// Channel k takes pitch steps 80 + 24k .. 130 + 24k.
TEST(PitchDecision, SingleCandidateAboveTheLowRegion) {
    EXPECT_EQ(Decide({{14, 460, 800}}), 460);
    EXPECT_EQ(Decide({{12, 380, 500}}), 380);
}

TEST(PitchDecision, OneOrTwoLowCandidatesGiveNoPitch) {
    EXPECT_EQ(Decide({{9, 300, 800}}), kNoPitch);
    EXPECT_EQ(Decide({{5, 200, 800}, {9, 300, 700}}), kNoPitch);
}

TEST(PitchDecision, WeakRowsHaveNoPitch) {
    EXPECT_EQ(Decide({{14, 460, 350}}), kNoPitch);
    EXPECT_EQ(Decide({{14, 460, 351}}), 460);
}

TEST(PitchDecision, EntriesOutsideTheirChannelOrTheRangeAreIgnored) {
    EXPECT_EQ(Decide({{14, 470, 800}}), kNoPitch);  // channel 14 covers 416..466
    // Below the minimum note's bound: minimum note 60 gives a bound of 360 + tuning.
    EXPECT_EQ(Decide({{12, 380, 800}}, {10 * 60 - 240, 10 * 101 - 220}), 380);
    EXPECT_EQ(Decide({{11, 350, 800}}, {10 * 60 - 240, 10 * 101 - 220}), kNoPitch);
}

TEST(PitchDecision, NeighboursCloserThanTwentyStepsCountOnce) {
    // The stronger one wins, the higher one on equal strength.
    EXPECT_EQ(Decide({{14, 450, 800}, {15, 465, 700}}), 450);
    EXPECT_EQ(Decide({{14, 450, 700}, {15, 465, 800}}), 465);
    EXPECT_EQ(Decide({{14, 450, 800}, {15, 465, 800}}), 465);
}

TEST(PitchDecision, HarmonicSeriesGivesItsFundamental) {
    // 220 Hz (step 340) with harmonics 2..5: the fundamental, not an overtone.
    EXPECT_EQ(Decide({{9, 340, 700}, {15, 460, 800}, {17, 530, 750}, {19, 580, 700}, {21, 619, 650}}), 340);
    // A low voice without its fundamental (step 200): harmonics 2..5 point at it.
    EXPECT_EQ(Decide({{9, 320, 800}, {12, 390, 780}, {14, 440, 760}, {16, 479, 700}}), 200);
}

TEST(PitchDecision, AStrongOctaveBelowWinsOverTheStrongestCandidate) {
    // Two candidates only: the octave below disqualifies 460, and there are too
    // few candidates for the harmonic scoring.
    EXPECT_EQ(Decide({{9, 340, 780}, {15, 460, 800}}), kNoPitch);
    // With its third harmonic present the lower one is taken.
    EXPECT_EQ(Decide({{9, 340, 780}, {15, 460, 800}, {17, 530, 600}}), 340);
}

TEST(PitchDecision, BandLevelFollowsThePitch) {
    PitchFrame frame;
    auto pack = [&frame](uint16_t shortWindow, uint16_t middle, uint16_t longWindow) {
        uint32_t packed = (uint32_t{shortWindow} << 20) | (uint32_t{middle} << 10) | longWindow;
        frame.bandLevel = static_cast<uint16_t>(packed);
        frame.pitch = static_cast<int16_t>(packed >> 16);
    };
    pack(500, 600, 700);
    WriteDecidedFrame(frame, 460, kNoPitch);
    EXPECT_EQ(frame.bandLevel, 500);
    EXPECT_EQ(frame.pitch, 460);
    pack(500, 600, 700);
    WriteDecidedFrame(frame, kNoPitch, 200);
    EXPECT_EQ(frame.bandLevel, 600);
    pack(500, 600, 700);
    WriteDecidedFrame(frame, 100, 50);
    EXPECT_EQ(frame.bandLevel, 700);
    pack(500, 600, 700);
    WriteDecidedFrame(frame, kNoPitch, kNoPitch);
    EXPECT_EQ(frame.bandLevel, 600);
    EXPECT_EQ(frame.pitch, kNoPitch);
}

}  // namespace
}  // namespace voxnote
