#include "voxnote/app/settings/profile_document.h"

#include <gtest/gtest.h>

namespace voxnote {
namespace {

const char* kSample =
    "; voxnote settings\r\n"
    "[Default]\r\n"
    "Input Volume=13\r\n"
    "  GapRatio =  16  \r\n"
    "\r\n"
    "[Mixer Location]\r\n"
    "Location=\"C:\\mixer dir\\mix.exe\"\r\n"
    "Equation=a=b\r\n"
    "[default]\r\n"
    "Input Volume=99\r\n";

TEST(ProfileDocument, FindsSectionsAndKeysWithoutRegardToCase) {
    ProfileDocument document(kSample);
    EXPECT_EQ(document.Value("DEFAULT", "input volume"), "13");
    EXPECT_EQ(document.Value("default", "GAPRATIO"), "16");
    EXPECT_EQ(document.Value("Default", "Tuning"), std::nullopt);
    EXPECT_EQ(document.Value("Nowhere", "Input Volume"), std::nullopt);
    EXPECT_TRUE(document.HasSection("mixer location"));
}

TEST(ProfileDocument, ValuesComeBackAsWrittenLessBlanksAndEnclosingQuotes) {
    ProfileDocument document(kSample);
    EXPECT_EQ(document.Value("Mixer Location", "Location"), "C:\\mixer dir\\mix.exe");
    EXPECT_EQ(document.Value("Mixer Location", "Equation"), "a=b");
    ProfileDocument unbalanced("[s]\nk=\"half\nj='x\"\n");
    EXPECT_EQ(unbalanced.Value("s", "k"), "\"half");
    EXPECT_EQ(unbalanced.Value("s", "j"), "'x\"");
}

TEST(ProfileDocument, CommentsAndLinesWithoutEqualsAreNoKeys) {
    ProfileDocument document("[s]\n;k=1\nplain line\nk=2\n");
    EXPECT_EQ(document.Value("s", "k"), "2");
    EXPECT_EQ(document.Value("s", ";k"), std::nullopt);
    EXPECT_EQ(document.KeyNames("s"), std::vector<std::string>{"k"});
}

TEST(ProfileDocument, ListsSectionsInFileOrder) {
    ProfileDocument document(kSample);
    EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"Default", "Mixer Location", "default"}));
    EXPECT_EQ(document.KeyNames("Default"), (std::vector<std::string>{"Input Volume", "GapRatio"}));
}

TEST(ProfileDocument, WritingAKeyChangesOnlyItsLine) {
    ProfileDocument document(kSample);
    ASSERT_TRUE(document.SetValue("DEFAULT", "gapratio", "20"));
    EXPECT_EQ(document.Text(),
              "; voxnote settings\n[Default]\nInput Volume=13\nGapRatio=20\n\n[Mixer Location]\n"
              "Location=\"C:\\mixer dir\\mix.exe\"\nEquation=a=b\n[default]\nInput Volume=99\n");
}

TEST(ProfileDocument, NewKeysGoBelowTheSectionsLastLineAndNewSectionsAtTheEnd) {
    ProfileDocument document("[a]\nx=1\n\n[b]\ny=2\n");
    ASSERT_TRUE(document.SetValue("a", "z", "3"));
    ASSERT_TRUE(document.SetValue("c", "w", "4"));
    EXPECT_EQ(document.Text(), "[a]\nx=1\nz=3\n\n[b]\ny=2\n\n[c]\nw=4\n");
    ProfileDocument empty;
    ASSERT_TRUE(empty.SetValue("Last Used", "section", "Default"));
    EXPECT_EQ(empty.Text(), "[Last Used]\nsection=Default\n");
}

TEST(ProfileDocument, RefusesWhatCannotBeStoredOnOneLine) {
    ProfileDocument document;
    EXPECT_FALSE(document.SetValue("a]b", "k", "v"));
    EXPECT_FALSE(document.SetValue("s", "k=j", "v"));
    EXPECT_FALSE(document.SetValue("s", "", "v"));
    EXPECT_FALSE(document.SetValue("s", "k", "two\nlines"));
    EXPECT_FALSE(document.SetValue("", "k", "v"));
    EXPECT_EQ(document.Text(), "");
}

TEST(ProfileDocument, RemovesAWholeSectionOrOneKey) {
    ProfileDocument document(kSample);
    EXPECT_TRUE(document.RemoveSection("MIXER LOCATION"));
    EXPECT_FALSE(document.HasSection("Mixer Location"));
    EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"Default", "default"}));
    EXPECT_TRUE(document.RemoveKey("Default", "Input Volume"));
    EXPECT_EQ(document.Value("Default", "Input Volume"), std::nullopt);
    EXPECT_FALSE(document.RemoveSection("Missing"));
    // The first of two equal names goes first; the second is then found.
    EXPECT_TRUE(document.RemoveSection("default"));
    EXPECT_EQ(document.Value("Default", "Input Volume"), "99");
}

TEST(ProfileDocument, AcceptsAHeaderWithoutClosingBracketAndAFileWithoutLastLineEnd) {
    ProfileDocument document("[open\nk=1");
    EXPECT_EQ(document.Value("open", "k"), "1");
    EXPECT_EQ(document.Text(), "[open\nk=1\n");
}

}  // namespace
}  // namespace voxnote
