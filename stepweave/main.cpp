#include <CLI/CLI.hpp>
#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"stepweave: a step-based drum-pattern sequencer"};
    app.require_subcommand(0, 1);
    CLI11_PARSE(app, argc, argv);
    std::cout << app.help();
    return 0;
}
