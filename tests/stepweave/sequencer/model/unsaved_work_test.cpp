#include "stepweave/sequencer/model/unsaved_work.h"

#include <gtest/gtest.h>

#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/user_sample_table.h"

namespace stepweave {
namespace {

constexpr const char* kKick = "Kick      [ ]";

struct Editing {
    UserSampleTable samples;
    SequencerDocument document{"", samples};
    UnsavedWork unsaved{document};

    std::string Asked(DocumentLeaving leaving = DocumentLeaving::Exit) const {
        const std::optional<UnsavedWorkQuestion> question = unsaved.QuestionBefore(leaving);
        return question ? question->text : "";
    }
};

TEST(UnsavedWork, ThePatternIsUnsavedWhileItDiffersFromWhatWasKept) {
    Editing editing;
    EXPECT_EQ(editing.Asked(), "");
    editing.document.grid.SetCell(3, 2, kKick);
    EXPECT_EQ(editing.Asked(), "The pattern in the editor has no name and is not stored.\n\n"
                               "Store it before closing Stepweave?");
    // Taking the edit back by hand (or by Undo) leaves nothing to lose.
    editing.document.grid.SetCell(3, 2, "");
    EXPECT_FALSE(editing.unsaved.PatternUnsaved());

    editing.document.grid.SetCell(3, 2, kKick);
    editing.document.SetPatternName("Verse");
    const UnsavedWorkQuestion question = *editing.unsaved.QuestionBefore(DocumentLeaving::NewSong);
    EXPECT_EQ(question.text, "The pattern \"Verse\" has changes that are not stored.\n\n"
                             "Store it before starting a new song?");
    EXPECT_EQ(question.saveButton, "Store");
    EXPECT_TRUE(question.storesPattern);
    EXPECT_FALSE(question.savesSong);
    editing.unsaved.PatternKept();
    EXPECT_EQ(editing.Asked(), "");

    // The repeat count belongs to the pattern; clearing it all leaves nothing to lose.
    editing.document.SetLoop(4);
    EXPECT_TRUE(editing.unsaved.PatternUnsaved());
    editing.document.ClearPattern();
    EXPECT_FALSE(editing.unsaved.PatternUnsaved());
}

TEST(UnsavedWork, OnlyATempoSetByHandChangesThePattern) {
    Editing editing;
    editing.document.SetPatternName("Verse");
    editing.unsaved.PatternKept();
    editing.document.SetDelay(30);  // a song's tempo marker or a file
    EXPECT_FALSE(editing.unsaved.PatternUnsaved());
    editing.unsaved.TempoSetByHand();
    EXPECT_TRUE(editing.unsaved.PatternUnsaved());
    editing.document.SetDelay(kDefaultDelay);  // moved back where it was
    EXPECT_FALSE(editing.unsaved.PatternUnsaved());
}

TEST(UnsavedWork, TheSongIsItsPlayListAndItsFirstEightSamples) {
    Editing editing;
    editing.document.playList.Append("Verse");
    EXPECT_EQ(editing.Asked(DocumentLeaving::OpenSong),
              "The play list is not saved as a song.\n\nSave it before opening another song?");
    EXPECT_EQ(editing.unsaved.QuestionBefore(DocumentLeaving::OpenSong)->saveButton, "Save Song");
    editing.document.songTitle = "Demo";
    editing.unsaved.SongKept();
    EXPECT_EQ(editing.Asked(), "");

    editing.samples.SetPan(8, -400);
    EXPECT_TRUE(editing.unsaved.SongUnsaved());
    editing.samples.SetPan(8, 0);
    editing.samples.SetPan(9, -400);  // stored with patterns only
    EXPECT_FALSE(editing.unsaved.SongUnsaved());

    // Both at once: one question naming both.
    editing.document.playList.Append("Chorus");
    editing.document.grid.SetCell(2, 1, kKick);
    const UnsavedWorkQuestion both = *editing.unsaved.QuestionBefore(DocumentLeaving::Exit);
    EXPECT_EQ(both.text, "The pattern in the editor has no name and is not stored.\n"
                         "The song \"Demo\" has changes that are not saved.\n\n"
                         "Store the pattern and save the song before closing Stepweave?");
    EXPECT_EQ(both.saveButton, "Store and Save Song");
    EXPECT_TRUE(both.storesPattern && both.savesSong);

    // An empty play list has nothing to lose.
    editing.document.playList.Clear();
    EXPECT_FALSE(editing.unsaved.SongUnsaved());
}

}  // namespace
}  // namespace stepweave
