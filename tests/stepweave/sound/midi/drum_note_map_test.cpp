// The drum map both ways, the levels as velocities and back, and which MIDI
// messages play the kit.
#include <gtest/gtest.h>

#include <cmath>

#include "stepweave/sound/midi/drum_note_map.h"
#include "stepweave/sound/midi/midi_input_ports.h"

using namespace stepweave;

TEST(DrumNoteMap, EachSlotHasItsGeneralMidiDrumAndEachDrumItsSlot) {
    const int notes[17] = {0, 36, 35, 38, 42, 46, 48, 45, 49, 51, 37, 70, 76, 63, 56, 39, 54};
    for (int slot = 1; slot <= 16; ++slot) {
        EXPECT_EQ(DrumNoteOfSlot(slot), notes[slot]) << "slot " << slot;
        EXPECT_EQ(SlotOfDrumNote(notes[slot]), slot);
    }
    for (const int unmapped : {0, 34, 40, 44, 60, 127}) {
        EXPECT_FALSE(SlotOfDrumNote(unmapped)) << unmapped;
    }
}

TEST(DrumNoteMap, LevelsAreVelocitiesFiveDecibelsApartAndAVelocityTakesTheNearestLevel) {
    const int velocities[10] = {0, 127, 95, 71, 54, 40, 30, 23, 17, 13};
    for (int level = 1; level <= 9; ++level) {
        EXPECT_EQ(VelocityOfLevel(level), std::lround(127 * std::pow(10.0, -5.0 * (level - 1) / 40)));
        EXPECT_EQ(VelocityOfLevel(level), velocities[level]);
        EXPECT_EQ(LevelOfVelocity(velocities[level]), level);
    }
    EXPECT_EQ(VelocityOfLevel(0), 127);  // "0" in a file, full volume: as loud as a velocity goes
    EXPECT_EQ(LevelOfVelocity(1), 9);
    EXPECT_EQ(LevelOfVelocity(64), 3);   // 7 from 71, 10 from 54
    EXPECT_EQ(LevelOfVelocity(83), 2);   // as near 95 as 71: the louder
    EXPECT_EQ(LevelOfVelocity(110), 2);
    EXPECT_EQ(LevelOfVelocity(112), 1);
    EXPECT_EQ(VelocityOfAttenuation(-2000), 127);  // louder than the loudest
}

TEST(MidiInputMessages, NoteOnsOfTheMapOnAnyChannelPlayTheKitAndNothingElseDoes) {
    LiveHit hit;
    const unsigned char snareOnTen[] = {0x99, 38, 71};
    ASSERT_TRUE(HitOfMessage(snareOnTen, 3, hit));
    EXPECT_EQ(hit.slot, 3);
    EXPECT_EQ(hit.level, 3);
    EXPECT_EQ(hit.note, 38);
    EXPECT_EQ(hit.velocity, 71);
    const unsigned char kickOnOne[] = {0x90, 36, 127};
    ASSERT_TRUE(HitOfMessage(kickOnOne, 3, hit));
    EXPECT_EQ(hit.slot, 1);
    EXPECT_EQ(hit.level, 1);

    const unsigned char noteOnAtZero[] = {0x99, 38, 0};  // a note's end
    const unsigned char noteOff[] = {0x89, 38, 64};
    const unsigned char unmapped[] = {0x99, 60, 100};
    const unsigned char controller[] = {0xB9, 38, 100};
    const unsigned char clock[] = {0xF8};
    EXPECT_FALSE(HitOfMessage(noteOnAtZero, 3, hit));
    EXPECT_FALSE(HitOfMessage(noteOff, 3, hit));
    EXPECT_FALSE(HitOfMessage(unmapped, 3, hit));
    EXPECT_FALSE(HitOfMessage(controller, 3, hit));
    EXPECT_FALSE(HitOfMessage(clock, 1, hit));
    EXPECT_FALSE(HitOfMessage(snareOnTen, 2, hit));  // cut short
}
