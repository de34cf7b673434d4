#include "voxnote/app/session/note_learn.h"

#include <gtest/gtest.h>

namespace voxnote {
namespace {

using Bound = NoteLearn::Bound;
using Ending = NoteLearn::Ending;

TEST(NoteLearn, TheLearnedBoundOpensWideAndTakesTheLastNoteItAccepts) {
    NoteLearn learn;
    NoteRange range{80, 40};
    EXPECT_TRUE(learn.Enter(Bound::Maximum, range, false, 0)) << "the toggle was off: start a run";
    EXPECT_EQ(range.maximum, 101);
    EXPECT_EQ(range.minimum, 40);
    EXPECT_TRUE(learn.Leave(Ending::ByUser, range, 72)) << "the user ends it: stop the run it started";
    EXPECT_EQ(range.maximum, 72);
    EXPECT_EQ(learn.Active(), Bound::None);

    EXPECT_TRUE(learn.Enter(Bound::Minimum, range, false, 72));
    EXPECT_EQ(range.minimum, 24);
    learn.Leave(Ending::ByUser, range, 45);
    EXPECT_EQ(range.minimum, 45);
}

TEST(NoteLearn, ANoteTheRangeRefusesBringsTheSavedBoundBack) {
    NoteLearn learn;
    NoteRange range{80, 40};
    learn.Enter(Bound::Maximum, range, true, 0);
    learn.Leave(Ending::ByUser, range, 40);  // not above the minimum
    EXPECT_EQ(range.maximum, 80);
    learn.Enter(Bound::Maximum, range, true, 0);
    learn.Leave(Ending::ByUser, range, 0);  // nothing heard
    EXPECT_EQ(range.maximum, 80);
    learn.Enter(Bound::Minimum, range, true, 0);
    learn.Leave(Ending::ByUser, range, 101);  // not below the maximum, and above 100
    EXPECT_EQ(range.minimum, 40);
}

TEST(NoteLearn, OnlyARunTheModeStartedIsStoppedAndOnlyWhenTheUserEndsIt) {
    NoteLearn learn;
    NoteRange range{80, 40};
    EXPECT_FALSE(learn.Enter(Bound::Maximum, range, true, 0));
    EXPECT_FALSE(learn.Leave(Ending::ByUser, range, 70)) << "the user's own run goes on";

    learn.Enter(Bound::Maximum, range, false, 0);
    EXPECT_FALSE(learn.Leave(Ending::ByOtherWork, range, 70));
    EXPECT_FALSE(learn.Leave(Ending::ByUser, range, 70)) << "nothing is active any more";
}

TEST(NoteLearn, EnteringTheOtherBoundEndsTheFirstAndKeepsWhoStartedTheRun) {
    NoteLearn learn;
    NoteRange range{80, 40};
    EXPECT_TRUE(learn.Enter(Bound::Minimum, range, false, 0));
    EXPECT_FALSE(learn.Enter(Bound::Maximum, range, true, 52)) << "the run is going already";
    EXPECT_EQ(range.minimum, 52);
    EXPECT_EQ(range.maximum, 101);
    EXPECT_EQ(learn.Active(), Bound::Maximum);
    EXPECT_TRUE(learn.Leave(Ending::ByUser, range, 77)) << "the first mode started the run";
    EXPECT_EQ(range.maximum, 77);
}

}  // namespace
}  // namespace voxnote
