#include "voxnote/app/mididevices/soundfont_locator.h"

#include <cstdlib>

namespace voxnote {

namespace {

// Better sounding first.
constexpr const char* kSoundfontsByPreference[] = {
    "sounds/sf2/FluidR3_GM.sf2",
    "sounds/sf2/TimGM6mb.sf2",
    "sounds/sf2/default-GM.sf2",
};

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::vector<std::filesystem::path> DataFolders() {
    const char* variable = std::getenv("XDG_DATA_DIRS");
    std::string list = variable && *variable ? variable : "/usr/local/share:/usr/share";
    std::vector<std::filesystem::path> folders;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        if (end > start) {
            folders.emplace_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return folders;
}

}  // namespace

std::optional<std::filesystem::path> FindGeneralMidiSoundfont(const std::string& overridePath,
                                                              const std::vector<std::filesystem::path>& dataFolders) {
    if (!overridePath.empty()) {
        return std::filesystem::path(overridePath);  // the user's choice, even a wrong one: opening says so
    }
    for (const char* name : kSoundfontsByPreference) {
        for (const std::filesystem::path& folder : dataFolders) {
            if (IsFile(folder / name)) {
                return folder / name;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> FindGeneralMidiSoundfont() {
    const char* overridePath = std::getenv("VOXNOTE_SOUNDFONT");
    return FindGeneralMidiSoundfont(overridePath ? overridePath : "", DataFolders());
}

}  // namespace voxnote
