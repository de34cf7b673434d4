#include "voxnote/app/settings/preset_list.h"

#include <gtest/gtest.h>

namespace voxnote {
namespace {

using Names = std::vector<std::string>;

TEST(PresetList, ListsPresetSectionsSortedAndLeavesOutTheProgramsOwn) {
    const char* text =
        "[System Settings]\nSync=0\n[Tenor]\nScale=1\n[Last Used]\nsection=Tenor\n"
        "[alto]\n[Mixer Location]\nLocation=x\n[Default]\n";
    EXPECT_EQ(PresetNamesInProfileText(text), (Names{"alto", "Default", "Tenor"}));
}

TEST(PresetList, KeyAndCommentLinesNeverGiveANameEvenWithBrackets) {
    EXPECT_EQ(PresetNamesInProfileText("Location=C:\\[x]\\mix.exe\n;[old]\nk = [y]\n"), Names{});
    EXPECT_EQ(PresetNamesInProfileText("  [Indented] trailing\nx[Inside]\n"), (Names{"Indented", "Inside"}));
}

TEST(PresetList, AHeaderOnALastLineWithoutLineEndIsNotListed) {
    EXPECT_EQ(PresetNamesInProfileText("[First]\n[Last]"), Names{"First"});
    EXPECT_EQ(PresetNamesInProfileText("[First]\n[Last]\r\n"), (Names{"First", "Last"}));
}

TEST(PresetList, LinesEndAtLineFeedFormFeedCarriageReturnAndCharacter26) {
    std::string text = "[a]\r[b]\f[c]";
    text += '\x1a';
    text += "[d]\n\n\r\n";
    EXPECT_EQ(PresetNamesInProfileText(text), (Names{"a", "b", "c", "d"}));
}

TEST(PresetList, EmptyNamesAreDroppedAndAnUnclosedNameRunsToTheLineEnd) {
    EXPECT_EQ(PresetNamesInProfileText("[]\n[Open\n"), Names{"Open"});
}

TEST(PresetList, NamesBeyondTheCollectionBufferAreNotListed) {
    std::string text;
    // Each name takes 100 bytes with its zero byte: twenty fill the buffer.
    for (int i = 0; i < 21; ++i) {
        std::string name = std::string(96, 'p') + std::to_string(100 + i);
        text += "[" + name + "]\n";
    }
    Names names = PresetNamesInProfileText(text);
    ASSERT_EQ(names.size(), 20u);
    EXPECT_EQ(names.back(), std::string(96, 'p') + "119");
}

TEST(PresetList, ReservedNamesStillTakeRoomInTheBuffer) {
    std::string text = "[System Settings]\n";  // 16 bytes
    text += "[" + std::string(1983, 'a') + "]\n";  // 1984 bytes: exactly full
    text += "[b]\n";
    EXPECT_EQ(PresetNamesInProfileText(text), Names{std::string(1983, 'a')});
}

}  // namespace
}  // namespace voxnote
