// The detector choice in the settings file and on the command line.
#include "voxnote/app/settings/detector_choice.h"

#include <gtest/gtest.h>

#include "tests/voxnote/app/test_support.h"
#include "voxnote/app/settings/system_settings.h"

namespace voxnote {
namespace {

using test::ReadText;
using test::RecordingReporter;
using test::TemporaryFolder;

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(DetectorChoiceFile, WithoutTheKeyItIsClassicAndAWrittenChoiceComesBack) {
    TemporaryFolder folder;
    PrivateProfile profile(folder / "voxnote.ini");
    RecordingReporter reporter;
    EXPECT_EQ(ReadDetectorChoice(profile), DetectorChoice::Classic);

    ASSERT_TRUE(WriteDetectorChoice(profile, DetectorChoice::Precise, reporter));
    EXPECT_EQ(ReadText(profile.Path()), "[System Settings]\nDetector=1\n");
    profile.Flush();
    EXPECT_EQ(ReadDetectorChoice(profile), DetectorChoice::Precise);
    ASSERT_TRUE(WriteDetectorChoice(profile, DetectorChoice::Classic, reporter));
    profile.Flush();
    EXPECT_EQ(ReadDetectorChoice(profile), DetectorChoice::Classic);
    EXPECT_TRUE(reporter.texts.empty());
}

TEST(DetectorChoiceFile, TheSectionsOtherKeysStayAsTheyWere) {
    TemporaryFolder folder;
    const std::string before =
        "[System Settings]\nAlways On Top=0\nAuto Shrink=1\nSync=1\nHigher Priority=1\nDrumkit=1\nMIDI Voice=73\n";
    WriteFile(folder / "voxnote.ini", before);
    PrivateProfile profile(folder / "voxnote.ini");
    RecordingReporter reporter;
    const SystemSettings settings = ReadSystemSettings(profile);

    ASSERT_TRUE(WriteDetectorChoice(profile, DetectorChoice::Precise, reporter));
    EXPECT_EQ(ReadText(profile.Path()), before + "Detector=1\n");
    profile.Flush();
    EXPECT_EQ(ReadSystemSettings(profile), settings);

    // Writing the six system settings leaves the choice alone.
    ASSERT_TRUE(WriteSystemSettings(profile, SystemSettings(), reporter));
    profile.Flush();
    EXPECT_EQ(ReadDetectorChoice(profile), DetectorChoice::Precise);
}

// As with "Drumkit": the value is read as a number and brought into 0..1;
// text that is no number reads as 0, as every number of the file does.
TEST(DetectorChoiceFile, AValueOutsideTheChoicesIsBroughtToTheNearerEnd) {
    TemporaryFolder folder;
    PrivateProfile profile(folder / "voxnote.ini");
    const std::pair<const char*, DetectorChoice> cases[] = {
        {"5", DetectorChoice::Precise},   {"1 (precise)", DetectorChoice::Precise},
        {"-3", DetectorChoice::Classic},  {"Precise", DetectorChoice::Classic},
        {"0", DetectorChoice::Classic},
    };
    for (const auto& [stored, expected] : cases) {
        WriteFile(profile.Path(), std::string("[system settings]\ndetector=") + stored + "\n");
        profile.Flush();
        EXPECT_EQ(ReadDetectorChoice(profile), expected) << stored;
    }
}

TEST(DetectorChoiceFile, AChoiceThatCannotBeStoredIsReported) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder / "voxnote.ini");
    PrivateProfile profile(folder / "voxnote.ini");
    RecordingReporter reporter;
    EXPECT_FALSE(WriteDetectorChoice(profile, DetectorChoice::Precise, reporter));
    EXPECT_EQ(reporter.texts, std::vector<std::string>{"Couldn't store preference"});
}

TEST(DetectorChoiceNames, TheCommandLineNamesAndTheCaptions) {
    EXPECT_EQ(CommandLineNames(), (std::vector<std::string>{"classic", "precise"}));
    for (DetectorChoice detector : {DetectorChoice::Classic, DetectorChoice::Precise}) {
        EXPECT_EQ(DetectorNamed(CommandLineName(detector)), detector);
    }
    EXPECT_EQ(DetectorNamed("Precise"), std::nullopt);
    EXPECT_EQ(DetectorNamed(""), std::nullopt);
    EXPECT_EQ(DetectorCaption(DetectorChoice::Classic), "Classic");
    EXPECT_EQ(DetectorCaption(DetectorChoice::Precise), "Precise");
}

}  // namespace
}  // namespace voxnote
