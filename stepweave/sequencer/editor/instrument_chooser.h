#pragma once
// The instrument chooser beside the grid and the pan slider under it: which
// pan the slider shows for the chosen instrument, what moving the slider
// does, and the preview of the chosen instrument ("Play Instrument").
#include <optional>
#include <string>

namespace stepweave {

class KitPlayer;
class UserSamples;

inline constexpr const char* kSamplePanningMessage =
    "Use the sample importer (Edit/Sample#) to change your imported samples panning";
inline constexpr const char* kSamplePanningCaption = "Sample Panning";

// The pan the slider moves to when the chooser shows this text: the kit
// instrument's own; for a user sample or an unlisted text, kit instrument
// 16's; nothing (the slider stays) for the empty label or when the kit lacks
// the instrument.
std::optional<int> ChooserPan(const KitPlayer& kit, const std::string& chooserText);

enum class PanSliderResult { KitPanSet, RefusedForSample, Ignored };

// The user moved the slider: a kit instrument takes the pan at once; a user
// sample keeps its pan and the user is told to use the sample importer;
// anything else changes nothing.
PanSliderResult SetPanFromSlider(KitPlayer& kit, const std::string& chooserText, int pan);

// Plays the chosen instrument once: a kit instrument at its present volume
// and pan, a user sample from its beginning. An unlisted text counts as kit
// instrument 16; the empty label plays nothing. A sound that fails to start
// is skipped. Returns whether a sound was started.
bool PreviewInstrument(KitPlayer& kit, UserSamples& samples, const std::string& chooserText);

}  // namespace stepweave
