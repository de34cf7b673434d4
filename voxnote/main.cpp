#include <QtGlobal>

#include <CLI/CLI.hpp>
#include <iostream>

#include "voxnote/app/convert_command.h"
#include "voxnote/app/library_versions.h"
#include "voxnote/app/message_reporter.h"
#include "voxnote/app/string_table.h"

int main(int argc, char** argv) {
    CLI::App app{voxnote::Text(voxnote::strings::kProgramDescription)};
    bool showVersion = false;
    app.add_flag("--version", showVersion, voxnote::Text(voxnote::strings::kVersionHelp));
    voxnote::ConvertOptions convertOptions;
    CLI::App* convert = voxnote::AddConvertCommand(app, convertOptions);
    CLI11_PARSE(app, argc, argv);

    if (showVersion) {
        std::cout << "voxnote (Qt " << qVersion() << ", " << voxnote::LibraryVersions() << ")\n";
        return 0;
    }
    if (convert->parsed()) {
        voxnote::StandardErrorReporter reporter;
        return voxnote::RunConvert(convertOptions, std::cout, reporter);
    }
    std::cout << app.help();
    return 0;
}
