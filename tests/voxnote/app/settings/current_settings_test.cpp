#include "voxnote/app/settings/current_detector_settings.h"

#include <gtest/gtest.h>

namespace voxnote {
namespace {

TEST(CurrentDetectorSettings, StartsWithTheStartUpValuesOfBoth) {
    CurrentDetectorSettings settings;
    EXPECT_EQ(settings.Values(), StartUpDetectorSettings());
    EXPECT_EQ(settings.Values().inputVolume, 13);
    EXPECT_EQ(settings.Values().maximumNote, 101);
    const DetectorHeaderSettings& header = settings.Header();
    EXPECT_EQ(header.inputThreshold, 450u) << "not 8 * 13 + 350 until the slider moves";
    EXPECT_EQ(header.reattackGap, 80u);
    EXPECT_EQ(header.releaseDrop, 150u) << "not 10 * 10 + 100 until the slider moves";
    EXPECT_EQ(header.velocityBase, 350u);
    EXPECT_EQ(header.minimumNote, 33);
    EXPECT_EQ(header.maximumNote, 101);
    EXPECT_EQ(header.constantNote, -1);
    EXPECT_EQ(header.timeSmoothingShift, 8);
}

TEST(CurrentDetectorSettings, ALoadedPresetConvertsEveryValue) {
    CurrentDetectorSettings settings;
    DetectorSettings preset;  // the defaults of a preset without keys
    preset.transposition = -5;
    preset.tuning = 3;
    preset.outputVolume = 60;
    ApplyScale(preset, 2);
    settings.Load(preset);
    const DetectorHeaderSettings& header = settings.Header();
    EXPECT_EQ(header.inputThreshold, 454u);
    EXPECT_EQ(header.releaseDrop, 200u);
    EXPECT_EQ(header.reattackGap, 80u);
    EXPECT_EQ(header.velocityBase, 250u);
    EXPECT_EQ(header.maximumNote, 99);
    EXPECT_EQ(header.tuning, 3);
    EXPECT_EQ(header.transposition, -5);
    EXPECT_EQ(header.scale, 2);
    EXPECT_EQ(settings.Values().lockToScaleOn, 1);
}

TEST(CurrentDetectorSettings, EachSetterChangesItsValueAndItsHeaderField) {
    CurrentDetectorSettings settings;
    settings.SetInputVolume(69);
    settings.SetGapRatio(35);
    settings.SetNoteStopRatio(0);
    settings.SetOutputVolume(0);
    settings.SetTuning(-10);
    settings.SetMinimumNote(24);
    settings.SetMaximumNote(60);
    settings.SetScale(12);
    settings.SetTransposition(12);
    settings.SetFixedVolume(true);
    settings.SetConstantNote(38);
    const DetectorHeaderSettings& header = settings.Header();
    EXPECT_EQ(header.inputThreshold, 902u);
    EXPECT_EQ(header.reattackGap, 175u);
    EXPECT_EQ(header.releaseDrop, 100u);
    EXPECT_EQ(header.velocityBase, 850u);
    EXPECT_EQ(header.tuning, -10);
    EXPECT_EQ(header.minimumNote, 24);
    EXPECT_EQ(header.maximumNote, 60);
    EXPECT_EQ(header.transposition, 12);
    EXPECT_TRUE(header.fixedVolume);
    EXPECT_EQ(header.constantNote, 38);
    EXPECT_EQ(settings.Values().lockToScaleOn, 0);
    settings.SetConstantNote(-1);
    EXPECT_EQ(settings.Header().constantNote, -1);
    EXPECT_EQ(RhythmNoteOf(settings.Values()), 60);
}

}  // namespace
}  // namespace voxnote
