#include "voxnote/app/skin/field_text_fit.h"

#include <gtest/gtest.h>

#include <string>

using namespace voxnote;

namespace {
// Every character 5 pixels wide, counting UTF-8 sequences as one character.
int FiveEach(std::string_view text) {
    int characters = 0;
    for (char byte : text) {
        characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }
    return 5 * characters;
}
}  // namespace

TEST(FieldTextFit, ShortTextIsKept) { EXPECT_EQ(FitFieldText("Default", 101, FiveEach), "Default"); }

TEST(FieldTextFit, CutToTwentyCharactersThenToTheWidth) {
    const std::string longName(30, 'x');
    EXPECT_EQ(FitFieldText(longName, 1000, FiveEach), std::string(20, 'x'));
    EXPECT_EQ(FitFieldText(longName, 101, FiveEach), std::string(20, 'x'));
    EXPECT_EQ(FitFieldText(longName, 99, FiveEach), std::string(19, 'x'));
    EXPECT_EQ(FitFieldText("C#5", 4, FiveEach), "");
}

TEST(FieldTextFit, NeverSplitsACharacter) {
    // "Größe" with two-byte letters: four characters fit in 20 pixels.
    EXPECT_EQ(FitFieldText("Gr\xC3\xB6\xC3\x9F" "e", 20, FiveEach), "Gr\xC3\xB6\xC3\x9F");
    const std::string umlauts = std::string(25, 'a') + "\xC3\xA4";
    EXPECT_EQ(FitFieldText("\xC3\xA4" + umlauts, 1000, FiveEach).size(), 21u);
}
