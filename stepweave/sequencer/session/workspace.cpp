#include "stepweave/sequencer/session/workspace.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "stepweave/data/default_kit.h"
#include "stepweave/data/demo_song.h"
#include "stepweave/sequencer/session/demo_song_files.h"
#include "stepweave/sequencer/session/program_location.h"
#include "stepweave/sequencer/files/panning_file.h"
#include "stepweave/sequencer/files/song_file.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/wav/wave_data.h"
#include "stepweave/sound/kit/wave_collection.h"

namespace stepweave {

namespace {

constexpr const char* kWorkspaceFolderName = "stepweave";

bool HoldsDefaultKit(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / kDefaultKitFileName, error);
}

std::optional<std::filesystem::path> AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    std::filesystem::path path(value);
    if (!path.is_absolute()) {
        return std::nullopt;  // relative values are to be ignored
    }
    return path;
}

// The installed seed files the folder lacks, copied in (each written to a
// temporary file and renamed). Sub-folders ("temp") are made empty.
void CopyInstalledSeed(const std::filesystem::path& folder) {
    const std::optional<std::filesystem::path> seed = InstalledSeedFolder();
    if (!seed) {
        return;
    }
    for (const auto& entry : std::filesystem::directory_iterator(*seed)) {
        const std::filesystem::path target = folder / entry.path().filename();
        std::error_code error;
        if (std::filesystem::exists(target, error)) {
            continue;
        }
        if (entry.is_directory()) {
            std::filesystem::create_directory(target, error);
        } else if (entry.is_regular_file()) {
            const std::vector<uint8_t> bytes = ReadWholeFile(entry.path().string());
            WriteFileSafely(target.string(), bytes.data(), static_cast<int64_t>(bytes.size()));
        }
    }
}

}  // namespace

std::string UserWorkspaceFolder() {
    if (const auto dataHome = AbsoluteFromEnvironment("XDG_DATA_HOME")) {
        return (*dataHome / kWorkspaceFolderName).string();
    }
    if (const auto home = AbsoluteFromEnvironment("HOME")) {
        return (*home / ".local" / "share" / kWorkspaceFolderName).string();
    }
    throw StepweaveError("No folder for the workspace: neither XDG_DATA_HOME nor HOME is set");
}

void SeedWorkspace(const std::string& folder) {
    const std::filesystem::path root(folder);
    std::error_code error;
    std::filesystem::create_directories(root / kTempFolderName, error);
    if (error) {
        throw FileCreateError(folder);
    }
    // An installed program seeds from the files made when it was built;
    // whatever is still missing (always, in the build tree) is made here.
    CopyInstalledSeed(root);
    if (!std::filesystem::exists(root / kBlankWaveFileName)) {
        BlankWave().SaveToFile((root / kBlankWaveFileName).string());
    }
    if (!HoldsDefaultKit(root)) {
        WaveCollection kit;
        BuildDefaultKit(kit);
        kit.SaveToFile((root / kDefaultKitFileName).string());
    }
    if (!std::filesystem::exists(root / kPanningFileName)) {
        WritePanningFile((root / kPanningFileName).string(), TheDemoSong().kitPans);
    }
    WriteDemoSong(folder);
}

void EnsureTempFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directory(std::filesystem::path(folder) / kTempFolderName, error);
}

StartDirectoryChoice ChooseStartDirectory(const std::optional<std::string>& givenFolder,
                                          const std::string& currentDirectory) {
    StartDirectoryChoice choice = FindStartDirectory(givenFolder, currentDirectory);
    EnsureTempFolder(choice.folder);
    return choice;
}

std::string CommandStartDirectory(const std::string& given) {
    if (!given.empty()) {
        std::error_code error;
        if (!std::filesystem::is_directory(given, error)) {
            throw FileOpenError(given);
        }
        return given;
    }
    return FindStartDirectory(std::nullopt, std::filesystem::current_path().string()).folder;
}

StartDirectoryChoice FindStartDirectory(const std::optional<std::string>& givenFolder,
                                        const std::string& currentDirectory) {
    StartDirectoryChoice choice;
    if (givenFolder) {
        choice.folder = *givenFolder;
    } else if (HoldsDefaultKit(currentDirectory)) {
        choice.folder = currentDirectory;
    } else {
        choice.folder = UserWorkspaceFolder();
        if (!HoldsDefaultKit(choice.folder)) {
            SeedWorkspace(choice.folder);
            choice.seeded = true;
        }
    }
    return choice;
}

std::filesystem::path FindSongFile(const std::string& given, const std::string& startDirectory) {
    const std::filesystem::path path(given);
    std::vector<std::filesystem::path> candidates{path};
    if (path.is_relative()) {
        candidates.push_back(std::filesystem::path(startDirectory) / path);
    }
    if (!path.has_extension()) {
        const size_t count = candidates.size();
        for (size_t i = 0; i < count; ++i) {
            candidates.push_back(candidates[i].string() + kSongFileExtension);
        }
    }
    for (const auto& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    return path;  // reading it reports the file as missing
}

}  // namespace stepweave
