#pragma once
// The names of the files and folders that a start folder holds and that
// several parts of the program open: the default kit, the silent sound and
// the folder of temporary copies (the render's exports, the wave player's
// copy of an opened sample). The workspace is seeded with all three.
#include "stepweave/sound/kit/blank_wave_file.h"

namespace stepweave {

inline constexpr const char* kDefaultKitFileName = "standard.dxg";
inline constexpr const char* kTempFolderName = "temp";

}  // namespace stepweave
