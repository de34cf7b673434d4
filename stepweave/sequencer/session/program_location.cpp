#include "stepweave/sequencer/session/program_location.h"

#include <system_error>

namespace stepweave {

namespace {

constexpr const char* kSeedFolderName = "seed";

}  // namespace

// The one place that asks the system for the program's path.
std::filesystem::path ProgramFolder() {
#ifdef __linux__
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return program.parent_path();
    }
#endif
    return {};
}

std::optional<std::filesystem::path> InstalledDataFolder() {
    const std::filesystem::path program = ProgramFolder();
    if (program.empty()) {
        return std::nullopt;
    }
    const std::filesystem::path data = (program / ".." / "share" / "stepweave").lexically_normal();
    std::error_code error;
    if (!std::filesystem::is_directory(data, error)) {
        return std::nullopt;
    }
    return data;
}

std::optional<std::filesystem::path> InstalledSeedFolder() {
    const std::optional<std::filesystem::path> data = InstalledDataFolder();
    std::error_code error;
    if (!data || !std::filesystem::is_directory(*data / kSeedFolderName, error)) {
        return std::nullopt;
    }
    return *data / kSeedFolderName;
}

}  // namespace stepweave
