#pragma once
// Where the converter's help page and its maker's web site are.
#include <filesystem>
#include <string>

namespace voxnote {

// The help page's file name; the build puts it beside the program.
inline constexpr const char* kHelpFileName = "voxnote.html";

// The address "Visit our web site..." opens, unless VOXNOTE_WEB_SITE names another.
inline constexpr const char* kWebSiteAddress = "https://voxnote.example.org/";

// The help page: in the program's folder, or in ../share/voxnote when installed.
std::filesystem::path HelpFilePath(const std::filesystem::path& programFolder);

// $VOXNOTE_WEB_SITE when set and not empty, else kWebSiteAddress.
std::string WebSiteAddress();

}  // namespace voxnote
