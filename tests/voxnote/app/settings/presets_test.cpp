#include "voxnote/app/settings/preset_store.h"

#include <gtest/gtest.h>

#include "tests/voxnote/app/test_support.h"
#include "voxnote/app/settings/current_detector_settings.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/settings/system_settings.h"

namespace voxnote {
namespace {

using test::ReadText;
using test::RecordingReporter;
using test::TemporaryFolder;

class Presets : public ::testing::Test {
protected:
    TemporaryFolder folder;
    PrivateProfile profile{folder / "voxnote.ini"};
    PresetStore store{profile};
    RecordingReporter reporter;
};

TEST_F(Presets, TheStartUpValuesAreWrittenInKeyOrder) {
    store.Write(kDefaultPresetName, StartUpDetectorSettings());
    EXPECT_EQ(ReadText(profile.Path()),
              "[Default]\nInput Volume=13\nGapRatio=16\nTuning=0\nMaximum Note=101\nMinimum Note=33\n"
              "Lock To Scale On=0\nScale=12\nFixed Volume Flag=0\nNote Stop Ratio=10\nTransposition=0\n"
              "Constant Note=-1\nOutput Volume=50\n");
}

TEST_F(Presets, LoadingAMissingPresetGivesTheDefaultsAndIsStillRemembered) {
    store.Save(kDefaultPresetName, StartUpDetectorSettings());
    DetectorSettings loaded = store.Load("Never Saved");
    EXPECT_EQ(loaded, DetectorSettings());
    EXPECT_EQ(loaded.maximumNote, 99);
    EXPECT_EQ(store.LastUsedName(), "Never Saved");
}

TEST_F(Presets, SavedValuesComeBack) {
    DetectorSettings tenor;
    tenor.inputVolume = 40;
    tenor.gapRatio = 3;
    tenor.tuning = -7;
    tenor.maximumNote = 72;
    tenor.minimumNote = 48;
    ApplyScale(tenor, 7);
    tenor.fixedVolumeFlag = 1;
    tenor.noteStopRatio = 22;
    tenor.transposition = -12;
    tenor.constantNote = 38;
    tenor.outputVolume = 0;
    store.Save("Tenor", tenor);
    profile.Flush();
    EXPECT_EQ(store.Read("tenor"), tenor) << "lookups ignore case";
    EXPECT_EQ(store.LastUsedName(), "Tenor");
    EXPECT_EQ(RhythmNoteOf(tenor), 38);
}

TEST_F(Presets, RhythmModeOffIsStoredAsMinusOneAndGivesRhythmNote60) {
    DetectorSettings settings;
    settings.constantNote = kConstantNoteOff;
    store.Write("Off", settings);
    EXPECT_NE(ReadText(profile.Path()).find("Constant Note=-1\n"), std::string::npos);
    DetectorSettings loaded = store.Read("Off");
    EXPECT_EQ(loaded.constantNote, -1);
    EXPECT_EQ(RhythmNoteOf(loaded), 60);
}

TEST_F(Presets, ByteFieldsKeepTheirLowByteAndValuesStayInTheirControlsRanges) {
    std::ofstream(profile.Path()) << "[Odd]\nConstant Note=255\nTransposition=300\nScale=40\n"
                                     "Input Volume=500\nOutput Volume=-3\nTuning=11\nGapRatio=-1\n";
    DetectorSettings loaded = store.Read("Odd");
    EXPECT_EQ(loaded.constantNote, -1);
    EXPECT_EQ(loaded.transposition, 44);
    EXPECT_EQ(loaded.scale, 12);
    EXPECT_EQ(loaded.inputVolume, 69);
    EXPECT_EQ(loaded.outputVolume, 0);
    EXPECT_EQ(loaded.tuning, 10);
    EXPECT_EQ(loaded.gapRatio, 0);
}

// The note range as the window's buttons could have left it: each bound in
// its own range, the minimum below the maximum; a crossed pair falls back to
// the defaults of both.
TEST_F(Presets, ANoteRangeFromTheFileIsHeldToWhatTheButtonsAllow) {
    std::ofstream(profile.Path()) << "[Wide]\nMaximum Note=300\nMinimum Note=-40\n"
                                     "[Crossed]\nMaximum Note=40\nMinimum Note=90\n"
                                     "[Touching]\nMaximum Note=60\nMinimum Note=60\n"
                                     "[Edges]\nMaximum Note=25\nMinimum Note=24\n"
                                     "[Top]\nMaximum Note=101\nMinimum Note=101\n";
    const auto range = [&](const std::string& name) {
        const DetectorSettings loaded = store.Read(name);
        return std::pair(loaded.minimumNote, loaded.maximumNote);
    };
    EXPECT_EQ(range("Wide"), std::pair(24, 101));
    EXPECT_EQ(range("Crossed"), std::pair(33, 99));
    EXPECT_EQ(range("Touching"), std::pair(33, 99));
    EXPECT_EQ(range("Edges"), std::pair(24, 25));
    EXPECT_EQ(range("Top"), std::pair(100, 101)) << "the minimum comes down to 100, below the maximum";

    // A value that holds no number is as good as missing: its default.
    std::ofstream(profile.Path()) << "[Typed]\nMaximum Note=abc\nMinimum Note=\nScale=x\nInput Volume=7 dB\n"
                                     "[System Settings]\nAlways On Top=yes\nMIDI Voice=flute\n";
    profile.Flush();
    EXPECT_EQ(range("Typed"), std::pair(33, 99));
    EXPECT_EQ(store.Read("Typed").scale, kChromaticScale);
    EXPECT_EQ(store.Read("Typed").inputVolume, 7);
    EXPECT_EQ(ReadSystemSettings(profile), SystemSettings());

    CurrentDetectorSettings current;
    current.Load(store.Read("Crossed"));
    EXPECT_EQ(current.Header().minimumNote, 33);
    EXPECT_EQ(current.Header().maximumNote, 99);
}

TEST(DetectorSettingsUnits, SlidersAndListsBecomeAnalysisUnits) {
    EXPECT_EQ(VelocityBaseOf(50), 350u);
    EXPECT_EQ(VelocityBaseOf(0), 850u);
    EXPECT_EQ(VelocityBaseOf(60), 250u);
    for (int volume = 0; volume <= 60; ++volume) {
        EXPECT_EQ(OutputVolumeOf(VelocityBaseOf(volume)), volume);
    }
    EXPECT_EQ(InputThresholdOf(13), 454u);
    EXPECT_EQ(ReattackGapOf(16), 80u);
    EXPECT_EQ(ReleaseDropOf(10), 200u);
    DetectorSettings settings;
    ApplyScale(settings, 0);
    EXPECT_EQ(settings.lockToScaleOn, 1);
    ApplyScale(settings, 12);
    EXPECT_EQ(settings.lockToScaleOn, 0);
}

TEST_F(Presets, DefaultCannotBeDeletedButDefaultInOtherCaseCan) {
    store.Save(kDefaultPresetName, StartUpDetectorSettings());
    EXPECT_FALSE(store.Delete("Default", reporter));
    ASSERT_EQ(reporter.texts, std::vector<std::string>{"Cannot delete default settings"});
    EXPECT_EQ(reporter.kinds[0], MessageKind::Information);
    EXPECT_TRUE(profile.KeyNames("Default").size() == 12);

    reporter.texts.clear();
    EXPECT_TRUE(store.Delete("default", reporter));
    EXPECT_TRUE(reporter.texts.empty());
    EXPECT_FALSE(store.Delete("", reporter));
    EXPECT_TRUE(reporter.texts.empty());
}

TEST_F(Presets, DeletingRemovesTheSectionFromTheList) {
    store.Save("Alto", DetectorSettings());
    store.Save("bass", DetectorSettings());
    store.Save(kDefaultPresetName, StartUpDetectorSettings());
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"Alto", "bass", "Default"}));
    EXPECT_TRUE(store.Delete("Alto", reporter));
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"bass", "Default"}));
}

