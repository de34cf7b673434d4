#pragma once
#include "voxnote/app/skin/skin_geometry.h"

// Where everything sits on the main window, in client coordinates. The
// window's code and its pictures both take their places from here.
namespace voxnote::layout {

constexpr SkinSize kWindowSize{199, 346};
// Shrunk, the window shows only its title band.
constexpr SkinSize kShrunkWindowSize{199, 33};
// A press at this height or above that lands on no control drags the window.
constexpr int kDragBandLastRow = 31;

constexpr SkinRect kMeterArea{10, 63, 64, 196};
constexpr SkinRect kMaximumNoteField{14, 224, 43, 244};
constexpr SkinRect kMinimumNoteField{14, 264, 43, 284};
constexpr SkinRect kPitchNoteNameField{11, 179, 32, 192};
constexpr SkinRect kScaleField{72, 224, 173, 244};
constexpr SkinRect kPresetField{72, 264, 173, 284};

// Controls, by bitmap prefix, in the order they are created.
constexpr SkinPoint kStartToggle{119, 3};
constexpr SkinPoint kShrinkToggle{142, 15};
constexpr SkinPoint kMinimiseButton{162, 15};
constexpr SkinPoint kCloseButton{182, 15};
constexpr SkinPoint kMixerButton{19, 37};
constexpr SkinPoint kRhythmToggle{13, 295};
constexpr SkinPoint kWaveButton{12, 317};
constexpr SkinPoint kSetupButton{57, 317};
constexpr SkinPoint kPresetButton{180, 264};
constexpr SkinPoint kScaleUpButton{180, 223};
constexpr SkinPoint kScaleDownButton{180, 234};
constexpr SkinPoint kMaximumNoteUpButton{49, 223};
constexpr SkinPoint kMaximumNoteDownButton{49, 234};
constexpr SkinPoint kMinimumNoteUpButton{49, 263};
constexpr SkinPoint kMinimumNoteDownButton{49, 274};
constexpr SkinPoint kInputVolumeSlider{83, 76};
constexpr SkinPoint kGapRatioSlider{124, 76};
constexpr SkinPoint kNoteStopRatioSlider{165, 76};

constexpr int kInputVolumeMaximum = 69;
constexpr int kGapRatioMaximum = 35;
constexpr int kNoteStopRatioMaximum = 23;

}  // namespace voxnote::layout
