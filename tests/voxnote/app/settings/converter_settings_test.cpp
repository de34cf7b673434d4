#include "voxnote/app/settings/converter_settings.h"

#include <gtest/gtest.h>

#include "tests/voxnote/app/test_support.h"

namespace voxnote {
namespace {

using test::ReadText;
using test::RecordingReporter;
using test::TemporaryFolder;

TEST(ConverterSettings, StartUpRewritesDefaultAndTakesTheLastUsedPreset) {
    TemporaryFolder folder;
    const auto path = folder / "voxnote.ini";
    {
        ConverterSettings first(path);
        first.StartUp();
        EXPECT_EQ(first.PresetName(), "Default");
        first.Detector().SetInputVolume(40);
        first.SetRange({72, 48});
        RecordingReporter reporter;
        ASSERT_TRUE(first.SavePreset("Tenor", reporter));
        DetectorSettings changed;
        changed.inputVolume = 5;
        PresetStore(first.Profile()).Write("Default", changed);  // rewritten at the next start
    }
    ConverterSettings next(path);
    next.StartUp();
    EXPECT_EQ(next.PresetName(), "Tenor");
    EXPECT_EQ(next.Detector().Values().inputVolume, 40);
    EXPECT_EQ(next.Detector().Header().inputThreshold, 8u * 40 + 350);
    EXPECT_EQ(next.Range().maximum, 72);
    EXPECT_NE(ReadText(path).find("[Default]"), std::string::npos);
    ConverterSettings reread(path);
    EXPECT_EQ(PresetStore(reread.Profile()).Read("Default").inputVolume, 13);
}

// A preset added to the file by hand while the program runs is loaded as the
// file holds it, at the first Load.
TEST(ConverterSettings, LoadReadsThePresetAsTheFileHoldsItNow) {
    TemporaryFolder folder;
    ConverterSettings settings(folder / "voxnote.ini");
    settings.StartUp();
    RecordingReporter reporter;
    std::ofstream(folder / "voxnote.ini", std::ios::app) << "[Bass]\nMaximum Note=60\nMinimum Note=28\n";
    ASSERT_EQ(settings.PresetNames(), (std::vector<std::string>{"Bass", "Default"}));
    ASSERT_TRUE(settings.LoadPreset("Bass", reporter));
    EXPECT_EQ(settings.Range().maximum, 60);
    EXPECT_EQ(settings.Range().minimum, 28);
    EXPECT_EQ(settings.PresetName(), "Bass");
}

TEST(ConverterSettings, RhythmToggleUsesTheRhythmNoteAndStoresTheSystemSettings) {
    TemporaryFolder folder;
    ConverterSettings settings(folder / "voxnote.ini");
    RecordingReporter reporter;
    settings.SetRhythmNote(36);
    EXPECT_FALSE(settings.RhythmMode());
    EXPECT_EQ(settings.Detector().Header().constantNote, -1) << "the note alone does not start rhythm mode";
    EXPECT_TRUE(settings.ToggleRhythmMode(reporter));
    EXPECT_EQ(settings.Detector().Header().constantNote, 36);
    EXPECT_NE(ReadText(folder / "voxnote.ini").find("[System Settings]"), std::string::npos);
    EXPECT_FALSE(settings.ToggleRhythmMode(reporter));
    EXPECT_EQ(settings.Detector().Values().constantNote, -1);
    EXPECT_TRUE(reporter.texts.empty());
}

// The file is written only when the choice changes, and read at the next start.
TEST(ConverterSettings, TheWavDialogsDetectorIsStoredWhenItChanges) {
    TemporaryFolder folder;
    const auto path = folder / "voxnote.ini";
    RecordingReporter reporter;
    {
        ConverterSettings first(path);
        EXPECT_EQ(first.WavDetector(), DetectorChoice::Classic);
        ASSERT_TRUE(first.SetWavDetector(DetectorChoice::Classic, reporter));
        EXPECT_FALSE(std::filesystem::exists(path)) << "an unchanged choice touches no file";
        ASSERT_TRUE(first.SetWavDetector(DetectorChoice::Precise, reporter));
        EXPECT_EQ(first.WavDetector(), DetectorChoice::Precise);
    }
    EXPECT_EQ(ReadText(path), "[System Settings]\nDetector=1\n");
    ConverterSettings next(path);
    EXPECT_EQ(next.WavDetector(), DetectorChoice::Precise);
    ASSERT_TRUE(next.WriteSystemSettings(reporter));
    EXPECT_EQ(ConverterSettings(path).WavDetector(), DetectorChoice::Precise) << "the six keys leave it alone";
    EXPECT_TRUE(reporter.texts.empty());
}

TEST(ConverterSettings, TheFilesOwnSectionsCannotBeSavedOrDeletedAsPresets) {
    TemporaryFolder folder;
    ConverterSettings settings(folder / "voxnote.ini");
    settings.System().higherPriority = true;
    RecordingReporter reporter;
    settings.WriteSystemSettings(reporter);
    EXPECT_FALSE(settings.SavePreset("System Settings", reporter));
    EXPECT_FALSE(settings.DeletePreset("last used", reporter));
    EXPECT_FALSE(settings.LoadPreset("Mixer Location", reporter));
    ASSERT_EQ(reporter.texts.size(), 3u);
    EXPECT_EQ(reporter.kinds[0], MessageKind::Information);
    EXPECT_EQ(reporter.texts[1],
              "\"last used\" is the name of the program's own settings: choose another preset name.");
    EXPECT_TRUE(ReadSystemSettings(settings.Profile()).higherPriority);
    EXPECT_EQ(settings.PresetName(), "Default");
}

TEST(ConverterSettings, PresetNameOfferedOnceADisplayedSettingWasTouched) {
    TemporaryFolder folder;
    ConverterSettings settings(folder / "voxnote.ini");
    EXPECT_EQ(settings.PresetNameOnOpening(), "");
    settings.NoteDisplayedSettingTouched();
    EXPECT_EQ(settings.PresetNameOnOpening(), "Default");
}

}  // namespace
}  // namespace voxnote
