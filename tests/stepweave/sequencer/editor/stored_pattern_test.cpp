#include "stepweave/sequencer/editor/stored_pattern.h"

#include <gtest/gtest.h>

#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/unsaved_work.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "tests/stepweave/sequencer/model/sequencer_test_support.h"

namespace stepweave {
namespace {

// A render leaves the song's last pattern in the editor as its file holds it:
// that is nothing unsaved. The stored pattern stands for the editor's only
// while the file holds what the editor shows.
TEST(StoredPattern, AnEditorPatternAsItsFileHoldsItIsKept) {
    const std::filesystem::path folder = testing::FreshFolder();
    UserSampleTable samples;
    SequencerDocument document(folder.string(), samples);
    UnsavedWork unsaved(document);
    EXPECT_EQ(StoredEditorPattern(document), std::nullopt) << "no name: no file";
    document.SetPatternName("Verse");
    document.grid.SetCell(2, 1, "Kick      [ ]");
    EXPECT_EQ(StoredEditorPattern(document), std::nullopt) << "no file yet";
    testing::WriteText(folder / "Verse.pat", PatternFileText(document.grid, 45, 3, samples));
    document.grid.SetCell(40, 1, "Snare     [ ]");  // a hidden row: no part of the stored pattern
    document.SetLoop(3);

    const auto keepIfStored = [&] {
        const std::optional<StoredPattern> stored = StoredEditorPattern(document);
        ASSERT_TRUE(stored.has_value());
        unsaved.KeptIfStoredAs(stored->grid, stored->loop, stored->delay);
    };
    ASSERT_TRUE(unsaved.PatternUnsaved());
    keepIfStored();
    EXPECT_FALSE(unsaved.PatternUnsaved());

    document.grid.SetCell(3, 1, "Kick      [ ]");
    keepIfStored();
    EXPECT_TRUE(unsaved.PatternUnsaved()) << "a cell the file lacks";
    document.grid.SetCell(3, 1, "");
    unsaved.TempoSetByHand();  // 60 by hand, 45 in the file
    keepIfStored();
    EXPECT_TRUE(unsaved.PatternUnsaved());
    document.SetDelay(45);
    keepIfStored();
    EXPECT_FALSE(unsaved.PatternUnsaved());
}

}  // namespace
}  // namespace stepweave
