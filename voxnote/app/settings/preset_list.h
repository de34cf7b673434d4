#pragma once
// The names offered in the Presets dialog, found by scanning the settings
// file's text line by line (not through the profile lookups), so the list
// shows every preset section in the file, in sorted order.
#include <string>
#include <string_view>
#include <vector>

namespace voxnote {

// Bytes the names may fill, each counted with one terminating zero byte;
// names beyond are not listed.
inline constexpr size_t kPresetNameBufferBytes = 2000;

// The preset names of a settings file's text. Lines end at any run of LF, FF,
// CR and character 26; a last line without such an ending is not read. A ";"
// or "=" before any "[" makes the line a comment or key line; otherwise the
// text between "[" and the next "]" (or the line's end) is a section name.
// Empty names and "Mixer Location", "Last Used", "System Settings" (in any
// case) are left out; names are sorted without regard to case, each listed once.
std::vector<std::string> PresetNamesInProfileText(std::string_view text);

}  // namespace voxnote
