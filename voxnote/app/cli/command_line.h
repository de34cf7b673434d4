#pragma once
// The program's command line before anything else reads it. Without a
// command, voxnote opens its window and its arguments belong to the window
// system (-platform offscreen, -display :1, ...); with one it works headless.
// A word that is neither a command nor the value of a window-system option is
// a mistyped command: it is refused, with the list of commands, rather than
// opening the window as if nothing had been asked.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace voxnote {

// The exit status of a refused command line.
inline constexpr int kUnknownCommandStatus = 2;

struct CommandDescription {
    std::string name;
    std::string summary;
};

// The first word among the arguments (the program's name not included) that
// is no known command and no option or option value; nothing when there is none.
std::optional<std::string> FindUnknownCommand(const std::vector<std::string>& arguments,
                                              const std::vector<CommandDescription>& commands);

// "unknown command 'WORD'" and the list of commands, for standard error.
void WriteUnknownCommand(std::ostream& out, const std::string& word,
                         const std::vector<CommandDescription>& commands);

}  // namespace voxnote
