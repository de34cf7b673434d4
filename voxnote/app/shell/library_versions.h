#pragma once
#include <string>

namespace voxnote {

// One line naming the versions of the audio, MIDI and resampling libraries
// the program runs on, for "voxnote --version" and bug reports.
std::string LibraryVersions();

}  // namespace voxnote
