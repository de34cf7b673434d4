#pragma once
// The default kit and the files a new workspace starts with: "standard.dxg"
// (the 17-slot kit, its instruments made by the drum synthesiser),
// "Blank.wav" (the silent sound) and the empty "temp" folder.
#include <cstdint>
#include <string>
#include <vector>

#include "stepweave/data/start_folder_files.h"

namespace stepweave {

class WaveData;
class WaveCollection;

inline constexpr double kBlankWaveSeconds = 0.1;

// The samples as a 16-bit mono PCM wave at 44100 Hz.
WaveData MonoPcmWave(const std::vector<int16_t>& samples);

// 100 ms of silence in the kit's format.
WaveData BlankWave();

// Replaces the kit's items with the 17 slots of the kit layout: slot 0
// unnamed and blank, slots 1..16 named after their instruments and holding
// the synthesised sounds.
void BuildDefaultKit(WaveCollection& kit);

// Writes "standard.dxg" and "Blank.wav" into the folder and makes its
// "temp" folder, creating the folder when it is missing. Files are written
// to a temporary and renamed into place; what "temp" holds is left alone.
void WriteSeedFiles(const std::string& folder);

}  // namespace stepweave
