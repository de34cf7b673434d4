#include <QtGlobal>

#include <CLI/CLI.hpp>
#include <iostream>

#include "voxnote/app/library_versions.h"

int main(int argc, char** argv) {
    CLI::App app{"voxnote: turns sung or played notes into MIDI"};
    bool showVersion = false;
    app.add_flag("--version", showVersion, "Show the versions of the libraries in use");
    CLI11_PARSE(app, argc, argv);

    if (showVersion) {
        std::cout << "voxnote (Qt " << qVersion() << ", " << voxnote::LibraryVersions() << ")\n";
        return 0;
    }
    std::cout << app.help();
    return 0;
}
