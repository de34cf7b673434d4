#pragma once
// What the kit maker does to a kit, apart from its window: build the
// 17-slot layout from the blank sound, optionally take slots 1..16 from a
// template kit, and check the layout before saving.
#include <string>

namespace stepweave {

class WaveData;
class WaveCollection;

// The blank sound "Blank.wav" in the folder, found whatever the letter case
// of its name; the name as written when there is none (loading it then
// fails with the file layer's error).
std::string BlankWavePath(const std::string& startDirectory);

// Clears the kit and fills it with the 17 slots named after the kit layout,
// every wave a copy of blank. With a template kit, slots 1..16 then take the
// template's waves as they come back from being written and read as WAV
// files: a wave with an empty format or no data becomes empty.
// ListIndexError when the template has fewer than 17 items.
void PrepareKit(WaveCollection& kit, const WaveData& blank, const WaveCollection* templateKit);

// WaveCollectionError "Wave '%s' not found" unless every slot name is there.
void CheckKitLayout(const WaveCollection& kit);

}  // namespace stepweave
