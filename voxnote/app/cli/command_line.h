#pragma once
// The program's command line before anything else reads it. Without a
// command, voxnote opens its window and its arguments belong to the window
// system (-platform offscreen, -display :1, ...); with one it works headless.
// A word that is neither a command nor the value of a window-system option is
// a mistyped command: it is refused, with the list of commands, rather than
// opening the window as if nothing had been asked.
//
// Exit statuses: 0 done, 2 the file could not be converted (convert_command.h),
// 105 a usage error: the command line asks for something the program does
// not take (a mistyped command, an unknown option, a missing or extra
// argument, a bad value). 105 is the option parser's status for a bad value,
// which scripts already know; every usage error has it.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace voxnote {

inline constexpr int kUsageErrorStatus = 105;

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

// Parses the arguments into the app's options. Nothing when they were taken;
// otherwise the status to exit with, once the help (status 0) or the
// parser's message (kUsageErrorStatus) has been printed.
std::optional<int> ParseCommandLine(CLI::App& app, int argc, const char* const* argv);

}  // namespace voxnote
