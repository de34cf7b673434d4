#pragma once
// Where the running program's own files are: its folder, and the data
// installed with it in <prefix>/share/stepweave (the seed files of a new
// workspace and the help page). In the build tree there is no such folder;
// the program then makes its seed files itself.
#include <filesystem>
#include <optional>

namespace stepweave {

// The folder of the running program; empty when the system cannot say.
std::filesystem::path ProgramFolder();

// <program folder>/../share/stepweave, when it exists.
std::optional<std::filesystem::path> InstalledDataFolder();

// The seed files of a new workspace in the installed data, when installed.
std::optional<std::filesystem::path> InstalledSeedFolder();

}  // namespace stepweave
