#include "voxnote/app/shell/help_locations.h"

#include <cstdlib>

namespace voxnote {

std::filesystem::path HelpFilePath(const std::filesystem::path& programFolder) {
    return programFolder / kHelpFileName;
}

std::string WebSiteAddress() {
    const char* address = std::getenv("VOXNOTE_WEB_SITE");
    return address != nullptr && *address != '\0' ? address : kWebSiteAddress;
}

}  // namespace voxnote
