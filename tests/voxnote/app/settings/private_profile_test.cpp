#include "voxnote/app/settings/private_profile.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/voxnote/app/test_support.h"

namespace voxnote {
namespace {

using test::ReadText;
using test::TemporaryFolder;

TEST(PrivateProfile, AMissingFileGivesTheDefaults) {
    TemporaryFolder folder;
    PrivateProfile profile(folder / "voxnote.ini");
    EXPECT_EQ(profile.ReadInt("Default", "Maximum Note", 99), 99);
    EXPECT_EQ(profile.ReadString("Last Used", "section", ""), "");
    EXPECT_TRUE(profile.SectionNames().empty());
    EXPECT_FALSE(profile.ReadWholeFile());
}

TEST(PrivateProfile, WritingCreatesTheFolderAndTheFile) {
    TemporaryFolder folder;
    PrivateProfile profile(folder.Path() / "config" / "voxnote" / "voxnote.ini");
    ASSERT_TRUE(profile.WriteInt("Default", "Constant Note", -1));
    ASSERT_TRUE(profile.WriteString("Last Used", "section", "Tenor"));
    EXPECT_EQ(ReadText(profile.Path()), "[Default]\nConstant Note=-1\n\n[Last Used]\nsection=Tenor\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(profile.Path().parent_path()), {}), 1)
        << "no temporary file is left behind";
}

TEST(PrivateProfile, IntegersAreReadLikeTheProfileFunctionsReadThem) {
    TemporaryFolder folder;
    std::ofstream(folder / "v.ini") << "[s]\nneg=-12\nunit=7 dB\nword=loud\nempty=\nplus=+5\nhuge=99999999999\n";
    PrivateProfile profile(folder / "v.ini");
    EXPECT_EQ(profile.ReadInt("s", "neg", 1), -12);
    EXPECT_EQ(profile.ReadInt("s", "unit", 1), 7);
    EXPECT_EQ(profile.ReadInt("s", "word", 1), 0);
    EXPECT_EQ(profile.ReadInt("s", "empty", 1), 0);
    EXPECT_EQ(profile.ReadInt("s", "plus", 1), 5);
    EXPECT_EQ(profile.ReadInt("s", "huge", 1), INT32_MAX);
    EXPECT_EQ(profile.ReadInt("s", "missing", 1), 1);
}

TEST(PrivateProfile, StringsAreCutToTheLengthAsked) {
    TemporaryFolder folder;
    PrivateProfile profile(folder / "v.ini");
    ASSERT_TRUE(profile.WriteString("Last Used", "section", std::string(100, 'n')));
    EXPECT_EQ(profile.ReadString("Last Used", "section", "", 80), std::string(80, 'n'));
}

TEST(PrivateProfile, ReadsComeFromTheCopyUntilFlushAndWritesKeepOtherChanges) {
    TemporaryFolder folder;
    PrivateProfile profile(folder / "v.ini");
    ASSERT_TRUE(profile.WriteInt("a", "x", 1));
    std::ofstream(folder / "v.ini", std::ios::app) << "[hand]\nedited=yes\n";
    EXPECT_EQ(profile.ReadString("hand", "edited", "no"), "no");
    profile.Flush();
    EXPECT_EQ(profile.ReadString("hand", "edited", "no"), "yes");

    std::ofstream(folder / "v.ini", std::ios::app) << "[later]\nk=1\n";
    ASSERT_TRUE(profile.WriteInt("a", "x", 2));
    EXPECT_EQ(profile.ReadInt("later", "k", 0), 1) << "a write starts from the file as it is now";
    EXPECT_EQ(profile.ReadInt("a", "x", 0), 2);
}

TEST(PrivateProfile, AFileThatCannotBeReadIsNeverOverwritten) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder / "v.ini");  // in the file's place
    PrivateProfile blocked(folder / "v.ini");
    EXPECT_FALSE(blocked.WriteInt("a", "x", 1));
    EXPECT_FALSE(blocked.DeleteSection("a"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "v.ini"));

    std::ofstream(folder / "big.ini") << "[keep]\n";
    std::filesystem::resize_file(folder / "big.ini", PrivateProfile::kLargestFile + 1);
    PrivateProfile tooLarge(folder / "big.ini");
    EXPECT_FALSE(tooLarge.WriteInt("a", "x", 1));
    EXPECT_EQ(std::filesystem::file_size(folder / "big.ini"), PrivateProfile::kLargestFile + 1);
}

TEST(PrivateProfile, AFolderThatCannotBeMadeFailsTheWrite) {
    TemporaryFolder folder;
    std::ofstream(folder / "file") << "x";
    PrivateProfile profile(folder.Path() / "file" / "voxnote.ini");
    EXPECT_FALSE(profile.WriteInt("a", "x", 1));
}

TEST(PrivateProfile, DeletingASectionKeepsTheRest) {
    TemporaryFolder folder;
    PrivateProfile profile(folder / "v.ini");
    ASSERT_TRUE(profile.WriteInt("Tenor", "Scale", 3));
    ASSERT_TRUE(profile.WriteInt("Alto", "Scale", 4));
    ASSERT_TRUE(profile.DeleteSection("tenor"));
    EXPECT_TRUE(profile.DeleteSection("Nowhere"));
    EXPECT_EQ(profile.SectionNames(), std::vector<std::string>{"Alto"});
    EXPECT_EQ(ReadText(folder / "v.ini"), "[Alto]\nScale=4\n");
}

TEST(VoxnoteProfilePath, FollowsTheEnvironment) {
    const char* savedIni = std::getenv("VOXNOTE_INI");
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    std::string ini = savedIni ? savedIni : "";
    std::string config = savedConfig ? savedConfig : "";

    setenv("VOXNOTE_INI", "/tmp/elsewhere.ini", 1);
    EXPECT_EQ(VoxnoteProfilePath(), "/tmp/elsewhere.ini");
    unsetenv("VOXNOTE_INI");
    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(VoxnoteProfilePath(), "/tmp/cfg/voxnote/voxnote.ini");
    unsetenv("XDG_CONFIG_HOME");
    if (const char* home = std::getenv("HOME")) {
        EXPECT_EQ(VoxnoteProfilePath(), std::filesystem::path(home) / ".config/voxnote/voxnote.ini");
    }

    savedIni ? setenv("VOXNOTE_INI", ini.c_str(), 1) : unsetenv("VOXNOTE_INI");
    savedConfig ? setenv("XDG_CONFIG_HOME", config.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace voxnote