TEST(PresetDeletion, AFileThatCannotBeChangedReportsTheFailure) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder / "voxnote.ini");
    PrivateProfile profile(folder / "voxnote.ini");
    PresetStore store(profile);
    RecordingReporter reporter;
    EXPECT_FALSE(store.Delete("Alto", reporter));
    EXPECT_EQ(reporter.texts, std::vector<std::string>{"Failed to delete preset"});
}

TEST(SystemSettingsFile, MissingKeysGiveTheDefaultsAndWrittenOnesComeBack) {
    TemporaryFolder folder;
    PrivateProfile profile(folder / "voxnote.ini");
    RecordingReporter reporter;
    EXPECT_EQ(ReadSystemSettings(profile), SystemSettings());
    EXPECT_TRUE(ReadSystemSettings(profile).alwaysOnTop);

    SystemSettings changed{false, true, true, true, 1, 73};
    EXPECT_TRUE(WriteSystemSettings(profile, changed, reporter));
    EXPECT_TRUE(reporter.texts.empty());
    EXPECT_EQ(ReadText(profile.Path()),
              "[System Settings]\nAlways On Top=0\nAuto Shrink=1\nSync=1\nHigher Priority=1\nDrumkit=1\n"
              "MIDI Voice=73\n");
    profile.Flush();
    EXPECT_EQ(ReadSystemSettings(profile), changed);
}

TEST(SystemSettingsFile, EveryKeyThatCannotBeStoredIsReported) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder / "voxnote.ini");
    PrivateProfile profile(folder / "voxnote.ini");
    RecordingReporter reporter;
    EXPECT_FALSE(WriteSystemSettings(profile, SystemSettings(), reporter));
    EXPECT_EQ(reporter.texts, std::vector<std::string>(6, "Couldn't store preference"));
}

}  // namespace
}  // namespace voxnote
