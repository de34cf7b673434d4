#pragma once
// Finds the General MIDI soundfont that the built-in synthesizer plays.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace voxnote {

// The soundfont to use: the file named by VOXNOTE_SOUNDFONT when that is
// set, else the best General MIDI soundfont installed in a data folder
// ($XDG_DATA_DIRS, by default /usr/local/share and /usr/share): FluidR3_GM
// before TimGM6mb before the system's default-GM link. Nothing when none is
// there.
std::optional<std::filesystem::path> FindGeneralMidiSoundfont();

// The same search over the given override and data folders.
std::optional<std::filesystem::path> FindGeneralMidiSoundfont(const std::string& overridePath,
                                                              const std::vector<std::filesystem::path>& dataFolders);

}  // namespace voxnote
