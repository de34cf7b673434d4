#include "voxnote/app/cli/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <string_view>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

// The window system's options that take the next argument as their value.
constexpr std::array<std::string_view, 22> kOptionsWithValue = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry", "-geometry",
    "-qwindowicon", "-icon", "-qwindowtitle", "-title", "-display", "-name", "-style", "-stylesheet",
    "-session", "-qmljsdebugger", "-fn", "-font", "-bg", "-fg", "-btn", "-visual",
};

bool TakesValue(std::string_view option) {
    if (option.starts_with("--")) {
        option.remove_prefix(1);  // Qt takes its options with one dash or two
    }
    return std::find(kOptionsWithValue.begin(), kOptionsWithValue.end(), option) != kOptionsWithValue.end();
}

bool IsCommand(const std::string& word, const std::vector<CommandDescription>& commands) {
    return std::any_of(commands.begin(), commands.end(),
                       [&](const CommandDescription& command) { return command.name == word; });
}

}  // namespace

std::optional<std::string> FindUnknownCommand(const std::vector<std::string>& arguments,
                                              const std::vector<CommandDescription>& commands) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word.starts_with("-")) {
            if (TakesValue(word)) {
                ++i;
            }
            continue;
        }
        if (IsCommand(word, commands)) {
            return std::nullopt;  // the command reads the rest
        }
        return word;
    }
    return std::nullopt;
}

void WriteUnknownCommand(std::ostream& out, const std::string& word,
                         const std::vector<CommandDescription>& commands) {
    out << FormatText(strings::kUnknownCommand, {word}) << '\n' << Text(strings::kCommandListHeading) << '\n';
    size_t width = 0;
    for (const CommandDescription& command : commands) {
        width = std::max(width, command.name.size());
    }
    for (const CommandDescription& command : commands) {
        out << "  " << command.name << std::string(width - command.name.size() + 3, ' ') << command.summary
            << '\n';
    }
}

std::optional<int> ParseCommandLine(CLI::App& app, int argc, const char* const* argv) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help and --help-all come as a "parse error" of status 0.
        return app.exit(error) == 0 ? 0 : kUsageErrorStatus;
    }
    return std::nullopt;
}

}  // namespace voxnote
