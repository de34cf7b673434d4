#include <QtGlobal>

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "voxnote/app/cli/command_line.h"
#include "voxnote/app/conversion/convert_command.h"
#include "voxnote/app/shell/library_versions.h"
#include "voxnote/app/shell/message_reporter.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/ui/converter_app.h"

int main(int argc, char** argv) {
    const std::vector<voxnote::CommandDescription> commands = {
        {"convert", voxnote::Text(voxnote::strings::kConvertDescription)}};
    if (std::optional<std::string> unknown =
            voxnote::FindUnknownCommand(std::vector<std::string>(argv + 1, argv + argc), commands)) {
        voxnote::WriteUnknownCommand(std::cerr, *unknown, commands);
        return voxnote::kUsageErrorStatus;
    }
    CLI::App app{voxnote::Text(voxnote::strings::kProgramDescription)};
    app.footer(voxnote::Text(voxnote::strings::kExitStatusHelp));
    bool showVersion = false;
    app.add_flag("--version", showVersion, voxnote::Text(voxnote::strings::kVersionHelp));
    voxnote::ConvertOptions convertOptions;
    CLI::App* convert = voxnote::AddConvertCommand(app, convertOptions);
    // Without a command, anything else is for the window system (-platform,
    // -display, ...); set after the command is added, so that it still
    // refuses what it does not know.
    app.allow_extras();
    if (std::optional<int> status = voxnote::ParseCommandLine(app, argc, argv)) {
        return *status;
    }

    if (showVersion) {
        std::cout << "voxnote (Qt " << qVersion() << ", " << voxnote::LibraryVersions() << ")\n";
        return 0;
    }
    if (convert->parsed()) {
        voxnote::StandardErrorReporter reporter;
        return voxnote::RunConvert(convertOptions, std::cout, reporter);
    }
    // Without a command the program opens its window.
    return voxnote::RunConverterApp(argc, argv);
}
