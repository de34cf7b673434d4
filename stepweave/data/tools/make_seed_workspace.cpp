// make_seed_workspace FOLDER: writes the files a new workspace starts with
// (the default kit, "Blank.wav", "temp", "Panning.dat" and the demo song) into
// FOLDER, as the program would seed a workspace. The build runs it to make the
// seed folder that is installed with the program.
#include <exception>
#include <iostream>

#include "stepweave/sequencer/session/workspace.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_seed_workspace FOLDER\n";
        return 2;
    }
    try {
        stepweave::SeedWorkspace(argv[1]);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << argv[1] << ": " << error.what() << '\n';
        return 1;
    }
}
