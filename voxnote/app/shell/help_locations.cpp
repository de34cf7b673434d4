#include "voxnote/app/shell/help_locations.h"

#include <cstdlib>

namespace voxnote {

// Beside the program in the build, in <prefix>/share/voxnote when installed.
std::filesystem::path HelpFilePath(const std::filesystem::path& programFolder) {
    const std::filesystem::path installed = programFolder / ".." / "share" / "voxnote" / kHelpFileName;
    if (!std::filesystem::exists(programFolder / kHelpFileName) && std::filesystem::exists(installed)) {
        return installed.lexically_normal();
    }
    return programFolder / kHelpFileName;
}

std::string WebSiteAddress() {
    const char* address = std::getenv("VOXNOTE_WEB_SITE");
    return address != nullptr && *address != '\0' ? address : kWebSiteAddress;
}

}  // namespace voxnote
