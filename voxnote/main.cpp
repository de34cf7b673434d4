#include <QtGlobal>

#include <CLI/CLI.hpp>
#include <iostream>

#include "voxnote/app/library_versions.h"
#include "voxnote/app/ui/converter_app.h"

int main(int argc, char** argv) {
    CLI::App app{"voxnote: turns sung or played notes into MIDI"};
    bool showVersion = false;
    app.add_flag("--version", showVersion, "Show the versions of the libraries in use");
    // Anything else is for the window system (-platform, -display, ...).
    app.allow_extras();
    CLI11_PARSE(app, argc, argv);

    if (showVersion) {
        std::cout << "voxnote (Qt " << qVersion() << ", " << voxnote::LibraryVersions() << ")\n";
        return 0;
    }
    // Without a command the program opens its window.
    return voxnote::RunConverterApp(argc, argv);
}
