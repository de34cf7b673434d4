// The demo arrangement. Steps are sixteenths at 128 ms (tempo 64, about 117
// beats per minute); the shuffle runs in triplets at 170 ms, so its beat
// keeps almost the same length. Levels: 3 for accents, 4-5 for the time
// keeping, 7-8 for ghost notes and the shaker. That leaves headroom in a
// rendered song, whose gains fall only 1/8 per level where playback falls
// 5 dB, so the render does not clip.
#include "stepweave/data/demo_song.h"

#include "stepweave/sound/kit/kit_layout.h"

namespace stepweave {

namespace {

constexpr std::string_view kKick = kKitSlotNames[1];
constexpr std::string_view kSnare = kKitSlotNames[3];
constexpr std::string_view kClosedHat = kKitSlotNames[4];
constexpr std::string_view kOpenHat = kKitSlotNames[5];
constexpr std::string_view kHighTom = kKitSlotNames[6];
constexpr std::string_view kLowTom = kKitSlotNames[7];
constexpr std::string_view kCrash = kKitSlotNames[8];
constexpr std::string_view kRide = kKitSlotNames[9];
constexpr std::string_view kRimshot = kKitSlotNames[10];
constexpr std::string_view kShaker = kKitSlotNames[11];
constexpr std::string_view kClap = kKitSlotNames[15];

// The bass notes: the bass sound played at the frequencies of E, G, A and D.
constexpr std::string_view kBassE = "Sample1";
constexpr std::string_view kBassG = "Sample2";
constexpr std::string_view kBassA = "Sample3";
constexpr std::string_view kBassD = "Sample4";

constexpr int kStraightDelay = 64;
constexpr int kShuffleDelay = 85;

DemoSong MakeDemoSong() {
    DemoSong song;
    //                       steps: 1e&a2e&a3e&a4e&a
    song.patterns.push_back({"Demo Intro", 16, 4, kStraightDelay, 2,
                             {{kKick, "3...4...3...4..."},
                              {kRimshot, "....5.......5..."},
                              {kClosedHat, "..5...5...5...5."},
                              {kShaker, "7878787878787878"}}});
    song.patterns.push_back({"Demo Rock Crash", 16, 4, kStraightDelay, 1,
                             {{kCrash, "4..............."},
                              {kKick, "3.......3.4....."},
                              {kSnare, "....3......7.3.."},
                              {kClosedHat, "..5.4.5.4.5.4..."},
                              {kOpenHat, "..............5."}}});
    song.patterns.push_back({"Demo Rock", 16, 4, kStraightDelay, 2,
                             {{kKick, "3.......3.4....."},
                              {kSnare, "....3......7.3.."},
                              {kClosedHat, "4.5.4.5.4.5.4..."},
                              {kOpenHat, "..............5."}}});
    song.patterns.push_back({"Demo Fill", 16, 4, kStraightDelay, 1,
                             {{kKick, "3.......3.....3."},
                              {kSnare, "....3...6554...."},
                              {kClosedHat, "4.5.4.5........."},
                              {kHighTom, "............43.."},
                              {kLowTom, "..............45"}}});
    song.patterns.push_back({"Demo Chorus", 16, 4, kStraightDelay, 3,
                             {{kCrash, "6..............."},
                              {kKick, "3.....4.3.4....."},
                              {kSnare, "....3.......3..."},
                              {kClap, "....6.......6..."},
                              {kRide, "..6.5.6.5.6.5.6."},
                              {kBassE, "1..1..1.....1..."},
                              {kBassG, "........1......."},
                              {kBassA, "..........1....."},
                              {kBassD, "..............1."}}});
    //                       steps: 1.a2.a3.a4.a
    song.patterns.push_back({"Demo Shuffle", 12, 3, kShuffleDelay, 4,
                             {{kRide, "5.65.65.65.6"},
                              {kKick, "3....64....."},
                              {kSnare, "..73.....73."},
                              {kBassE, "1.1......1.1"},
                              {kBassG, "...1.1......"},
                              {kBassA, "......1.1..."}}});
    song.patterns.push_back({"Demo Ending", 16, 4, kStraightDelay, 1,
                             {{kCrash, "5..............."},
                              {kKick, "3..............."},
                              {kSnare, "5..............."},
                              {kBassE, "1..............."}}});

    song.playList = {"Demo Intro", "Demo Rock Crash", "Demo Rock",   "Demo Fill",  "Demo Chorus", "Demo Fill",
                     "Demo Shuffle", "Demo Fill",     "Demo Chorus", "Demo Ending"};

    // E is the sound's own pitch; G, A and D lie 3, 5 and -2 semitones away:
    // round(44100 x 2^(cents / 1200)), as the semitone arrows tune a sample.
    song.samples = {{1, kDemoBassFileName, 44100, 0},
                    {2, kDemoBassFileName, 52444, 0},
                    {3, kDemoBassFileName, 58866, 0},
                    {4, kDemoBassFileName, 39289, 0}};

    song.kitPans = {0,      // the empty label
                    0,      // kick
                    0,      // short kick
                    0,      // snare
                    -700,   // closed hi-hat
                    -700,   // open hi-hat
                    -500,   // high tom
                    600,    // low tom
                    -900,   // crash
                    900,    // ride
                    0,      // rimshot
                    1200,   // shaker
                    400,    // wood block
                    -400,   // conga
                    500,    // cowbell
                    0,      // clap
                    1000};  // tambourine
    return song;
}

}  // namespace

const DemoSong& TheDemoSong() {
    static const DemoSong song = MakeDemoSong();
    return song;
}

}  // namespace stepweave
